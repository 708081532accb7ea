#pragma once
#include <windows.h>

#include <string>

namespace tarvex {

struct DrawnFace {
    std::string name;
    bool fixedPitch = false;
};

// The face the system draws for a font, and whether its pitch is fixed.
DrawnFace FaceOf(HFONT font);

// A fixed-pitch face that this machine draws under its own name, for the configuration
// dialog: "Courier New" where it is installed, else the first of a few common ones, else the
// system's own fixed-pitch face. Wine, lacking "Courier New", enumerates it by name all the
// same, and the dialog manager then draws a proportional face; so a face counts only when a
// font made of its name alone, as the dialog manager makes it, comes out fixed-pitch.
std::string InstalledFixedPitchFace();

}  // namespace tarvex
