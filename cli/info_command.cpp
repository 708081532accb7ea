#include "cli/info_command.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/image_report.h"
#include "config/config_scan.h"
#include "config/config_state.h"

namespace tarvex::cli {

namespace {

// Option ROMs are far smaller; anything beyond this is refused unread.
constexpr off_t MaxInfoFile = 64 * 1024 * 1024;

enum class ReadResult { Ok, Unreadable, TooLarge };

ReadResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return ReadResult::Unreadable;
    }
    struct stat info {};
    ReadResult result = ReadResult::Ok;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = "not a regular file";
        result = ReadResult::Unreadable;
    } else if (info.st_size > MaxInfoFile) {
        result = ReadResult::TooLarge;
    } else {
        bytes.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        if (done != bytes.size()) {
            why = "the file could not be read whole";
            result = ReadResult::Unreadable;
        }
    }
    ::close(fd);
    return result;
}

std::vector<ConfigEntry> ConfigEntriesOf(const std::vector<uint8_t>& bytes) {
    const int32_t count = ParseConfigEntries(bytes);
    std::vector<ConfigEntry> entries;
    for (int32_t row = 0; row < count && row < static_cast<int32_t>(g_configEntries.size()); ++row)
        entries.push_back(g_configEntries[static_cast<size_t>(row)]);
    return entries;
}

}  // namespace

int RunInfo(const std::string& image, bool json, std::ostream& out, std::ostream& err) {
    std::vector<uint8_t> bytes;
    std::string why;
    const ReadResult read = ReadWholeFile(image, bytes, why);
    if (read == ReadResult::Unreadable) {
        err << "Cannot read " << image << ": " << why << "\n";
        return ExitFileError;
    }
    if (read == ReadResult::TooLarge) {
        err << image << " is not a BIOS image: the file is larger than any option ROM.\n";
        return ExitBadImage;
    }
    ImageReport report{image, DescribeOptionRom(bytes), {}};
    if (report.rom.problem == RomProblem::None) report.entries = ConfigEntriesOf(bytes);

    if (json)
        out << ImageReportJson(report).dump(2) << "\n";
    else if (!report.rom.images.empty() && report.rom.images.front().signatureOk)
        PrintImageReport(report, out);
    if (report.rom.problem == RomProblem::None) return ExitOk;
    err << image << " is not a BIOS image: " << RomProblemText(report.rom.problem) << ".\n";
    return ExitBadImage;
}

}  // namespace tarvex::cli
