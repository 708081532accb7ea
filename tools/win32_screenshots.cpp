// Takes the Win32 windows' screenshots for docs/, under Wine and a virtual display: the main
// window after a flash on the default rig (on the virtual clock) and the configuration dialog
// over a sample image.
// Usage: win32_screenshots <output folder>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/device.h"
#include "samples/sample_image.h"
#include "shot_prompter.h"
#include "sim/simulator.h"
#include "ui/dialog_surface.h"
#include "ui/flash_dlg.h"
#include "ui/prompter.h"

namespace {

using namespace tarvex;

uint32_t Crc(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void Put32(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(value >> shift);
}

void Chunk(std::string& png, const char* kind, const std::string& body) {
    Put32(png, static_cast<uint32_t>(body.size()));
    const std::string typed = kind + body;
    png += typed;
    Put32(png, Crc(typed));
}

// An RGB picture as a PNG whose image data is zlib with stored blocks: no compressor needed.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(&rgb[static_cast<size_t>(y) * width * 3]),
                   static_cast<size_t>(width) * 3);
    }
    std::string zlib = "\x78\x01";
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t at = 0; at < raw.size(); at += 65535) {
        const size_t length = std::min<size_t>(65535, raw.size() - at);
        zlib += static_cast<char>(at + length == raw.size() ? 1 : 0);
        zlib += static_cast<char>(length & 0xFF);
        zlib += static_cast<char>(length >> 8);
        zlib += static_cast<char>(~length & 0xFF);
        zlib += static_cast<char>((~length >> 8) & 0xFF);
        zlib += raw.substr(at, length);
    }
    Put32(zlib, (b << 16) | a);
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    Put32(header, static_cast<uint32_t>(width));
    Put32(header, static_cast<uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", zlib);
    Chunk(png, "IEND", "");
    std::ofstream file(path, std::ios::binary);
    file.write(png.data(), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}

// Lets the display catch up: the X server's exposures reach the window as messages.
void Settle(DialogSurface& surface) {
    for (int round = 0; round < 10; ++round) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        surface.ProcessPendingMessages();
    }
}

// What the screen shows of the window, frame included.
bool Save(DialogSurface& surface, const std::string& path) {
    HWND window = static_cast<HWND>(surface.NativeWindow());
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Settle(surface);
    RECT rect;
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                rgb[(static_cast<size_t>(y) * width + x) * 3 + c] =
                    static_cast<const uint8_t*>(bits)[y * stride + x * 3 + (2 - c)];
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    const bool saved = WritePng(path, width, height, rgb);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", path.c_str());
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: win32_screenshots <output folder>\n");
        return 64;
    }
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
    const std::string out = argv[1];
    sim::Rig rig = sim::DefaultRig();
    rig.clock.mode = sim::ModelClock::Mode::Virtual;
    std::string error;
    auto simulator = sim::Simulator::Create(rig, error);
    if (!simulator) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    platform::InstallDeviceProvider(simulator);
    std::vector<uint8_t> image = MakeSampleImage({0x1C5D, 0x0A12, 32768, ClassCodeRaid, "sample"});
    char folder[MAX_PATH];
    ::GetTempPathA(sizeof folder, folder);
    const std::string imagePath = std::string(folder) + "tarvex-shot-1C5D-0A12.rom";
    std::ofstream(imagePath, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    ShotPrompter prompter(imagePath);
    InstallPrompter(&prompter);

    CFlashDlg window;
    window.InitDialog();
    window.Surface().Show();
    bool ok = Save(window.Surface(), out + "/win32-main-window.png");
    window.OnOpen();
    window.OnFlash();
    ok = Save(window.Surface(), out + "/win32-main-window-after-flash.png") && ok;
    bool configShown = false;
    SetModalHook([&](DialogSurface& config) {
        configShown = Save(config, out + "/win32-config-dialog.png");
        config.PressEscape();
    });
    window.OnConfig();
    SetModalHook(nullptr);
    window.OnCancel();
    ::DeleteFileA(imagePath.c_str());
    InstallPrompter(nullptr);
    return ok && configShown ? 0 : 1;
}
