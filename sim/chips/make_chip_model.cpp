#include "sim/chips/short_set_chip.h"
#include "sim/chips/byte_program_chip.h"
#include "sim/chips/chip_model.h"
#include "sim/chips/driver_programmed_chip.h"
#include "sim/chips/page_write_chip.h"
#include "sim/chips/part_facts.h"

namespace tarvex::sim {

std::unique_ptr<ChipModel> MakeChipModel(const std::string& chip, ChipStore& store,
                                         const ModelClock& clock, const ChipFaults& faults,
                                         const ChipTiming& timing) {
    const PartFacts* part = FindPart(chip);
    // The store must hold exactly the part's cells (ChipModelSize tells its size).
    if (part == nullptr || store.Size() != part->size) return nullptr;
    switch (part->family) {
    case ChipFamily::PageWrite:
        return std::make_unique<PageWriteChip>(*part, store, clock, faults, timing);
    case ChipFamily::ByteProgram:
        return std::make_unique<ByteProgramChip>(*part, store, clock, faults, timing);
    case ChipFamily::ShortSet:
        return std::make_unique<ShortSetChip>(*part, store, clock, faults, timing);
    case ChipFamily::DriverProgrammed:
        return std::make_unique<DriverProgrammedChip>(*part, store, clock, faults, timing);
    }
    return nullptr;
}

uint32_t ChipModelSize(const std::string& chip) {
    const PartFacts* part = FindPart(chip);
    return part != nullptr ? part->size : 0;
}

}  // namespace tarvex::sim
