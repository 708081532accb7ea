#include "ui/templates/control_ids.h"
#include "ui/templates/dialog_template.h"

namespace tarvex {

namespace {

constexpr uint32_t PushButton = StyleTabStop;
constexpr uint32_t StaticLeft = 0;

const ControlTemplate FlashDialogControls[] = {
    {NoControlId, ControlClass::Static, "BIOS Image:", 7, 40, 49, 9, StaticLeft, nullptr},
    {IdcPath, ControlClass::Edit, "", 57, 38, 121, 13,
     StyleBorder | StyleTabStop | StyleAutoHScroll, "BIOS image path"},
    {IdcOpen, ControlClass::Button, "&Open...", 180, 38, 42, 14, PushButton, nullptr},
    {IdcConfig, ControlClass::Button, "&Config...", 223, 38, 44, 14, PushButton, nullptr},
    {IdcFlash, ControlClass::Button, "&Flash!", 116, 110, 52, 16, PushButton, nullptr},
    {IdcBackup, ControlClass::Button, "&Backup", 168, 110, 47, 16, PushButton, nullptr},
    {IdcExit, ControlClass::Button, "&Exit", 216, 110, 51, 16, PushButton, nullptr},
    {IdcProgress, ControlClass::ProgressBar, nullptr, 7, 83, 260, 17, StyleSmooth, "Progress"},
    {IdcControllerLabel, ControlClass::Static, "Controller:", 7, 9, 47, 10, StaticLeft, nullptr},
    {IdcController, ControlClass::ComboBox, nullptr, 57, 7, 210, 69,
     StyleDropDownList | StyleSorted | StyleVScroll | StyleTabStop, "Controller"},
    {IdcStatus, ControlClass::Static, "", 7, 70, 260, 10, StaticLeft, "Status"},
};

const DialogTemplate FlashDialog{
    .id = 102,
    .caption = "Tarvex Flash Utility",
    .fontFace = "MS Sans Serif",
    .pointSize = 9,
    .fixedPitchFont = false,
    .cx = 274,
    .cy = 133,
    .style = DialogVisible | DialogSystemMenu | DialogAppWindow,
    .controls = FlashDialogControls,
};

}  // namespace

const DialogTemplate& FlashDialogTemplate() { return FlashDialog; }

}  // namespace tarvex
