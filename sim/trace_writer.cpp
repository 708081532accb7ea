#include "sim/trace_writer.h"

#include <cerrno>
#include <charconv>
#include <cstring>

namespace tarvex::sim {

namespace {

constexpr char HexDigits[] = "0123456789abcdef";

void AppendNumber(std::string& line, uint64_t value) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    (void)ec;
    line.append(digits, end);
}

void AppendText(std::string& line, const std::string& text) {
    line += '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            line += '\\';
            line += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            line += "\\u00";
            line += HexDigits[byte >> 4];
            line += HexDigits[byte & 0xF];
        } else {
            line += c;
        }
    }
    line += '"';
}

void AppendHex(std::string& line, const std::vector<uint8_t>& bytes) {
    line += '"';
    for (uint8_t byte : bytes) {
        line += HexDigits[byte >> 4];
        line += HexDigits[byte & 0xF];
    }
    line += '"';
}

void AppendField(std::string& line, const char* name, uint64_t value) {
    line += ",\"";
    line += name;
    line += "\":";
    AppendNumber(line, value);
}

void AppendRequest(std::string& line, const TraceRecord& r) {
    AppendField(line, "t_us", r.tUs);
    line += ",\"device\":";
    AppendText(line, r.device);
    AppendField(line, "ioctl", r.ioctl);
    AppendField(line, "code", r.code);
    line += ",\"kind\":";
    AppendText(line, r.kind);
    AppendField(line, "adapter", r.adapter);
    AppendField(line, "result", r.result);
    if (r.isEprom) {
        line += ",\"eprom\":{\"adapter\":";
        AppendNumber(line, r.epromAdapter);
        AppendField(line, "offset", r.epromOffset);
        AppendField(line, "dir", r.epromDir);
        AppendField(line, "len", r.epromLen);
        line += ",\"data\":";
        AppendHex(line, r.epromData);
        line += '}';
    }
    if (!r.envelope.empty()) {
        line += ",\"envelope\":";
        AppendHex(line, r.envelope);
    }
}

}  // namespace

std::string FormatTraceLine(const TraceRecord& record) {
    std::string line;
    line.reserve(160 + 2 * (record.epromData.size() + record.envelope.size()));
    line += "{\"seq\":";
    AppendNumber(line, record.seq);
    switch (record.type) {
    case TraceRecord::Type::Request:
        AppendRequest(line, record);
        break;
    case TraceRecord::Type::Sleep:
        AppendField(line, "t_us", record.tUs);
        AppendField(line, "sleep_ms", record.sleepMs);
        break;
    case TraceRecord::Type::Open:
        line += ",\"open\":";
        AppendText(line, record.openName);
        AppendField(line, "result", record.result);
        break;
    }
    line += "}\n";
    return line;
}

TraceWriter::~TraceWriter() {
    if (m_file) std::fclose(m_file);
}

bool TraceWriter::Open(const std::string& path, std::string& error) {
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file) {
        error = "cannot create trace file " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void TraceWriter::Emit(TraceRecord&& record) {
    if (m_file) {
        const std::string line = FormatTraceLine(record);
        std::fwrite(line.data(), 1, line.size(), m_file);
        // Each whole line reaches the file at once, so a killed process leaves a usable trace
        // (line buffering is full buffering on Windows).
        std::fflush(m_file);
    }
    if (m_capture) m_captured.push_back(std::move(record));
}

}  // namespace tarvex::sim
