#include "flash/chip_busy_limits.h"

#include <iterator>

#include "flash/chip_catalogue.h"

namespace tarvex {

namespace {

struct BusyLimit {
    uint16_t id;
    uint64_t us;
};

constexpr uint64_t Ms = 1000;
constexpr uint64_t Sec = 1000000;

// Datasheet maxima, row by row with the catalogue. Page-write parts: the software chip erase
// (AT29 20 ms, W29 50 ms, SST29 20 ms) outlasts tWC (10 ms, AT29LV 20 ms). Erase-and-program
// parts: the chip erase. Where a datasheet gives only a sector erase maximum, every sector in
// turn; where it gives none, a value chosen for the part's era (MOSEL, AMIC).
constexpr BusyLimit Limits[] = {
    {0x631F, 0},         {0xD51F, 20 * Ms},   {0xC1DA, 50 * Ms},   {0x45DA, 50 * Ms},
    {0x46DA, 50 * Ms},   {0x31DA, 100 * Ms},  {0xB5DA, 100 * Ms},  {0xB6DA, 100 * Ms},
    {0xD6DA, 100 * Ms},  {0x171F, 10 * Sec},  {0x071F, 10 * Sec},  {0x081F, 10 * Sec},
    {0x051F, 10 * Sec},  {0x5B1F, 20 * Ms},   {0xA41F, 20 * Ms},   {0x3B1F, 20 * Ms},
    {0xC41F, 20 * Ms},   {0xD4BF, 100 * Ms},  {0xB5BF, 100 * Ms},  {0xB6BF, 100 * Ms},
    {0xB7BF, 100 * Ms},  {0xD5BF, 100 * Ms},  {0xD6BF, 100 * Ms},  {0xD7BF, 100 * Ms},
    {0x10BF, 20 * Ms},   {0x12BF, 20 * Ms},   {0x07BF, 20 * Ms},   {0x08BF, 20 * Ms},
    {0x0140, 10 * Sec},  {0xA137, 40 * Sec},  {0x2001, 64 * Sec},  {0xA401, 64 * Sec},
    {0x4F01, 120 * Sec}, {0xED01, 150 * Sec}, {0x6D01, 150 * Sec},
};
static_assert(std::size(Limits) == FlashChipCount, "one limit per catalogue row");

}  // namespace

uint64_t ChipBusyLimitUs(int32_t row) {
    return row >= 0 && row < FlashChipCount ? Limits[row].us : 0;
}

uint16_t ChipBusyLimitId(int32_t row) {
    return row >= 0 && row < FlashChipCount ? Limits[row].id : 0;
}

}  // namespace tarvex
