#include "sim/rig.h"

namespace tarvex::sim {

namespace {

RigAdapter DefaultAdapter(uint16_t device, uint8_t model, const char* name, const char* chip) {
    RigAdapter adapter;
    adapter.vendor = 0x1C5D;
    adapter.device = device;
    adapter.model = model;
    adapter.name = name;
    adapter.chip = chip;
    return adapter;
}

}  // namespace

Rig DefaultRig() {
    Rig rig;
    rig.host = RigHost{.nt = true, .major = 5, .minor = 1, .extendedVersionInfo = true};
    rig.driver.interfaceVersion = 0x01000000;
    // Wall time follows model time, so that a demonstration runs at the hardware's pace.
    rig.clock = RigClock{.mode = ModelClock::Mode::Real, .requestLatencyUs = 20};
    // 0x0A12 and 0x0B22 carry 64 KiB ROMs, 0x0C32 a 128 KiB one.
    rig.adapters.push_back(DefaultAdapter(0x0A12, 7, "Tarvex ATA133", "SST 39SF010A"));
    rig.adapters.push_back(DefaultAdapter(0x0B22, 9, "Tarvex SATA150", "WINBOND W29C020C"));
    rig.adapters.push_back(DefaultAdapter(0x0C32, 12, "Tarvex SATA300 RAID", "ATMEL FLASH"));
    rig.source = "built-in default";
    return rig;
}

}  // namespace tarvex::sim
