#include "flash/command_sequences.h"

#include <initializer_list>

#include "flash/data_poll.h"
#include "flash/eprom_access.h"
#include "flash/program_routines.h"
#include "platform/device.h"

namespace tarvex {

namespace {

struct CommandCycle {
    uint32_t offset;
    uint8_t value;
};

constexpr uint32_t L1 = LongFirstCycleOffset;
constexpr uint32_t L2 = LongSecondCycleOffset;
constexpr uint32_t S1 = ShortFirstCycleOffset;
constexpr uint32_t S2 = ShortSecondCycleOffset;

void SendCycles(AdapterIndex adapter, std::initializer_list<CommandCycle> cycles) {
    for (const CommandCycle& cycle : cycles) WriteEpromByte(adapter, cycle.offset, cycle.value);
}

}  // namespace

void IdEntrySixCycle(AdapterIndex adapter) {
    SendCycles(adapter, {{L1, 0xAA}, {L2, 0x55}, {L1, 0x80}, {L1, 0xAA}, {L2, 0x55}, {L1, 0x60}});
    platform::SleepMs(CommandWaitMs);
}

void IdExit(AdapterIndex adapter) { SendCycles(adapter, {{L1, 0xAA}, {L2, 0x55}, {L1, 0xF0}}); }

void IdEntryThreeCycle(AdapterIndex adapter) {
    SendCycles(adapter, {{L1, 0xAA}, {L2, 0x55}, {L1, 0x90}});
    platform::SleepMs(CommandWaitMs);
}

void IdExitWait(AdapterIndex adapter) {
    IdExit(adapter);
    platform::SleepMs(CommandWaitMs);
}

void PageWrite(AdapterIndex adapter, uint32_t start, const uint8_t* data, uint16_t count) {
    SendCycles(adapter, {{L1, 0xAA}, {L2, 0x55}, {L1, 0xA0}});
    WriteBytes(adapter, start, data, count);
    platform::SleepMs(CommandWaitMs);
}

void ChipErase(AdapterIndex adapter) {
    SendCycles(adapter, {{L1, 0xAA}, {L2, 0x55}, {L1, 0x80}, {L1, 0xAA}, {L2, 0x55}, {L1, 0x10}});
}

void ByteProgramPrefix(AdapterIndex adapter) {
    SendCycles(adapter, {{L1, 0xAA}, {L2, 0x55}, {L1, 0xA0}});
}

void AutoselectEntry(AdapterIndex adapter) {
    SendCycles(adapter, {{S1, 0xAA}, {S2, 0x55}, {S1, 0x90}});
}

void AutoselectReset(AdapterIndex adapter) { SendCycles(adapter, {{S1, 0xF0}}); }

void ChipEraseShort(AdapterIndex adapter) {
    SendCycles(adapter, {{S1, 0xAA}, {S2, 0x55}, {S1, 0x80}, {S1, 0xAA}, {S2, 0x55}, {S1, 0x10}});
    DataPoll(adapter, 0, 0xFF);
}

void ByteProgramPrefixShort(AdapterIndex adapter) {
    SendCycles(adapter, {{S1, 0xAA}, {S2, 0x55}, {S1, 0xA0}});
}

}  // namespace tarvex
