#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "sim/chips/chip_model.h"

namespace tarvex::sim::testing {

// One chip driven as the substitute driver does: every cycle is a request costing LatencyUs.
struct ChipBus {
    static constexpr uint64_t LatencyUs = 20;

    explicit ChipBus(const std::string& chip, const ChipFaults& faults = {},
                     const std::string& romPath = "", ChipTiming timing = {}, bool sdp = true)
        : store(ChipModelSize(chip), romPath, sdp),
          model(MakeChipModel(chip, store, clock, faults, timing)) {}

    void Write(uint32_t offset, uint8_t value) {
        clock.Advance(LatencyUs);
        model->Write(offset, value);
    }
    uint8_t Read(uint32_t offset) {
        clock.Advance(LatencyUs);
        return model->Read(offset);
    }
    uint16_t IdWord() { return static_cast<uint16_t>(Read(0) | Read(1) << 8); }
    // Status reads: DQ6 toggles between two reads while the part is busy.
    bool Toggles(uint32_t offset) { return ((Read(offset) ^ Read(offset)) & 0x40) != 0; }

    // AA 55 <command> on the long (5555/2AAA) or short (555/2AA) set, from base upwards.
    void Command(uint8_t command, bool shortSet = false, uint32_t base = 0) {
        Write(base + (shortSet ? 0x555 : 0x5555), 0xAA);
        Write(base + (shortSet ? 0x2AA : 0x2AAA), 0x55);
        Write(base + (shortSet ? 0x555 : 0x5555), command);
    }
    void SixCycle(uint8_t command, bool shortSet = false) {
        Command(0x80, shortSet);
        Command(command, shortSet);
    }
    // AA 55 A0, then the bytes back to back from offset.
    void Program(uint32_t offset, std::initializer_list<uint8_t> bytes, bool shortSet = false) {
        Command(0xA0, shortSet);
        for (uint8_t b : bytes) Write(offset++, b);
    }
    // Data polling: reads until DQ7 shows bit 7 of expected; the reads taken, or -1.
    int Poll(uint32_t offset, uint8_t expected, int limit = 100000) {
        for (int reads = 1; reads <= limit; ++reads)
            if (((Read(offset) ^ expected) & 0x80) == 0) return reads;
        return -1;
    }

    ModelClock clock{ModelClock::Mode::Virtual};
    ChipStore store;
    std::unique_ptr<ChipModel> model;
};

}  // namespace tarvex::sim::testing
