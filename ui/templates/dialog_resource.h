#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/templates/dialog_template.h"

namespace tarvex {

// A dialog template as the Win32 dialog manager takes it in memory (an extended template,
// DLGTEMPLATEEX, with its items), built from the same data as the Qt windows. Written byte by
// byte in little-endian; texts are 8-bit and widened as they are. fontFace replaces the
// template's face when it is not empty (a fixed-pitch face that exists on the machine).
std::vector<uint8_t> EncodeDialogResource(const DialogTemplate& dialog,
                                          const std::string& fontFace = {});

// The window styles the encoder gives the dialog and each control (for checks and tests).
uint32_t DialogWindowStyle(const DialogTemplate& dialog);
uint32_t DialogExtendedStyle(const DialogTemplate& dialog);
uint32_t ControlWindowStyle(const ControlTemplate& control);

}  // namespace tarvex
