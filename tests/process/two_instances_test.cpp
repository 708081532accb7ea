// Two processes at once: the second is refused at once and sends nothing to a chip.
#include "platform/host_lock.h"
#include "process_fixture.h"
#include "samples/sample_image.h"

namespace tarvex::testing {
namespace {

using TwoInstances = ProcessTest;

TEST_F(TwoInstances, WhileOneFlashesTheOthersAreRefusedAtOnceAndTouchNoChip) {
    WriteRig("1C5D:0A12", "SST 39SF010A");
    WriteFile(Path("image.rom"), MakeSampleImage({0x1C5D, 0x0A12, 32768, ClassCodeRaid, "x"}));
    ChildProcess first(Launch({"flash", Path("image.rom")}, Path("trace.fifo")));
    ASSERT_TRUE(first.RunUntil("Erasing....")) << first.Err();
    // The tool names its host lock (a file on POSIX, a mutex on Windows) as HostLockName does.
    ScopedEnvironment lock({{"TARVEX_LOCK_FILE", Path("host.lock")}});

    const std::vector<std::string> commands[] = {{"flash", Path("image.rom")},
                                                 {"backup", Path("backup.rom")},
                                                 {"verify", Path("image.rom")},
                                                 {"identify"},
                                                 {"list"}};
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0]);
        ChildLaunch second = Launch(args);
        second.env.emplace_back("TARVEX_SIM_TRACE", Path("second.jsonl"));
        const ProgramResult refused = RunToEnd(second);
        EXPECT_EQ(refused.exit, 75);
        EXPECT_NE(refused.err.find("An operation is running elsewhere: another process holds " +
                                   platform::HostLockName() + "."),
                  std::string::npos)
            << refused.err;
        // List still lists the adapters from the driver's answers; nothing else reaches a device.
        const std::vector<uint8_t> trace = ReadFile(Path("second.jsonl"));
        const std::string traced(trace.begin(), trace.end());
        EXPECT_EQ(traced.find("\"eprom\""), std::string::npos);
        EXPECT_EQ(traced.empty(), args[0] != "list");
        if (args[0] == "list") {
            EXPECT_NE(
                refused.out.find("[0] Test (KVRA2), PCI 1C5D:0A12, ROM 64 KiB, Flash Model: not "
                                 "checked, an operation is running elsewhere\n"),
                std::string::npos)
                << refused.out;
        }
        std::filesystem::remove(Path("second.jsonl"));
    }
    EXPECT_FALSE(std::filesystem::exists(Path("backup.rom")));

    first.Kill();  // its lock goes with it
    EXPECT_EQ(RunToEnd(Launch({"flash", Path("image.rom")})).exit, 0);
}

}  // namespace
}  // namespace tarvex::testing
