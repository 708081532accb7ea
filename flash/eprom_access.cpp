#include "flash/eprom_access.h"

#include <cstring>
#include <memory>
#include <new>

#include "driver/control_codes.h"
#include "driver/discovery.h"
#include "flash/event_channel.h"
#include "platform/byte_order.h"

namespace tarvex {

namespace {
uint64_t g_writesSent = 0;
}  // namespace

uint64_t EpromWritesSent() { return g_writesSent; }

void EncodeEpromRequest(const EpromRequest& request, uint8_t* out) {
    StoreLe32(out, request.adapter);
    StoreLe32(out + 4, request.offset);
    StoreLe32(out + 8, request.direction);
    StoreLe32(out + 12, request.length);
}

uint32_t EpromWriteRequestSize(uint32_t length) { return (length / 4 + 5) * 4; }

FlashStatus ReadEprom(AdapterIndex adapter, uint32_t offset, uint8_t* buffer, uint32_t length) {
    if (length != 0) std::memset(buffer, 0, length);
    uint8_t header[EpromRequestHeaderSize];
    EncodeEpromRequest({adapter, offset, EpromDirectionRead, length}, header);
    if (EnsureDriverLink() &&
        DriverCommand(adapter, EpromAccessCode, header, EpromRequestHeaderSize, buffer, length,
                      NoHandle) == 0) {
        return StatusOk;
    }
    LogEvent(EventText, 0, "Read EPROM %d byte(s) at 0x%x ERROR! \n", static_cast<int>(length),
             offset);
    return StatusEpromRead;
}

FlashStatus WriteEprom(AdapterIndex adapter, uint32_t offset, const uint8_t* data,
                       uint32_t length) {
    std::unique_ptr<uint8_t[]> request;
    uint32_t size = 0;
    if (length <= EpromMaxWriteLength) {
        size = EpromWriteRequestSize(length);
        // Zero-filled, so the padding behind the data is defined.
        request.reset(new (std::nothrow) uint8_t[size]());
    }
    if (request) {
        EncodeEpromRequest({adapter, offset, EpromDirectionWrite, length}, request.get());
        if (length != 0) std::memcpy(request.get() + EpromRequestHeaderSize, data, length);
        if (EnsureDriverLink()) {
            ++g_writesSent;
            if (DriverCommand(adapter, EpromAccessCode, request.get(), size, nullptr, 0,
                              NoHandle) == 0)
                return StatusOk;
        }
    }
    LogEvent(EventText, 0, "Write EPROM %d byte(s) at 0x%x ERROR! \n", static_cast<int>(length),
             offset);
    return StatusEpromWrite;
}

uint8_t ReadEpromByte(AdapterIndex adapter, uint32_t offset) {
    uint8_t value = 0;
    ReadEprom(adapter, offset, &value, 1);
    return value;
}

uint16_t ReadEpromWord(AdapterIndex adapter, uint32_t offset) {
    uint8_t bytes[2] = {0, 0};
    ReadEprom(adapter, offset, bytes, 2);
    return LoadLe16(bytes);
}

FlashStatus WriteEpromByte(AdapterIndex adapter, uint32_t offset, uint8_t value) {
    return WriteEprom(adapter, offset, &value, 1);
}

}  // namespace tarvex
