#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>

#include "bench/flash/bench_rig.h"
#include "flash/event_channel.h"
#include "flash/flash_run.h"
#include "flash/run_state.h"
#include "platform/device.h"

namespace tarvex {
namespace {

// One chip of each family; the default request latency covers their erase and program times.
const char* const FamilyChips[] = {"ATMEL FLASH", "WINBOND W29C020C", "SST 39SF010A",
                                   "AMD29F010"};

void IgnoreEvent(uint32_t, int32_t, const char*) {}

void LoadImage(uint32_t length) {
    FlashRunState& run = CurrentFlashRunState();
    run.image = std::make_unique<uint8_t[]>(length);
    std::mt19937 random(7);
    for (uint32_t i = 0; i < length; ++i) run.image[i] = static_cast<uint8_t>(random());
    run.image[0] = 0x55;
    run.image[1] = 0xAA;
    run.image[2] = static_cast<uint8_t>(length / 512);
    std::memset(run.image.get() + 4, 0, 4);
    run.imageLength = static_cast<int32_t>(length);
    run.status = StatusOk;
}

// A whole flash and verify on the virtual clock: CPU time per run against the model time the
// chip would take on the hardware.
void BM_FlashAndVerify(benchmark::State& state) {
    const char* chip = FamilyChips[state.range(0)];
    const auto length = static_cast<uint32_t>(state.range(1));
    double modelSeconds = 0;
    uint64_t requests = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto simulator = bench::InstallBenchRig(chip, length > 65536 || state.range(0) == 0);
        LoadImage(length);
        SetEventSink(IgnoreEvent);
        const uint64_t requestsBefore = platform::DeviceRequestCount();
        state.ResumeTiming();
        if (FlashRun(0) != 1) state.SkipWithError("flash run failed");
        state.PauseTiming();
        modelSeconds = static_cast<double>(simulator->Clock().NowUs()) / 1e6;
        requests = platform::DeviceRequestCount() - requestsBefore;
        platform::InstallDeviceProvider(nullptr);
        state.ResumeTiming();
    }
    state.SetLabel(chip);
    state.counters["model_s"] = modelSeconds;
    state.counters["requests"] = static_cast<double>(requests);
}
BENCHMARK(BM_FlashAndVerify)
    ->ArgsProduct({{0, 1, 2, 3}, {65536, 131072}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
}  // namespace tarvex
