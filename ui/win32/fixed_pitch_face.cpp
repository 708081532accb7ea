#include "ui/win32/fixed_pitch_face.h"

namespace tarvex {

DrawnFace FaceOf(HFONT font) {
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, font);
    char name[LF_FACESIZE] = {};
    ::GetTextFaceA(screen, sizeof name, name);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(screen, &metrics);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    // TMPF_FIXED_PITCH set means a variable pitch, as the system names it.
    return {name, (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0};
}

namespace {

// The face the system draws for a font of that name and pitch request.
DrawnFace FaceDrawnFor(const char* face, DWORD pitchAndFamily) {
    HFONT font = ::CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               pitchAndFamily, face);
    DrawnFace drawn = FaceOf(font);
    ::DeleteObject(font);
    return drawn;
}

}  // namespace

std::string InstalledFixedPitchFace() {
    for (const char* face : {"Courier New", "Lucida Console", "Consolas", "Courier"}) {
        DrawnFace drawn = FaceDrawnFor(face, DEFAULT_PITCH | FF_DONTCARE);
        if (drawn.fixedPitch && !drawn.name.empty()) return drawn.name;
    }
    DrawnFace system = FaceDrawnFor("", FIXED_PITCH | FF_MODERN);
    return system.name.empty() ? "Courier New" : system.name;
}

}  // namespace tarvex
