#include "sim/device_table.h"

#include <algorithm>
#include <charconv>
#include <strings.h>

namespace tarvex::sim {

namespace {

constexpr std::string_view DevicePrefix = "\\\\.\\";
constexpr std::string_view PortPrefix = "Scsi";

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The port number of "\\.\Scsi<n>:", written as the system writes it (no leading zeros).
bool ParsePortName(std::string_view name, uint32_t& port) {
    if (name.size() < DevicePrefix.size() + PortPrefix.size() + 2 || name.back() != ':' ||
        !SameName(name.substr(0, DevicePrefix.size() + PortPrefix.size()),
                  std::string(DevicePrefix) + std::string(PortPrefix)))
        return false;
    std::string_view digits = name.substr(DevicePrefix.size() + PortPrefix.size());
    digits.remove_suffix(1);
    if (digits.size() > 1 && digits[0] == '0') return false;
    const char* end = digits.data() + digits.size();
    auto [last, ec] = std::from_chars(digits.data(), end, port);
    return ec == std::errc() && last == end;
}

}  // namespace

bool DeviceTable::Lookup(const std::string& name, SimDevice& device) const {
    device = SimDevice{name, nullptr};
    if (!m_rig.host.nt) {
        if (!SameName(std::string_view(name).substr(0, DevicePrefix.size()), DevicePrefix))
            return false;
        const std::string_view wrapper = std::string_view(name).substr(DevicePrefix.size());
        return std::any_of(m_rig.driver.wrapperNames.begin(), m_rig.driver.wrapperNames.end(),
                           [&](const std::string& w) { return SameName(w, wrapper); });
    }
    uint32_t port = 0;
    if (!ParsePortName(name, port)) return false;
    if (!m_rig.ports) return port == 0;
    if (port >= m_rig.ports->size() || !(*m_rig.ports)[port].exists) return false;
    device.port = &(*m_rig.ports)[port];
    return true;
}

platform::Handle DeviceTable::Open(const std::string& name) {
    SimDevice device;
    if (!Lookup(name, device)) return platform::NoHandle;
    m_devices.push_back(std::move(device));
    m_open.push_back(true);
    return static_cast<platform::Handle>(m_devices.size());
}

void DeviceTable::Close(platform::Handle handle) {
    if (Find(handle)) m_open[static_cast<size_t>(handle - 1)] = false;
}

const SimDevice* DeviceTable::Find(platform::Handle handle) const {
    if (handle <= 0 || static_cast<size_t>(handle) > m_devices.size()) return nullptr;
    const auto index = static_cast<size_t>(handle - 1);
    return m_open[index] ? &m_devices[index] : nullptr;
}

bool DeviceTable::AnswersProbe(const SimDevice& device) const {
    return !device.port || device.port->answersProbe;
}

bool DeviceTable::AnswersAdapterList(const SimDevice& device) const {
    return !device.port || device.port->adapterList;
}

bool DeviceTable::Serves(const SimDevice& device, uint32_t adapter) const {
    if (!device.port) return true;
    const auto& list = device.port->adapters;
    return std::find(list.begin(), list.end(), adapter) != list.end();
}

std::vector<uint32_t> DeviceTable::ListedAdapters(const SimDevice& device) const {
    if (device.port) return device.port->adapters;
    std::vector<uint32_t> all(m_rig.adapters.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<uint32_t>(i);
    return all;
}

}  // namespace tarvex::sim
