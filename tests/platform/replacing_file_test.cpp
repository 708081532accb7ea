#include <gtest/gtest.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/replacing_file.h"
#include "platform/unfinished_files.h"
#include "support/temp_dir.h"

namespace tarvex::platform {
namespace {

class ReplacingFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_dir.Root().empty()); }

    std::string Path(const char* name) const { return (m_dir.Root() / name).string(); }
    static void Put(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Get(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    size_t Entries() const { return m_dir.Count(); }

    tarvex::testing::TempDir m_dir;
};

TEST_F(ReplacingFileTest, OldContentStaysUntilCommitAndAfterAbort) {
    const std::string target = Path("image.rom");
    Put(target, "old");
    for (const std::string after : {"old", "new content"}) {  // dropped, then committed
        {
            ReplacingFile file;
            ASSERT_TRUE(file.Open(target));
            EXPECT_EQ(file.Write("new content", 11), 11u);
            EXPECT_EQ(Get(target), "old");
            ASSERT_TRUE(after == "old" || file.Commit());
        }
        EXPECT_EQ(Get(target), after);
        EXPECT_EQ(Entries(), 1u);
    }
}

#ifdef _WIN32
// Windows keeps no permission bits, only a read-only attribute, which refuses the replacement.
TEST_F(ReplacingFileTest, AReadOnlyFileIsRefusedAndKept) {
    Put(Path("kept.rom"), "old");
    ASSERT_EQ(::_chmod(Path("kept.rom").c_str(), _S_IREAD), 0);
    ReplacingFile file;
    EXPECT_FALSE(file.Open(Path("kept.rom")));
    EXPECT_EQ(Get(Path("kept.rom")), "old");
    EXPECT_EQ(Entries(), 1u);
    ::_chmod(Path("kept.rom").c_str(), _S_IREAD | _S_IWRITE);
}
#else
TEST_F(ReplacingFileTest, NewFilesGetTheModeAndExistingOnesKeepTheirs) {
    Put(Path("shared.rom"), "old");
    ::chmod(Path("shared.rom").c_str(), 0644);
    for (const auto& [name, mode] : {std::pair{"new.rom", 0600u}, {"shared.rom", 0644u}}) {
        ReplacingFile file;
        ASSERT_TRUE(file.Open(Path(name), 0600) && file.Commit()) << name;
        struct stat info {};
        ASSERT_EQ(::stat(Path(name).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode) << name;
    }
}

// Symbolic links need a privilege on Windows that a user normally lacks.

TEST_F(ReplacingFileTest, LinkStaysALinkAndItsFileIsReplaced) {
    Put(Path("real.rom"), "old");
    std::filesystem::create_symlink(Path("real.rom"), Path("link.rom"));
    ReplacingFile file;
    ASSERT_TRUE(file.Open(Path("link.rom")));
    file.Write("new", 3);
    ASSERT_TRUE(file.Commit());
    EXPECT_TRUE(std::filesystem::is_symlink(Path("link.rom")));
    EXPECT_EQ(Get(Path("real.rom")), "new");
}
#endif

TEST_F(ReplacingFileTest, DevicesAreWrittenInPlaceAndMissingFoldersFail) {
    ReplacingFile file;
#ifdef _WIN32
    const std::string nullDevice = "NUL";
#else
    const std::string nullDevice = "/dev/null";
#endif
    ASSERT_TRUE(file.Open(nullDevice));
    EXPECT_EQ(file.Write("data", 4), 4u);
    EXPECT_TRUE(file.Commit());
    EXPECT_FALSE(file.Open(Path("missing/image.rom")));
    EXPECT_EQ(Entries(), 0u);
}

TEST_F(ReplacingFileTest, UnfinishedFilesOfGoneWritersAreRemovedAndThoseOfLiveOnesKept) {
    const std::string target = Path("image.rom");
    Put(target, "old");
    // What a killed writer leaves: nobody holds its lock.
    Put(target + UnfinishedMark + "Ab12Cd", "half");
    Put(Path("other.rom") + UnfinishedMark + "Ab12Cd", "not ours to judge");
    ReplacingFile live;
    ASSERT_TRUE(live.Open(target));
    live.Write("live", 4);
    const std::vector<std::string> names = m_dir.Names();  // the stale one of image.rom gone
    ASSERT_EQ(names.size(), 3u);
    EXPECT_TRUE(names[1].starts_with("image.rom.unfinished-")) << names[1];

    ReplacingFile second;
    ASSERT_TRUE(second.Open(target));
    EXPECT_EQ(Entries(), 4u);  // the live writer's file stays
    second.Write("second", 6);
    ASSERT_TRUE(second.Commit());
    ASSERT_TRUE(live.Commit());
    EXPECT_EQ(Get(target), "live");
    EXPECT_EQ(m_dir.Names(),
              (std::vector<std::string>{"image.rom", "other.rom.unfinished-Ab12Cd"}));
}

}  // namespace
}  // namespace tarvex::platform
