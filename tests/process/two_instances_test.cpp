// Two processes at once: the second is refused at once and sends nothing to a chip.
#include "platform/host_lock.h"
#include "process_fixture.h"
#include "samples/sample_image.h"
#include "support/program_run.h"

namespace tarvex::testing {
namespace {

class TwoInstances : public ProcessTest {
protected:
    // The host lock's name as the tool gives it, for the lock file every launch names: the file
    // itself on POSIX, a named mutex on Windows.
    std::string LockName() const {
        SetEnvironment("TARVEX_LOCK_FILE", Path("host.lock"));
        const std::string name = platform::HostLockName();
        UnsetEnvironment("TARVEX_LOCK_FILE");
        return name;
    }
};

TEST_F(TwoInstances, WhileOneFlashesTheOthersAreRefusedAtOnceAndTouchNoChip) {
    WriteRig("1C5D:0A12", "SST 39SF010A");
    WriteFile(Path("image.rom"), MakeSampleImage({0x1C5D, 0x0A12, 32768, ClassCodeRaid, "x"}));
    CliProcess first(Launch({"flash", Path("image.rom")}, Path("trace.fifo")));
    ASSERT_TRUE(first.RunUntilError("Erasing....")) << first.Err();

    const std::vector<std::string> commands[] = {{"flash", Path("image.rom")},
                                                 {"backup", Path("backup.rom")},
                                                 {"verify", Path("image.rom")},
                                                 {"identify"},
                                                 {"list"}};
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0]);
        CliLaunch second = Launch(args);
        second.env.push_back("TARVEX_SIM_TRACE=" + Path("second.jsonl"));
        std::string err, out;
        EXPECT_EQ(RunCli(second, &err, &out), 75);
        EXPECT_NE(err.find("An operation is running elsewhere: another process holds " +
                           LockName() + "."),
                  std::string::npos)
            << err;
        // List still lists the adapters from the driver's answers; nothing else reaches a device.
        const std::vector<uint8_t> trace = ReadFile(Path("second.jsonl"));
        const std::string traced(trace.begin(), trace.end());
        EXPECT_EQ(traced.find("\"eprom\""), std::string::npos);
        EXPECT_EQ(traced.empty(), args[0] != "list");
        if (args[0] == "list") {
            EXPECT_NE(out.find("[0] Test (KVRA2), PCI 1C5D:0A12, ROM 64 KiB, Flash Model: not "
                               "checked, an operation is running elsewhere\n"),
                      std::string::npos)
                << out;
        }
        std::filesystem::remove(Path("second.jsonl"));
    }
    EXPECT_FALSE(std::filesystem::exists(Path("backup.rom")));

    first.Kill();  // its lock goes with it
    std::string err;
    EXPECT_EQ(RunCli(Launch({"flash", Path("image.rom")}), &err), 0) << err;
}

}  // namespace
}  // namespace tarvex::testing
