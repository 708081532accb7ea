#include "cli/info_command.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/image_report.h"
#include "cli/json_text.h"
#include "cli/whole_file.h"
#include "config/config_scan.h"
#include "config/config_state.h"

namespace tarvex::cli {

namespace {

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
    // The entries are listed whenever Config would open the image, whatever a flash says.
    if (report.rom.configProblem == RomProblem::None) report.entries = ConfigEntriesOf(bytes);

    if (json)
        out << JsonText(ImageReportJson(report)) << "\n";
    else if (!report.rom.images.empty() && report.rom.images.front().signatureOk)
        PrintImageReport(report, out);
    const RomProblem problem = report.rom.problem;
    if (problem == RomProblem::None) return ExitOk;
    if (report.rom.configProblem == RomProblem::None)
        err << image << " cannot be flashed: " << RomProblemText(problem) << ".\n";
    else
        err << image << " is not a BIOS image: " << RomProblemText(problem) << ".\n";
    return ExitBadImage;
}

}  // namespace tarvex::cli
