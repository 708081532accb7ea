#include "image/image_loader.h"

#include <cerrno>
#include <cstring>
#include <limits>
#include <new>

#include "driver/adapter_queries.h"
#include "driver/rom_size.h"
#include "flash/event_channel.h"
#include "image/rom_layout.h"
#include "platform/file_io.h"

namespace tarvex {

namespace {

constexpr int64_t BufferGranule = 1024;
constexpr size_t HeadLength = 4;

int64_t FileSize(int fd) {
    int64_t size = 0;
    return platform::FileSize(fd, size) ? size : 0;
}

}  // namespace

int OpenImageFile(const char* path) {
    if (path == nullptr) return -1;
    const int fd = platform::OpenForReading(path);
    if (fd >= 0 && platform::KindOfFile(fd) == platform::FileKind::Folder) {
        platform::CloseFile(fd);
        errno = EISDIR;
        return -1;
    }
    return fd;
}

int32_t ImageBufferLength(int64_t fileSize) {
    if (fileSize > RomSize) {
        const int64_t raised = (fileSize + BufferGranule - 1) / BufferGranule * BufferGranule;
        if (raised > std::numeric_limits<int32_t>::max()) return -1;
        RomSize = static_cast<int32_t>(raised);
    }
    return RomSize;
}

FlashStatus LoadImageFile(int fd, LoadedImage& image) {
    uint8_t head[HeadLength] = {};
    if (static_cast<int64_t>(platform::ReadFully(fd, head, HeadLength)) <
            static_cast<int64_t>(HeadLength) ||
        !HasRomSignature(head, HeadLength)) {
        LogEvent(EventText, 0, "Invalid BIOS image\n");
        return StatusInvalidImage;
    }
    const int64_t fileSize = FileSize(fd);
    const int32_t length = ImageBufferLength(fileSize);
    std::unique_ptr<uint8_t[]> buffer;
    if (length >= static_cast<int32_t>(HeadLength))
        buffer.reset(new (std::nothrow) uint8_t[static_cast<size_t>(length)]);
    if (!buffer) {
        LogEvent(EventText, 0, "BIOS file is too large (out of memory)\n");
        return StatusNoMemory;
    }
    std::memcpy(buffer.get(), head, HeadLength);
    const int64_t obtained =
        static_cast<int64_t>(platform::ReadFully(fd, buffer.get() + HeadLength,
                                                 static_cast<size_t>(length) - HeadLength)) +
        static_cast<int64_t>(HeadLength);
    if (obtained != fileSize) {
        LogEvent(EventText, 0, "Error reading file (%d/%d)\n", static_cast<int>(obtained),
                 static_cast<int>(fileSize));
        return StatusReadError;
    }
    // A length byte that reaches past the end of the file marks a truncated image: padding it
    // with zeros and fixing its checksum would pass a broken BIOS as valid.
    if (static_cast<int64_t>(head[RomLengthOffset] * RomLengthUnit) > fileSize) {
        LogEvent(EventText, 0, "Invalid BIOS image\n");
        return StatusInvalidImage;
    }
    std::memset(buffer.get() + fileSize, 0, static_cast<size_t>(length - fileSize));
    image.bytes = std::move(buffer);
    image.length = length;
    image.fileSize = fileSize;
    return StatusOk;
}

}  // namespace tarvex
