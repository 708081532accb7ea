#include "driver/transport.h"

#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "driver/envelope.h"
#include "driver/link_state.h"
#include "platform/device.h"
#include "platform/errors.h"

namespace tarvex {

namespace {
constexpr int MaxRepeats = 3;
constexpr uint32_t RepeatPauseMs = 500;
}  // namespace

Handle HandleForAdapter(AdapterIndex adapter) {
    const DriverLinkState& link = DriverLink();
    if (adapter < 4 && link.adapterHandles[adapter] != NoHandle)
        return link.adapterHandles[adapter];
    return link.adapterHandles[0];
}

int32_t DriverCommand(AdapterIndex adapter, uint32_t controlCode, const void* input,
                      uint32_t inputLength, void* output, uint32_t outputLength, Handle handle) {
    platform::LockGuard guard(DriverLock());
    const DriverLinkState& link = DriverLink();
    const bool nt = link.isNtFamily;

    const EnvelopeLayout layout = EnvelopeLayoutFor(nt, inputLength, outputLength);
    std::unique_ptr<uint8_t[]> envelope;
    if (layout.totalLength <= std::numeric_limits<uint32_t>::max())
        envelope.reset(new (std::nothrow) uint8_t[layout.totalLength]());
    if (!envelope) {
        platform::SetLastError(platform::ErrorNotEnoughMemory);
        return -1;
    }
    EncodeEnvelope(envelope.get(), layout, nt, adapter, controlCode,
                   static_cast<const uint8_t*>(input), inputLength, outputLength);

    const uint32_t ioctl = nt ? IoctlScsiMiniport : controlCode;
    const auto length = static_cast<uint32_t>(layout.totalLength);
    for (int repeats = 0;; ++repeats) {
        Handle target = handle;
        if (target == NoHandle) target = nt ? HandleForAdapter(adapter) : link.currentDevice;
        if (platform::DeviceControl(target, ioctl, envelope.get(), length)) {
            if (output && outputLength)
                std::memcpy(output, envelope.get() + layout.outputOffset, outputLength);
            return 0;
        }
        if (platform::GetLastError() != platform::ErrorGenFailure || repeats == MaxRepeats)
            return -1;
        platform::SleepMs(RepeatPauseMs);
    }
}

}  // namespace tarvex
