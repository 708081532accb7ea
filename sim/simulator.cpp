#include "sim/simulator.h"

#include "platform/errors.h"
#include "sim/simulator_state.h"

namespace tarvex::sim {

namespace {

TraceRecord RequestRecord(const SimulatorState& s, const RequestContext& context,
                          uint32_t ioControlCode, uint32_t result) {
    TraceRecord record;
    record.tUs = s.clock.NowUs();
    record.device = context.device ? context.device->name : std::string();
    record.ioctl = ioControlCode;
    record.code = context.request.controlCode;
    record.kind = KindName(context.request.kind);
    record.adapter = context.adapter;
    record.result = result;
    if (context.decoded && context.request.kind == RequestKind::EpromAccess) {
        const EpromRequest& e = context.request.eprom;
        record.isEprom = true;
        record.epromAdapter = e.adapter;
        record.epromOffset = e.offset;
        record.epromDir = e.direction;
        record.epromLen = e.length;
        if (e.direction == 1)
            record.epromData.assign(e.data, e.data + e.length);
        else if (result == 0)
            record.epromData.assign(context.request.output, context.request.output + e.length);
    }
    return record;
}

}  // namespace

std::shared_ptr<Simulator> Simulator::Create(const Rig& rig, std::string& error) {
    auto state = std::make_unique<SimulatorState>(rig);
    state->adapters.resize(state->rig.adapters.size());
    for (size_t i = 0; i < state->adapters.size(); ++i) {
        std::string reason;
        if (!BuildSimAdapter(state->rig.adapters[i], state->clock, state->rig.clock.chipTiming,
                             state->adapters[i], reason)) {
            error = "adapters[" + std::to_string(i) + "]." + reason;
            return nullptr;
        }
    }
    if (!state->rig.trace.file.empty() && !state->trace.Open(state->rig.trace.file, error)) {
        error = "trace.file: " + error;
        return nullptr;
    }
    state->trace.SetEnvelopes(state->rig.trace.envelopes);
    return std::shared_ptr<Simulator>(new Simulator(std::move(state)));
}

Simulator::Simulator(std::unique_ptr<SimulatorState> state) : m_state(std::move(state)) {}

Simulator::~Simulator() = default;

platform::Handle Simulator::OpenDevice(const std::string& name) {
    SimulatorState& s = *m_state;
    const platform::Handle handle = s.devices.Open(name);
    const uint64_t seq = s.trace.NextSeq();
    if (s.trace.Active()) {
        TraceRecord record;
        record.type = TraceRecord::Type::Open;
        record.seq = seq;
        record.tUs = s.clock.NowUs();
        record.openName = name;
        record.openOk = handle != platform::NoHandle;
        record.result = record.openOk ? 0 : platform::ErrorFileNotFound;
        s.trace.Emit(std::move(record));
    }
    if (handle == platform::NoHandle) platform::SetLastError(platform::ErrorFileNotFound);
    return handle;
}

void Simulator::CloseDevice(platform::Handle handle) { m_state->devices.Close(handle); }

bool Simulator::DeviceControl(platform::Handle handle, uint32_t ioControlCode, uint8_t* buffer,
                              uint32_t length) {
    SimulatorState& s = *m_state;
    ++s.requestCount;
    // Every request costs bus time, so that polling always sees a chip move on.
    s.clock.Advance(s.rig.clock.requestLatencyUs);
    const uint64_t seq = s.trace.NextSeq();
    std::vector<uint8_t> envelope;
    if (s.trace.Active() && s.trace.Envelopes() && buffer) envelope.assign(buffer, buffer + length);

    RequestContext context;
    const uint32_t result = s.Process(handle, ioControlCode, buffer, length, context);
    if (s.trace.Active()) {
        TraceRecord record = RequestRecord(s, context, ioControlCode, result);
        record.seq = seq;
        record.envelope = std::move(envelope);
        s.trace.Emit(std::move(record));
    }
    if (result != 0) platform::SetLastError(result);
    return result == 0;
}

void Simulator::Sleep(uint32_t milliseconds) {
    SimulatorState& s = *m_state;
    s.clock.Advance(static_cast<uint64_t>(milliseconds) * 1000);
    const uint64_t seq = s.trace.NextSeq();
    if (!s.trace.Active()) return;
    TraceRecord record;
    record.type = TraceRecord::Type::Sleep;
    record.seq = seq;
    record.tUs = s.clock.NowUs();
    record.sleepMs = milliseconds;
    s.trace.Emit(std::move(record));
}

bool Simulator::GetHostVersion(platform::HostVersion& version, bool extended) {
    const RigHost& host = m_state->rig.host;
    if (extended && !host.extendedVersionInfo) {
        platform::SetLastError(platform::ErrorInvalidParameter);
        return false;
    }
    version.platformId = host.nt ? platform::PlatformNt : platform::PlatformWin9x;
    version.major = host.major;
    version.minor = host.minor;
    return true;
}

uint64_t Simulator::ClockUs() { return m_state->clock.NowUs(); }

platform::ProviderDescription Simulator::Describe() const {
    const std::string& source = m_state->rig.source;
    return {.simulated = true, .rig = source.empty() ? "made in the program" : source};
}

const Rig& Simulator::GetRig() const { return m_state->rig; }

ModelClock& Simulator::Clock() { return m_state->clock; }

uint64_t Simulator::RequestCount() const { return m_state->requestCount; }

ChipModel* Simulator::Chip(uint32_t adapter) {
    return adapter < m_state->adapters.size() ? m_state->adapters[adapter].chip.get() : nullptr;
}

std::vector<uint8_t> Simulator::ChipContents(uint32_t adapter) const {
    if (adapter >= m_state->adapters.size() || !m_state->adapters[adapter].store) return {};
    const auto bytes = m_state->adapters[adapter].store->Bytes();
    return {bytes.begin(), bytes.end()};
}

void Simulator::CaptureTrace(bool on) { m_state->trace.SetCapture(on); }

const std::vector<TraceRecord>& Simulator::CapturedTrace() const {
    return m_state->trace.Captured();
}

void Simulator::ClearCapturedTrace() { m_state->trace.ClearCaptured(); }

}  // namespace tarvex::sim
