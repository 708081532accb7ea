// Hundreds of flash, verify and backup runs over random catalogue rows, image sizes and
// injected faults: each run must end with the status its fault calls for, and memory, open
// descriptors and files must not grow.  tarvex-soak [runs, default 300] [seed, default 14]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "bench/soak/process_usage.h"
#include "bench/soak/soak_case.h"
#include "bench/soak/soak_run.h"

namespace tarvex::soak {
namespace {

constexpr int WarmUpRuns = 20;  // allocators and caches settle before growth is judged
constexpr int ReportEvery = 50;

void PrintUsage(const char* when, int runs, const ProcessUsage& usage) {
    std::printf("%-10s after %4d runs: RSS %6zu KiB, open descriptors %zu, files in folder %zu "
                "(unfinished %zu)\n",
                when, runs, usage.residentKiB, usage.openFiles, usage.folderFiles,
                usage.unfinished);
}

void PrintMismatch(int run, const SoakCase& c, int status, int expected) {
    std::printf("run %d: %s, row %d (%s), 1C5D:%04X, image %u bytes, fault %s at 0x%X: "
                "status %d, expected %d\n",
                run, OperationName(c.operation), c.row, c.chip.c_str(), c.device, c.imageSize,
                FaultName(c.fault), c.offset, status, expected);
}

int Soak(int runs, unsigned seed) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvex-soak-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 2;
    const std::string folder = pattern;
    ::setenv("TARVEX_LOCK_FILE", (folder + "/host.lock").c_str(), 1);

    std::mt19937_64 random(seed);
    std::map<int, int> statuses;
    std::map<std::string, int> kinds;
    int mismatches = 0;
    const ProcessUsage start = MeasureUsage(folder);
    PrintUsage("start", 0, start);
    ProcessUsage settled = start, now = start;
    const auto began = std::chrono::steady_clock::now();
    for (int run = 1; run <= runs; ++run) {
        const SoakCase c = RandomCase(random);
        const int status = RunCase(c, folder);
        const int expected = ExpectedStatus(c);
        ++statuses[status];
        ++kinds[std::string(OperationName(c.operation)) + " / " + FaultName(c.fault)];
        if (status != expected) {
            ++mismatches;
            PrintMismatch(run, c, status, expected);
        }
        now = MeasureUsage(folder);
        if (run == WarmUpRuns) settled = now;
        if (run % ReportEvery == 0) PrintUsage("progress", run, now);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    PrintUsage("warmed up", std::min(runs, WarmUpRuns), settled);
    PrintUsage("end", runs, now);
    std::printf("%d runs in %.1f s, %d with another status than their fault calls for\n", runs,
                seconds, mismatches);
    for (const auto& [status, count] : statuses) std::printf("  status %3d: %d runs\n", status, count);
    for (const auto& [kind, count] : kinds) std::printf("  %-32s %d runs\n", kind.c_str(), count);
    std::filesystem::remove_all(folder);

    const bool leaked = now.openFiles > settled.openFiles || now.folderFiles > settled.folderFiles ||
                        now.unfinished > 0;
    if (leaked) std::printf("Descriptors or files grew.\n");
    return mismatches == 0 && !leaked ? 0 : 1;
}

}  // namespace
}  // namespace tarvex::soak

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 300;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 14;
    return tarvex::soak::Soak(runs, seed);
}
