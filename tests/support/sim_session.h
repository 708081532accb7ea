#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "driver/adapter_queries.h"
#include "driver/link_state.h"
#include "driver/rom_size.h"
#include "platform/device.h"
#include "sim/simulator.h"

namespace tarvex::testing {

// An adapter of a test rig; vendor:device, chip and model as a rig file would give them.
inline sim::RigAdapter MakeAdapter(uint16_t vendor, uint16_t device, std::string chip = "none",
                                   uint8_t model = 7, std::string name = "Test Adapter") {
    sim::RigAdapter adapter;
    adapter.vendor = vendor;
    adapter.device = device;
    adapter.chip = std::move(chip);
    adapter.model = model;
    adapter.name = std::move(name);
    return adapter;
}

// A rig on the virtual clock: NT 5.1 with one implicit port, unless the test changes it.
inline sim::Rig MakeRig(std::vector<sim::RigAdapter> adapters) {
    sim::Rig rig;
    rig.clock.mode = sim::ModelClock::Mode::Virtual;
    rig.adapters = std::move(adapters);
    return rig;
}

// Installs a simulator for the rig as the device provider, with the driver link and the
// process-wide ROM size back at their start values; uninstalls it at the end.
class SimSession {
public:
    explicit SimSession(const sim::Rig& rig, bool captureTrace = true) {
        std::string error;
        m_sim = sim::Simulator::Create(rig, error);
        EXPECT_TRUE(m_sim) << error;
        if (m_sim) m_sim->CaptureTrace(captureTrace);
        platform::InstallDeviceProvider(m_sim);
        ResetDriverLink();
        RomSize = DefaultRomSize;
    }
    ~SimSession() {
        platform::InstallDeviceProvider(nullptr);
        ResetDriverLink();
        RomSize = DefaultRomSize;
    }
    SimSession(const SimSession&) = delete;
    SimSession& operator=(const SimSession&) = delete;

    sim::Simulator& Sim() { return *m_sim; }
    const std::vector<sim::TraceRecord>& Trace() const { return m_sim->CapturedTrace(); }

    // The requests of the trace, without sleeps and opens.
    std::vector<sim::TraceRecord> Requests() const {
        std::vector<sim::TraceRecord> requests;
        for (const auto& record : Trace())
            if (record.type == sim::TraceRecord::Type::Request) requests.push_back(record);
        return requests;
    }

private:
    std::shared_ptr<sim::Simulator> m_sim;
};

}  // namespace tarvex::testing
