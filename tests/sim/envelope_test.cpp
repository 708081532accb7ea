#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "sim_test_support.h"

namespace tarvex::sim {
namespace {

using namespace testing;

Rig TwoAdapters(bool nt) {
    Rig rig = MakeRig({Adapter(), tarvex::testing::MakeAdapter(0x1C5D, 0x0C31, "none", 12,
                                                               std::string(80, 'r'))});
    if (!nt) rig.host = RigHost{.nt = false, .major = 4, .minor = 10, .extendedVersionInfo = false};
    rig.driver.wrapperNames = {"KvrWrap"};  // in place of the usual names
    rig.adapters[0].name = std::string(71, 'a');
    rig.driver.interfaceVersion = 0x01000203;
    return rig;
}

Bench Open(bool nt) { return Bench(TwoAdapters(nt), nt ? "\\\\.\\Scsi0:" : "\\\\.\\KvrWrap"); }

class Envelopes : public ::testing::TestWithParam<bool> {};

TEST_P(Envelopes, AnswerEveryRequestInTheOutputAreaOnly) {
    Bench b = Open(GetParam());
    const auto& sim = b.sim;
    platform::HostVersion v;  // the 9x host gives no extended record
    EXPECT_EQ(sim->GetHostVersion(v, true), GetParam());
    if (!GetParam()) {
        EXPECT_EQ(platform::GetLastError(), platform::ErrorInvalidParameter);
    }
    ASSERT_TRUE(sim->GetHostVersion(v, false));
    EXPECT_EQ(std::tuple(v.platformId, v.major, v.minor),
              GetParam() ? std::tuple(platform::PlatformNt, 5u, 1u)
                         : std::tuple(platform::PlatformWin9x, 4u, 10u));
    EXPECT_EQ(b.Ask(0, Version, {}, 4).output, Words({0x01000203}));
    EXPECT_EQ(b.Ask(0, Count, {}, 4).output, Words({2}));
    EXPECT_EQ(b.Ask(1, Pci, Words({1}), 4).output, Words({0x0C311C5D}));
    // Without ports in the rig, port 0 alone serves and lists every adapter.
    EXPECT_EQ(b.Ask(0, List, Words({3}), 16).output, Words({2, 0, 1, 0}));
    for (const char* name : {GetParam() ? "\\\\.\\Scsi1:" : "\\\\.\\Scsi0:", "\\\\.\\wrapA4"})
        EXPECT_EQ(sim->OpenDevice(name), platform::NoHandle) << name;
    EXPECT_TRUE(b.Read(0, 1, 1).ok);
    const std::vector<uint8_t> block = Words({44, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(b.Ask(0, Capability, block, 44).output, block);

    // Adapter information names its adapter in the input; a name that fills the field
    // comes without its NUL.
    const std::vector<uint8_t> info0 = b.Ask(0, Info, Words({0}), 76).output;
    EXPECT_EQ(info0[0], 7);
    EXPECT_EQ(std::string(info0.begin() + 4, info0.end()), std::string(71, 'a') + '\0');
    const std::vector<uint8_t> info1 = b.Ask(0, Info, Words({1}), 76).output;
    EXPECT_EQ(info1[0], 12);
    EXPECT_EQ(std::string(info1.begin() + 4, info1.end()), std::string(72, 'r'));

    std::vector<uint8_t> e = Envelope(GetParam(), 1, Pci, Words({1}), 4);
    const std::vector<uint8_t> sent = e;
    ASSERT_TRUE(
        sim->DeviceControl(b.handle, GetParam() ? Miniport : Pci, e.data(), uint32_t(e.size())));
    EXPECT_TRUE(std::equal(sent.begin(), sent.end() - 4, e.begin()));
}

INSTANTIATE_TEST_SUITE_P(BothHostFamilies, Envelopes, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Nt" : "Win9x"; });

// A well-formed request of each kind for adapter 0.
std::vector<uint8_t> WellFormed(bool nt, uint32_t code) {
    switch (code) {
    case Version:
    case Count: return Envelope(nt, 0, code, {}, 4);
    case Info:
    case Pci: return Envelope(nt, 0, code, Words({0}), code == Pci ? 4 : 76);
    case Capability: return Envelope(nt, 0, code, Words({44, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 44);
    case List: return Envelope(nt, 0, code, Words({32}), 4 + 4 * 32);
    default: return Envelope(nt, 0, Eprom, EpromWrite(0, 0x100, {0}), 0);
    }
}

using Spoil = std::function<void(std::vector<uint8_t>&, uint32_t&)>;

Spoil Put(size_t at, uint32_t value) {
    return [=](std::vector<uint8_t>& e, uint32_t&) { StoreLe32(&e[at], value); };
}

Spoil Rebuild(uint32_t code, std::vector<uint8_t> input, uint32_t outLen) {
    return [=](std::vector<uint8_t>& e, uint32_t&) { e = Envelope(true, 0, code, input, outLen); };
}

TEST(Envelopes, MalformedOnesFailWithInvalidParameterAndChangeNothing) {
    const struct {
        const char* what;
        bool nt;
        uint32_t code;
        Spoil spoil;
    } cases[] = {
        {"ioctl not the miniport's", true, Eprom, [](auto&, uint32_t& io) { io = Eprom; }},
        {"ioctl not the code on 9x", false, Eprom, [](auto&, uint32_t& io) { io = Miniport; }},
        {"header length", true, Eprom, Put(0, 32)},
        {"signature", true, Eprom, [](auto& e, uint32_t&) { e[4] = 'k'; }},
        {"Length field", true, Eprom, Put(24, 20 + 8 + 1)},
        {"buffer longer", true, Eprom, [](auto& e, uint32_t&) { e.push_back(0); }},
        {"buffer shorter", true, Eprom, [](auto& e, uint32_t&) { e.pop_back(); }},
        {"shorter than a header", false, Eprom, [](auto& e, uint32_t&) { e.resize(38); }},
        {"no buffer", true, Eprom, [](auto& e, uint32_t&) { e = {}; }},
        {"unknown code", true, Eprom, Put(16, 0x03702594)},
        {"direction 2", true, Eprom, Put(36 + 8, 2)},
        {"write padding missing", true, Eprom, Rebuild(Eprom, Words({0, 9, 1, 4, 0}), 0)},
        {"read output too short", true, Eprom, Rebuild(Eprom, Words({0, 0, 0, 4}), 3)},
        {"read carrying data", true, Eprom, Rebuild(Eprom, Words({0, 0, 0, 0}), 1)},
        {"eprom adapter not the prefix", false, Eprom, Put(0, 1)},
        {"pci input not the prefix", false, Pci, Put(0, 1)},
        {"version with input", true, Version, Rebuild(Version, Words({0}), 4)},
        {"count with 8-byte output", true, Count, Rebuild(Count, {}, 8)},
        {"info output 72", true, Info, Rebuild(Info, Words({0}), 72)},
        {"capability first word", true, Capability, Put(36, 40)},
        {"list output for 31", true, List, Rebuild(List, Words({32}), 4 + 4 * 31)},
    };
    for (const auto& c : cases) {
        Rig rig = TwoAdapters(c.nt);
        for (const char* kind : RequestKindNames) rig.adapters[0].faults.transient[kind] = 1;
        Bench b(rig, c.nt ? "\\\\.\\Scsi0:" : "\\\\.\\KvrWrap");
        std::vector<uint8_t> e = WellFormed(c.nt, c.code);
        uint32_t ioctl = c.nt ? Miniport : c.code;
        c.spoil(e, ioctl);
        const std::vector<uint8_t> sent = e;
        EXPECT_FALSE(b.sim->DeviceControl(b.handle, ioctl, e.data(), uint32_t(e.size()))) << c.what;
        EXPECT_EQ(platform::GetLastError(), platform::ErrorInvalidParameter) << c.what;
        EXPECT_EQ(e, sent) << c.what;
        // The kind's transient fault is left for the next well-formed request.
        e = WellFormed(c.nt, c.code);
        EXPECT_FALSE(
            b.sim->DeviceControl(b.handle, c.nt ? Miniport : c.code, e.data(), uint32_t(e.size())));
        EXPECT_EQ(platform::GetLastError(), platform::ErrorGenFailure) << c.what;
    }
}

}  // namespace
}  // namespace tarvex::sim
