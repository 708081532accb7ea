#include <cstring>
#include <memory>
#include <vector>

#include "driver/control_codes.h"
#include "fuzz_entries.h"
#include "fuzz_support.h"
#include "platform/byte_order.h"

namespace tarvex::fuzz {

namespace {

constexpr uint8_t SleepRecord = 0xFF;  // advances model time instead, so chips finish work
constexpr size_t RecordHead = 3;       // choice byte and 16-bit length
constexpr size_t ControlCodeField = 16;

// Four chip families on one host of either family, in memory.
std::shared_ptr<sim::Simulator> MakeSimulator(bool ntFamily) {
    sim::Rig rig;
    if (!ntFamily) rig.host = {.nt = false, .major = 4, .minor = 10, .extendedVersionInfo = true};
    const std::pair<uint16_t, const char*> adapters[] = {{0x0A12, "SST 39SF010A"},
                                                         {0x0B22, "WINBOND W29C020C"},
                                                         {0x0C32, "ATMEL FLASH"},
                                                         {0x0A12, "AMD29F010"}};
    for (const auto& [device, chip] : adapters) {
        sim::RigAdapter& adapter = rig.adapters.emplace_back();
        adapter.vendor = 0x1C5D, adapter.device = device, adapter.model = 7, adapter.chip = chip;
    }
    return StartSimulator(rig, "the request rig comes up");
}

// The I/O control code a record asks for: the one its host family expects, or another.
uint32_t IoctlFor(uint8_t choice, bool ntFamily, const std::vector<uint8_t>& buffer) {
    const size_t codeAt = (ntFamily ? 0 : 4) + ControlCodeField;
    const uint32_t headerCode = buffer.size() >= codeAt + 4 ? LoadLe32(buffer.data() + codeAt) : 0;
    switch (choice % 4) {
    case 0:
        return ntFamily ? IoctlScsiMiniport : headerCode;
    case 1:
        return IoctlScsiMiniport;
    case 2:
        return EpromAccessCode;
    default:
        return headerCode ^ 0x4;
    }
}

}  // namespace

int FuzzSimRequests(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const bool ntFamily = (data[0] & 1) == 0;
    const auto simulator = MakeSimulator(ntFamily);
    const platform::Handle handle =
        simulator->OpenDevice(ntFamily ? "\\\\.\\Scsi0:" : "\\\\.\\wrapA4");
    FuzzCheck(handle != platform::NoHandle, "the request device opens");
    size_t at = 1;
    while (size - at >= RecordHead) {
        const uint8_t choice = data[at];
        const size_t length = std::min<size_t>(data[at + 1] | data[at + 2] << 8, size - at - 3);
        at += RecordHead;
        if (choice == SleepRecord) {
            simulator->Sleep(static_cast<uint32_t>(length));
            continue;
        }
        // A buffer of exactly the request's length, so that any read past it is caught.
        std::vector<uint8_t> buffer(data + at, data + at + length);
        at += length;
        const std::vector<uint8_t> sent = buffer;
        const bool answered = simulator->DeviceControl(handle, IoctlFor(choice, ntFamily, buffer),
                                                       buffer.empty() ? nullptr : buffer.data(),
                                                       static_cast<uint32_t>(buffer.size()));
        FuzzCheck(answered || buffer == sent, "a refused request leaves the buffer as it was");
    }
    return 0;
}

}  // namespace tarvex::fuzz
