#include "bench/soak/soak_case.h"

#include <algorithm>

#include "cli/exit_codes.h"
#include "driver/adapter_queries.h"
#include "driver/rom_size.h"
#include "flash/chip_catalogue.h"
#include "flash/data_poll.h"
#include "flash/flash_status.h"
#include "flash/scan_guard.h"
#include "samples/sample_image.h"
#include "sim/chips/part_facts.h"

namespace tarvex::soak {

namespace {

constexpr uint16_t Vendor = 0x1C5D;
constexpr uint16_t SmallRomDevice = 0x0A12;    // 64 KiB ROM
constexpr uint16_t LargeRomDevice = 0x0C35;    // 128 KiB ROM
constexpr uint16_t DriverChipDevice = 0x0C32;  // 128 KiB ROM, chip programmed by the driver
constexpr uint32_t ProtectCodeOffset = 0x4002;
constexpr uint32_t RequestLatencyUs = 20;

const sim::PartFacts& PartOf(const SoakCase& c) { return *sim::FindPart(c.chip); }

uint32_t BufferLength(const SoakCase& c) {
    return std::max<uint32_t>(DefaultRomSize, (c.imageSize + 1023) / 1024 * 1024);
}

uint32_t RomLength(const SoakCase& c) {
    return static_cast<uint32_t>(RomSizeForIdentity(Vendor | uint32_t{c.device} << 16));
}

bool InScanReach(uint32_t offset) {
    for (uint32_t command : {0x5555u, 0x2AAAu, 0x555u, 0x2AAu})
        if (offset / ScanGuardBlockSize == command / ScanGuardBlockSize) return true;
    return false;
}

bool TooLargeForChip(const SoakCase& c) {
    const uint32_t capacity = FlashChipTable[c.row].capacity;
    return capacity != 0 && c.imageSize > capacity;
}

Fault RandomFault(Operation operation, const sim::PartFacts& part, std::mt19937_64& random) {
    std::vector<Fault> fitting = {Fault::None, Fault::TransientEprom, Fault::RefusedInfo};
    switch (operation) {
    case Operation::Flash:
        fitting.insert(fitting.end(), {Fault::ProgramHangs, Fault::EraseHangs, Fault::WeakCell});
        if (part.family == sim::ChipFamily::ShortSet) fitting.push_back(Fault::Protected);
        break;
    case Operation::Verify:
        fitting.insert(fitting.end(), {Fault::ReadFails, Fault::WeakCell});
        break;
    case Operation::Backup:
        fitting.insert(fitting.end(), {Fault::ReadFails, Fault::RefusedIdentity});
        break;
    }
    return fitting[random() % fitting.size()];
}

int FlashStatusFor(const SoakCase& c) {
    const sim::PartFacts& part = PartOf(c);
    const bool driver = part.family == sim::ChipFamily::DriverProgrammed;
    const bool erases = !driver && part.family != sim::ChipFamily::PageWrite;
    if (c.fault == Fault::RefusedInfo) return StatusAdapterInfo;
    if (c.imageSize > RomLength(c) || TooLargeForChip(c)) return StatusImageTooLarge;
    if (c.fault == Fault::Protected) return StatusProtected;
    if (c.fault == Fault::EraseHangs) {
        if (driver) return StatusEpromWrite;  // the driver refuses to open its session
        return erases ? StatusEraseFailed : StatusOk;
    }
    if (c.fault == Fault::ProgramHangs) return StatusEpromWrite;
    if (c.fault == Fault::WeakCell) return StatusVerifyFailed;
    return StatusOk;
}

}  // namespace

const char* OperationName(Operation operation) {
    switch (operation) {
    case Operation::Flash:
        return "flash";
    case Operation::Verify:
        return "verify";
    case Operation::Backup:
        return "backup";
    }
    return "?";
}

const char* FaultName(Fault fault) {
    switch (fault) {
    case Fault::None:
        return "none";
    case Fault::TransientEprom:
        return "transient";
    case Fault::RefusedInfo:
        return "refuse adapter_info";
    case Fault::RefusedIdentity:
        return "refuse pci_identity";
    case Fault::ReadFails:
        return "read_fails_at";
    case Fault::ProgramHangs:
        return "program_hangs_at";
    case Fault::EraseHangs:
        return "erase_hangs";
    case Fault::WeakCell:
        return "weak_cells";
    case Fault::Protected:
        return "protected_sectors";
    }
    return "?";
}

SoakCase RandomCase(std::mt19937_64& random) {
    SoakCase c;
    c.operation = static_cast<Operation>(random() % 3);
    c.row = static_cast<int32_t>(random() % FlashChipCount);
    c.chip = FlashChipTable[c.row].name;
    const bool driver = c.row == DriverProgrammedRow;
    c.device = driver ? DriverChipDevice : random() % 2 ? SmallRomDevice : LargeRomDevice;
    c.imageSize = SampleMinSize + 512 * static_cast<uint32_t>(
                                            random() % ((SampleMaxSize - SampleMinSize) / 512 + 1));
    c.fault = RandomFault(c.operation, PartOf(c), random);
    const uint32_t span = c.operation == Operation::Backup ? RomLength(c) : BufferLength(c);
    c.offset = static_cast<uint32_t>(random() % span);
    if (c.fault == Fault::Protected) c.offset = ProtectCodeOffset;
    return c;
}

std::vector<uint8_t> FlashedImage(const SoakCase& c) {
    std::vector<uint8_t> image =
        MakeSampleImage({Vendor, c.device, c.imageSize, ClassCodeRaid, "soak"});
    image.resize(BufferLength(c), 0);
    return image;
}

sim::Rig CaseRig(const SoakCase& c, const std::string& romPath) {
    sim::Rig rig;
    rig.clock.mode = sim::ModelClock::Mode::Virtual;
    rig.clock.requestLatencyUs = RequestLatencyUs;
    sim::RigAdapter adapter;
    adapter.vendor = Vendor;
    adapter.device = c.device;
    adapter.model = 7;
    adapter.name = "Soak";
    adapter.chip = c.chip;
    adapter.romPath = romPath;
    sim::RigFaults& faults = adapter.faults;
    switch (c.fault) {
    case Fault::None:
        break;
    case Fault::TransientEprom:
        faults.transient["eprom_access"] = 2;
        break;
    case Fault::RefusedInfo:
        faults.refuse.insert("adapter_info");
        break;
    case Fault::RefusedIdentity:
        faults.refuse.insert("pci_identity");
        break;
    case Fault::ReadFails:
        faults.readFailsAt = c.offset;
        break;
    case Fault::ProgramHangs:
        faults.chip.programHangsAt = c.offset;
        break;
    case Fault::EraseHangs:
        faults.chip.eraseHangs = true;
        break;
    case Fault::WeakCell:
        faults.chip.weakCells[c.offset] = static_cast<uint8_t>(FlashedImage(c)[c.offset] ^ 0x01);
        break;
    case Fault::Protected:
        faults.chip.protectedSectors.push_back(c.offset);
        break;
    }
    rig.adapters.push_back(adapter);
    return rig;
}

int ExpectedStatus(const SoakCase& c) {
    switch (c.operation) {
    case Operation::Flash:
        return FlashStatusFor(c);
    case Operation::Verify:
        if (c.fault == Fault::RefusedInfo) return cli::ExitUnavailable;
        if (c.imageSize > RomLength(c)) return StatusImageTooLarge;
        // Identification reads offsets 0 and 1 in ID mode, and scans only once it has kept the
        // blocks under its command addresses: unreadable there, no row answers.
        if (c.fault == Fault::ReadFails && c.row != DriverProgrammedRow &&
            (c.offset < 2 || InScanReach(c.offset)))
            return StatusNoEprom;
        if (TooLargeForChip(c)) return StatusImageTooLarge;
        if (c.fault == Fault::ReadFails) return StatusEpromRead;
        return c.fault == Fault::WeakCell ? StatusVerifyFailed : StatusOk;
    case Operation::Backup:
        if (c.fault == Fault::RefusedInfo) return StatusAdapterInfo;
        if (c.fault == Fault::RefusedIdentity) return StatusNoAdapter;
        return c.fault == Fault::ReadFails ? StatusEpromRead : StatusOk;
    }
    return -1;
}

}  // namespace tarvex::soak
