#pragma once
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/rig.h"
#include "sim/rig_reader.h"

namespace tarvex::sim {

// The rig file's "adapters" array; paths are resolved against baseDir.
bool ParseAdapters(RigReader& reader, const nlohmann::json& value, const std::string& baseDir,
                   std::vector<RigAdapter>& adapters);
bool ParseFaults(RigReader& reader, const nlohmann::json& value, const std::string& key,
                 RigFaults& faults);
// A relative path is taken from baseDir (the rig file's folder).
std::string ResolveRigPath(const std::string& baseDir, const std::string& path);

}  // namespace tarvex::sim
