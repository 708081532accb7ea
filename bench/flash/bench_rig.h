#pragma once
#include <memory>
#include <string>

#include "sim/simulator.h"

namespace tarvex::bench {

// Installs a simulator on the virtual clock with one adapter carrying the chip, with the
// driver link reset; the identity gives a 64 KiB or a 128 KiB ROM.
std::shared_ptr<sim::Simulator> InstallBenchRig(const std::string& chip, bool largeRom);

}  // namespace tarvex::bench
