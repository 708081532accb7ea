#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/device_provider.h"
#include "sim/rig.h"
#include "sim/trace.h"

namespace tarvex::sim {

class SimulatorState;

// The substitute for the adapters' storage driver: answers device opens and requests for
// the host, ports, wrapper devices and adapters of a rig.
class Simulator : public platform::DeviceProvider {
public:
    // Null when the rig cannot be brought up (a ROM or trace file that cannot be opened);
    // error says why, after the rig key it concerns ("adapters[0].rom: cannot open ...").
    static std::shared_ptr<Simulator> Create(const Rig& rig, std::string& error);
    ~Simulator() override;

    platform::Handle OpenDevice(const std::string& name) override;
    void CloseDevice(platform::Handle handle) override;
    bool DeviceControl(platform::Handle handle, uint32_t ioControlCode, uint8_t* buffer,
                       uint32_t length) override;
    void Sleep(uint32_t milliseconds) override;
    bool GetHostVersion(platform::HostVersion& version, bool extended) override;
    uint64_t ClockUs() override;  // model time
    platform::ProviderDescription Describe() const override;

    // For tests, benchmarks and the command line.
    const Rig& GetRig() const;
    ModelClock& Clock();
    uint64_t RequestCount() const;  // every DeviceControl call, accepted or not
    ChipModel* Chip(uint32_t adapter);
    std::vector<uint8_t> ChipContents(uint32_t adapter) const;
    // Keeps every trace record in memory as well (off by default: a flash makes ~10^6).
    void CaptureTrace(bool on);
    const std::vector<TraceRecord>& CapturedTrace() const;
    void ClearCapturedTrace();

private:
    explicit Simulator(std::unique_ptr<SimulatorState> state);
    std::unique_ptr<SimulatorState> m_state;
};

}  // namespace tarvex::sim
