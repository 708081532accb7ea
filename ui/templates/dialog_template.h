#pragma once
#include <cstdint>
#include <span>

namespace tarvex {

// Control classes a dialog template uses.
enum class ControlClass { Static, Edit, Button, ComboBox, ProgressBar, GroupBox };

// Control styles of a template, besides child and visible.
enum ControlStyle : uint32_t {
    StyleTabStop = 1u << 0,
    StyleBorder = 1u << 1,
    StyleAutoHScroll = 1u << 2,
    StyleDigitsOnly = 1u << 3,
    StyleDefaultButton = 1u << 4,
    StyleDropDownList = 1u << 5,
    StyleSorted = 1u << 6,
    StyleVScroll = 1u << 7,
    StyleDisableNoScroll = 1u << 8,
    StyleSmooth = 1u << 9,
    StyleNoWordWrap = 1u << 10,  // a static's text stays on one line
    StyleGroup = 1u << 11,
};

// Window styles of a template.
enum DialogStyle : uint32_t {
    DialogVisible = 1u << 0,
    DialogSystemMenu = 1u << 1,
    DialogMinimizeBox = 1u << 2,
    DialogMaximizeBox = 1u << 3,
    DialogAppWindow = 1u << 4,  // a task-bar button of its own
};

inline constexpr int NoControlId = -1;

struct ControlTemplate {
    int id;
    ControlClass controlClass;
    const char* text;
    int x, y, cx, cy;  // dialog units
    uint32_t style;
    const char* accessibleName;  // for controls whose text does not name them
};

// Lines a combo box of the template holds when the dialog is created, in this order.
struct ComboBoxData {
    int id;
    std::span<const char* const> lines;
};

struct DialogTemplate {
    int id;
    const char* caption;
    const char* fontFace;
    int pointSize;
    bool fixedPitchFont;  // what to fall back to when the face is missing
    int cx, cy;           // client area in dialog units
    uint32_t style;
    std::span<const ControlTemplate> controls;  // template order, which is the tab order
    std::span<const ComboBoxData> initialData = {};
};

// Template 102, the main window.
const DialogTemplate& FlashDialogTemplate();
// Template 129, the configuration dialog.
const DialogTemplate& ConfigDialogTemplate();

}  // namespace tarvex
