#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/device_provider.h"
#include "sim/rig.h"

namespace tarvex::sim {

// A device the rig offers: a SCSI port (NT) or the driver's wrapper (9x).
struct SimDevice {
    std::string name;
    const RigPort* port = nullptr;  // null: the implicit port or the wrapper, serving all
};

// Open devices by handle. Handles are small positive numbers, never reused, so that a
// request on a closed handle is caught.
class DeviceTable {
public:
    explicit DeviceTable(const Rig& rig) : m_rig(rig) {}

    // NoHandle when the rig has no such device.
    platform::Handle Open(const std::string& name);
    void Close(platform::Handle handle);
    // Null for a handle that is not open.
    const SimDevice* Find(platform::Handle handle) const;

    bool AnswersProbe(const SimDevice& device) const;
    bool AnswersAdapterList(const SimDevice& device) const;
    bool Serves(const SimDevice& device, uint32_t adapter) const;
    // The adapter numbers the device lists.
    std::vector<uint32_t> ListedAdapters(const SimDevice& device) const;

private:
    bool Lookup(const std::string& name, SimDevice& device) const;

    const Rig& m_rig;
    std::vector<SimDevice> m_devices;  // handle - 1
    std::vector<bool> m_open;
};

}  // namespace tarvex::sim
