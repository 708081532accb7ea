#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "sim/rig.h"

namespace tarvex::soak {

enum class Operation { Flash, Verify, Backup };

// Faults of the rig file, each with the status it must end a run with.
enum class Fault {
    None,
    TransientEprom,   // a few EPROM requests fail once; the transport repeats them
    RefusedInfo,      // the adapter information query always fails
    RefusedIdentity,  // the PCI identity query always fails (backup)
    ReadFails,        // EPROM reads covering an offset fail (verify, backup)
    ProgramHangs,     // programming an offset never completes (flash)
    EraseHangs,       // an erase never completes (flash)
    WeakCell,         // a cell reads one bit off whatever is programmed (flash, verify)
    Protected,        // a sector holding a protect code is protected (flash, AMD parts)
};

struct SoakCase {
    Operation operation = Operation::Flash;
    int32_t row = 0;  // catalogue row of the chip
    std::string chip;
    uint16_t device = 0;  // the adapter's and the image's PCI device
    uint32_t imageSize = 0;
    Fault fault = Fault::None;
    uint32_t offset = 0;  // where the fault sits
};

const char* OperationName(Operation operation);
const char* FaultName(Fault fault);

// A random run: a catalogue row, an adapter for it, an image size and a fault that fits the
// operation and the chip.
SoakCase RandomCase(std::mt19937_64& random);

// The image as a flash programs it: the sample of the case's size, then a zero tail.
std::vector<uint8_t> FlashedImage(const SoakCase& soakCase);

// The rig of the case on the virtual clock, the chip kept in romPath.
sim::Rig CaseRig(const SoakCase& soakCase, const std::string& romPath);

// The status the case's fault calls for: the flash status code, or verify's exit status.
int ExpectedStatus(const SoakCase& soakCase);

}  // namespace tarvex::soak
