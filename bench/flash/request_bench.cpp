#include <benchmark/benchmark.h>

#include "bench/flash/bench_rig.h"
#include "driver/discovery.h"
#include "flash/eprom_access.h"

namespace tarvex {
namespace {

// One driver round trip: envelope, transport, simulator decode, chip read, answer copied back.
void BM_EpromByteReadRoundTrip(benchmark::State& state) {
    auto simulator = bench::InstallBenchRig("SST 39SF010A", false);
    EnsureDriverLink();
    uint32_t offset = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadEpromByte(0, offset));
        offset = (offset + 1) & 0xFFFF;
    }
    state.counters["model_us_per_request"] = benchmark::Counter(
        static_cast<double>(simulator->Clock().NowUs()) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_EpromByteReadRoundTrip);

}  // namespace
}  // namespace tarvex
