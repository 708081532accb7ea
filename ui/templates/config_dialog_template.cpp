#include "ui/templates/control_ids.h"
#include "ui/templates/dialog_template.h"

namespace tarvex {

namespace {

constexpr uint32_t ChoiceBox = StyleDropDownList | StyleVScroll | StyleTabStop;
constexpr uint32_t NumberBox = StyleBorder | StyleAutoHScroll | StyleTabStop;
constexpr uint32_t RowLabel = StyleGroup;

const ControlTemplate ConfigDialogControls[] = {
    {IdcOk, ControlClass::Button, "OK", 52, 150, 50, 14, StyleDefaultButton | StyleTabStop,
     nullptr},
    {IdcCancel, ControlClass::Button, "Cancel", 121, 150, 50, 14, StyleTabStop, nullptr},
    {1017, ControlClass::ComboBox, nullptr, 161, 19, 47, 38, ChoiceBox, "Row 1 choice"},
    {1036, ControlClass::Edit, "", 161, 32, 47, 12, NumberBox | StyleDigitsOnly, "Row 2 number"},
    {1001, ControlClass::Edit, "", 161, 45, 47, 12, NumberBox | StyleDigitsOnly, "Row 3 number"},
    {1018, ControlClass::ComboBox, nullptr, 161, 58, 47, 39, ChoiceBox, "Row 4 choice"},
    {1019, ControlClass::ComboBox, nullptr, 161, 71, 47, 40, ChoiceBox | StyleSorted,
     "Row 5 choice"},
    {1020, ControlClass::ComboBox, nullptr, 161, 84, 47, 37, ChoiceBox | StyleSorted,
     "Row 6 choice"},
    {1021, ControlClass::ComboBox, nullptr, 161, 97, 47, 38, ChoiceBox | StyleSorted,
     "Row 7 choice"},
    {1023, ControlClass::ComboBox, nullptr, 161, 123, 47, 38, ChoiceBox | StyleSorted,
     "Row 9 choice"},
    {1022, ControlClass::ComboBox, nullptr, 161, 110, 47, 37, ChoiceBox | StyleDisableNoScroll,
     "Row 8 choice"},
    {1024, ControlClass::Static, "Use private stack- - - - - - - - - - - - - - - - - - -", 13, 22,
     146, 9, RowLabel | StyleNoWordWrap, nullptr},
    {1025, ControlClass::Static, "Private stack size- - - - - - - - - - - - - - - - - - -", 13, 34,
     146, 9, RowLabel, nullptr},
    {1026, ControlClass::Static, "Time waiting for CTRL-H key (second) - - - - -  ", 13, 47, 146, 9,
     RowLabel | StyleNoWordWrap, nullptr},
    {1027, ControlClass::Static, "Reallocate EBDA  - - - - - - - - - - - - - - - - - - - -", 13, 60,
     145, 9, RowLabel, nullptr},
    {1028, ControlClass::Static, "PIO mode only - - - - - - - - - - - - - - - - - - - - -", 13, 73,
     147, 9, RowLabel, nullptr},
    {1029, ControlClass::Static, "INT 13 support - - - - - - - - - - - - - - - - - - - - -", 12, 85,
     147, 9, RowLabel, nullptr},
    {1030, ControlClass::Static, "BBS validation - - - - - - - - - - - - - - - - - - - - -", 13, 98,
     146, 9, RowLabel, nullptr},
    {1031, ControlClass::Static, "Keyboard timeout feature - - - - - - - - - - - - -", 13, 110, 146,
     9, RowLabel, nullptr},
    {1032, ControlClass::Static, "Boot disk hook last - - - - - - - - - - - - - - - - - -", 13, 124,
     145, 9, RowLabel, nullptr},
    {NoControlId, ControlClass::GroupBox, "Config Parameters", 7, 7, 209, 164, 0, nullptr},
    {1000, ControlClass::Edit, "", 161, 19, 47, 12, NumberBox, "Row 1 number"},
    {1034, ControlClass::ComboBox, nullptr, 161, 32, 47, 36, ChoiceBox | StyleSorted,
     "Row 2 choice"},
    {1035, ControlClass::ComboBox, nullptr, 161, 45, 47, 35, ChoiceBox | StyleSorted,
     "Row 3 choice"},
    {1002, ControlClass::Edit, "", 161, 58, 47, 12, NumberBox, "Row 4 number"},
    {1003, ControlClass::Edit, "", 161, 71, 46, 12, NumberBox, "Row 5 number"},
    {1004, ControlClass::Edit, "", 161, 84, 47, 12, NumberBox, "Row 6 number"},
    {1005, ControlClass::Edit, "", 161, 97, 47, 12, NumberBox, "Row 7 number"},
    {1006, ControlClass::Edit, "", 161, 110, 47, 12, NumberBox, "Row 8 number"},
    {1007, ControlClass::Edit, "", 161, 123, 47, 12, NumberBox, "Row 9 number"},
};

const char* const SwitchChoices[] = {"Disable", "Enable"};

const ComboBoxData ConfigDialogData[] = {
    {1017, SwitchChoices}, {1034, SwitchChoices}, {1035, SwitchChoices},
    {1018, SwitchChoices}, {1019, SwitchChoices}, {1020, SwitchChoices},
    {1021, SwitchChoices}, {1022, SwitchChoices}, {1023, SwitchChoices},
};

const DialogTemplate ConfigDialog{
    .id = 129,
    .caption = "Load Utility for Flash EPROM v2.5.50120---COFNIG",
    .fontFace = "Courier New",
    .pointSize = 10,
    .fixedPitchFont = true,
    .cx = 222,
    .cy = 178,
    .style = DialogSystemMenu,
    .controls = ConfigDialogControls,
    .initialData = ConfigDialogData,
};

}  // namespace

const DialogTemplate& ConfigDialogTemplate() { return ConfigDialog; }

}  // namespace tarvex
