#include "cli/config_command.h"

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/config_entry_report.h"
#include "cli/exit_codes.h"
#include "cli/json_text.h"
#include "cli/whole_file.h"
#include "config/config_checksum.h"
#include "config/config_scan.h"
#include "config/config_state.h"
#include "config/value_input.h"
#include "config/value_slots.h"
#include "image/config_image_check.h"
#include "platform/file_io.h"
#include "platform/replacing_file.h"

namespace tarvex::cli {

namespace {

// Rows the dialog lets the user edit: the first nine, those with a label.
size_t EditableRows() {
    return std::min<size_t>(static_cast<size_t>(g_configEntryCount), ConfigSlotCount);
}

bool IsEditable(size_t row) {
    return row < EditableRows() && !ConfigLabelText(g_configEntries[row]).empty();
}

std::vector<ConfigEntry> ParsedEntries() {
    return {g_configEntries.begin(), g_configEntries.begin() + g_configEntryCount};
}

// Finds the row a setting names; -1 when no entry has that number or label.
int FindRow(const std::string& name) {
    const bool number = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
    if (number) {
        const size_t row = name.size() < 4 ? std::stoul(name) : SIZE_MAX;
        return row < static_cast<size_t>(g_configEntryCount) ? static_cast<int>(row) : -1;
    }
    for (int row = 0; row < g_configEntryCount; ++row)
        if (ConfigLabelText(g_configEntries[static_cast<size_t>(row)]) == name) return row;
    return -1;
}

// Puts one "ROW=VALUE" into its slot; returns 0 or the exit status of the refusal.
int ApplySetting(const std::string& setting, std::ostream& err) {
    const size_t equals = setting.find('=');
    if (equals == std::string::npos) {
        err << "--set " << setting << ": expected ROW=VALUE\n";
        return ExitUsage;
    }
    const std::string name = setting.substr(0, equals), value = setting.substr(equals + 1);
    const int row = FindRow(name);
    if (row < 0) {
        err << "--set " << setting << ": no config entry \"" << name << "\"\n";
        return ExitUsage;
    }
    if (!IsEditable(static_cast<size_t>(row))) {
        err << "--set " << setting << ": entry " << row
            << " cannot be edited (only the first nine entries with a label are)\n";
        return ExitBadImage;
    }
    const ConfigEntry& entry = g_configEntries[static_cast<size_t>(row)];
    if (entry.kind == ConfigEntryKind::Switch) {
        const auto choice = ParseSwitchValue(value);
        if (!choice) {
            err << "--set " << setting << ": entry " << row << " (" << ConfigLabelText(entry)
                << ") is a switch: Enable, Disable, 1 or 0, not \"" << value << "\"\n";
            return ExitBadImage;
        }
        NameSlotValue(static_cast<size_t>(row), *choice);
        return ExitOk;
    }
    const NumberRange range = AcceptedRange(entry);
    const auto number = ParseStrictDecimal(value);
    if (!number || !WithinRange(*number, range)) {
        err << "--set " << setting << ": entry " << row << " (" << ConfigLabelText(entry)
            << ") takes a decimal number from " << range.min << " to " << range.max << ", not \""
            << value << "\"\n";
        return ExitBadImage;
    }
    NameSlotValue(static_cast<size_t>(row), static_cast<uint16_t>(*number));
    return ExitOk;
}

// The dialog's OK check: every number row in view must lie within its limits.
bool NumbersWithinLimits(std::ostream& err) {
    for (size_t row = 0; row < EditableRows(); ++row) {
        const ConfigEntry& entry = g_configEntries[row];
        if (!IsEditable(row) || entry.kind == ConfigEntryKind::Switch) continue;
        const NumberRange range = AcceptedRange(entry);
        if (WithinRange(g_configSlots[row], range)) continue;
        err << ConfigLabelText(entry) << ": " << FormatLimitsMessage(range.min, range.max) << "\n";
        return false;
    }
    return true;
}

bool WriteImage(const std::string& path, const std::vector<uint8_t>& bytes, std::ostream& err) {
    platform::ReplacingFile file;
    if (!file.Open(path, platform::UserFileMode()) ||
        file.Write(bytes.data(), bytes.size()) != bytes.size() || !file.Commit()) {
        err << "Cannot write " << path << "; nothing was replaced.\n";
        return false;
    }
    return true;
}

void Report(const ConfigRequest& request, bool changed, const std::string& written,
            std::ostream& out) {
    const std::vector<ConfigEntry> entries = ParsedEntries();
    if (!request.json) {
        PrintConfigEntries(entries, out);
        if (!request.settings.empty())
            out << (changed ? "Written to " + written + "\n"
                            : "No value changed; nothing written.\n");
        return;
    }
    nlohmann::json document = {
        {"file", request.image}, {"entries", nlohmann::json::array()}, {"changed", changed}};
    for (size_t row = 0; row < entries.size(); ++row)
        document["entries"].push_back(ConfigEntryJson(row, entries[row]));
    if (changed) document["written"] = written;
    out << JsonText(document) << "\n";
}

}  // namespace

int RunConfig(const ConfigRequest& request, std::ostream& out, std::ostream& err) {
    std::vector<uint8_t> bytes;
    std::string why;
    const ReadResult read = ReadWholeFile(request.image, bytes, why);
    if (read == ReadResult::Unreadable) {
        err << "Cannot read " << request.image << ": " << why << "\n";
        return ExitFileError;
    }
    if (read == ReadResult::TooLarge) {
        err << request.image << ": Invalid BIOS image: the file is larger than any option ROM\n";
        return ExitBadImage;
    }
    if (const RomProblem problem = ConfigImageProblem(bytes); problem != RomProblem::None) {
        err << request.image << ": Invalid BIOS image: " << RomProblemText(problem) << "\n";
        return ExitBadImage;
    }
    ResetConfigState();
    ParseConfigEntries(bytes);
    LoadValueSlots();
    if (g_configEntryCount == 0) err << "The BIOS is not configurable\n";
    if (request.settings.empty()) {
        Report(request, false, "", out);
        return ExitOk;
    }
    for (const std::string& setting : request.settings)
        if (const int status = ApplySetting(setting, err); status != ExitOk) return status;
    if (!NumbersWithinLimits(err)) return ExitBadImage;

    const bool changed = ApplyConfigValues(bytes);
    const std::string target = request.output.empty() ? request.image : request.output;
    if (changed) {
        FixConfigChecksum(bytes, bytes.size());
        if (!WriteImage(target, bytes, err)) return ExitFileError;
    }
    Report(request, changed, target, out);
    return ExitOk;
}

}  // namespace tarvex::cli
