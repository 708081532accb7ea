// Config of the main window: reads the image file and runs the configuration dialog over it.
#include <climits>
#include <cstring>
#include <new>

#include "driver/adapter_queries.h"
#include "driver/rom_size.h"
#include "image/config_image_check.h"
#include "image/rom_layout.h"
#include "platform/file_io.h"
#include "ui/config_dlg.h"
#include "ui/flash_dlg.h"
#include "ui/prompter.h"
#include "ui/window_state.h"

namespace tarvex {

namespace {

// Closes the image file on every way out. A folder or a device opens on this system but is no
// image file, so it counts as a file that cannot be opened.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path) : m_fd(platform::OpenForReading(path)) {
        if (m_fd >= 0 && platform::KindOfFile(m_fd) != platform::FileKind::Regular) {
            platform::CloseFile(m_fd);
            m_fd = -1;
        }
    }
    ~ReadOnlyFile() {
        if (m_fd >= 0) platform::CloseFile(m_fd);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    int Fd() const { return m_fd; }

private:
    int m_fd;
};

int64_t FileLength(int fd) {
    int64_t size = 0;
    return platform::FileSize(fd, size) ? size : -1;
}

// RomSize is left alone: a saved edit goes through the flash's own buffer rule, and a rejected
// file must not change what a later flash writes.
void RecordImageLength(int64_t length) {
    g_imageSize = static_cast<int32_t>(std::min<int64_t>(length, INT32_MAX));
}

// Reads the whole file into g_imageBuffer; the message of the first failure, or null.
const char* ReadConfigImage(int fd) {
    int64_t length = FileLength(fd);
    RecordImageLength(length);
    uint8_t head[4];
    const size_t got = platform::ReadFully(fd, head, sizeof head);
    if (got < 4 || length < 4 || !HasRomSignature(head, sizeof head)) return "Invalid BIOS image";
    if (length > INT32_MAX) return "BIOS file is too large (out of memory)";
    auto size = static_cast<int32_t>(length);
    std::unique_ptr<uint8_t[]> image(new (std::nothrow) uint8_t[static_cast<size_t>(size)]);
    if (!image) return "BIOS file is too large (out of memory)";
    std::memcpy(image.get(), head, sizeof head);
    const size_t rest = platform::ReadFully(fd, image.get() + 4, static_cast<size_t>(size) - 4);
    if (rest + 4 != static_cast<size_t>(size)) return "Error reading file";
    if (ConfigImageProblem({image.get(), static_cast<size_t>(size)}) != RomProblem::None)
        return "Invalid BIOS image";
    g_imageBuffer = std::move(image);
    return nullptr;
}

}  // namespace

void CFlashDlg::OnConfig() {
    std::string path = g_useTempImage == 1 ? g_tempImagePath : m_strPath;
    const char* failure = nullptr;
    {
        ReadOnlyFile file(path);
        if (file.Fd() < 0) {
            failure = "Cannot open the BIOS Image file.";
        } else {
            g_imageBuffer.reset();
            failure = ReadConfigImage(file.Fd());
        }
    }
    if (failure) {
        ShowOkMessage(m_surface.get(), failure, "Error", MessageIcon::Error);
        return;
    }
    CConfigDlg dialog(m_surface.get());
    dialog.DoModal();
}

}  // namespace tarvex
