#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "sim/trace.h"

namespace tarvex::sim {

// One JSON Lines record, formatted by hand (a flash makes about a million of them).
std::string FormatTraceLine(const TraceRecord& record);

// Sends trace records to the trace file and, when asked, to memory.
class TraceWriter {
public:
    TraceWriter() = default;
    ~TraceWriter();
    TraceWriter(const TraceWriter&) = delete;
    TraceWriter& operator=(const TraceWriter&) = delete;

    // Creates (truncates) the trace file; false and a reason when that fails.
    bool Open(const std::string& path, std::string& error);
    void SetEnvelopes(bool on) { m_envelopes = on; }
    void SetCapture(bool on) { m_capture = on; }

    // Whether records are wanted at all; callers build none otherwise.
    bool Active() const { return m_file != nullptr || m_capture; }
    bool Envelopes() const { return m_envelopes; }
    // Every event takes a number, traced or not, so that numbers keep the run's order.
    uint64_t NextSeq() { return ++m_seq; }
    void Emit(TraceRecord&& record);

    const std::vector<TraceRecord>& Captured() const { return m_captured; }
    void ClearCaptured() { m_captured.clear(); }

private:
    std::FILE* m_file = nullptr;
    bool m_envelopes = false;
    bool m_capture = false;
    uint64_t m_seq = 0;
    std::vector<TraceRecord> m_captured;
};

}  // namespace tarvex::sim
