#include "ui/templates/dialog_resource.h"

#include "platform/byte_order.h"

namespace tarvex {

namespace {

// Win32 style bits, as the dialog manager reads them from a template.
constexpr uint32_t WsPopup = 0x80000000, WsChild = 0x40000000, WsVisible = 0x10000000;
constexpr uint32_t WsCaption = 0x00C00000, WsBorder = 0x00800000, WsVScroll = 0x00200000;
constexpr uint32_t WsSysMenu = 0x00080000, WsGroup = 0x00020000, WsTabStop = 0x00010000;
constexpr uint32_t WsMinimizeBox = 0x00020000, WsMaximizeBox = 0x00010000;
constexpr uint32_t WsExAppWindow = 0x00040000;
constexpr uint32_t DsSetFont = 0x40, DsModalFrame = 0x80;
constexpr uint32_t EsAutoHScroll = 0x80, EsNumber = 0x2000;
constexpr uint32_t BsDefPushButton = 0x1, BsGroupBox = 0x7;
constexpr uint32_t CbsDropDownList = 0x3, CbsSort = 0x100, CbsDisableNoScroll = 0x800;
constexpr uint32_t SsLeft = 0x0, SsLeftNoWordWrap = 0xC;
constexpr uint32_t PbsSmooth = 0x1;
constexpr uint16_t FontWeightNormal = 400;
constexpr uint8_t DefaultCharset = 1;

// Predefined classes are named by atom; the progress bar by its common-control class name.
constexpr uint16_t AtomButton = 0x0080, AtomEdit = 0x0081, AtomStatic = 0x0082;
constexpr uint16_t AtomComboBox = 0x0085;
constexpr const char* ProgressClass = "msctls_progress32";

class Writer {
public:
    void U16(uint16_t value) {
        const size_t at = m_bytes.size();
        m_bytes.resize(at + 2);
        StoreLe16(m_bytes.data() + at, value);
    }
    void U32(uint32_t value) {
        const size_t at = m_bytes.size();
        m_bytes.resize(at + 4);
        StoreLe32(m_bytes.data() + at, value);
    }
    void S16(int value) { U16(static_cast<uint16_t>(static_cast<int16_t>(value))); }
    void U8(uint8_t value) { m_bytes.push_back(value); }
    // A zero-terminated UTF-16 text; the 8-bit texts of the templates are Latin-1.
    void Text(const char* text) {
        for (const char* c = text ? text : ""; *c != '\0'; ++c) U16(static_cast<uint8_t>(*c));
        U16(0);
    }
    void Ordinal(uint16_t atom) {
        U16(0xFFFF);
        U16(atom);
    }
    void AlignTo4() {
        while (m_bytes.size() % 4 != 0) m_bytes.push_back(0);
    }
    std::vector<uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<uint8_t> m_bytes;
};

void WriteClass(Writer& out, ControlClass controlClass) {
    switch (controlClass) {
    case ControlClass::Static:
        out.Ordinal(AtomStatic);
        return;
    case ControlClass::Edit:
        out.Ordinal(AtomEdit);
        return;
    case ControlClass::Button:
    case ControlClass::GroupBox:
        out.Ordinal(AtomButton);
        return;
    case ControlClass::ComboBox:
        out.Ordinal(AtomComboBox);
        return;
    case ControlClass::ProgressBar:
        out.Text(ProgressClass);
        return;
    }
}

void WriteItem(Writer& out, const ControlTemplate& control) {
    out.AlignTo4();
    out.U32(0);  // help id
    out.U32(0);  // extended style
    out.U32(ControlWindowStyle(control));
    out.S16(control.x);
    out.S16(control.y);
    out.S16(control.cx);
    out.S16(control.cy);
    out.U32(static_cast<uint32_t>(control.id));
    WriteClass(out, control.controlClass);
    out.Text(control.text);
    out.U16(0);  // no creation data
}

}  // namespace

uint32_t DialogWindowStyle(const DialogTemplate& dialog) {
    uint32_t style = WsPopup | WsCaption | DsModalFrame | DsSetFont;
    if (dialog.style & DialogVisible) style |= WsVisible;
    if (dialog.style & DialogSystemMenu) style |= WsSysMenu;
    if (dialog.style & DialogMinimizeBox) style |= WsMinimizeBox;
    if (dialog.style & DialogMaximizeBox) style |= WsMaximizeBox;
    return style;
}

uint32_t DialogExtendedStyle(const DialogTemplate& dialog) {
    return (dialog.style & DialogAppWindow) ? WsExAppWindow : 0;
}

uint32_t ControlWindowStyle(const ControlTemplate& control) {
    uint32_t style = WsChild | WsVisible;
    const uint32_t own = control.style;
    if (own & StyleTabStop) style |= WsTabStop;
    if (own & StyleGroup) style |= WsGroup;
    if (own & StyleBorder) style |= WsBorder;
    if (own & StyleVScroll) style |= WsVScroll;
    switch (control.controlClass) {
    case ControlClass::Static:
        style |= (own & StyleNoWordWrap) ? SsLeftNoWordWrap : SsLeft;
        break;
    case ControlClass::Edit:
        if (own & StyleAutoHScroll) style |= EsAutoHScroll;
        if (own & StyleDigitsOnly) style |= EsNumber;
        break;
    case ControlClass::Button:
        if (own & StyleDefaultButton) style |= BsDefPushButton;
        break;
    case ControlClass::GroupBox:
        style |= BsGroupBox;
        break;
    case ControlClass::ComboBox:
        if (own & StyleDropDownList) style |= CbsDropDownList;
        if (own & StyleSorted) style |= CbsSort;
        if (own & StyleDisableNoScroll) style |= CbsDisableNoScroll;
        break;
    case ControlClass::ProgressBar:
        if (own & StyleSmooth) style |= PbsSmooth;
        break;
    }
    return style;
}

std::vector<uint8_t> EncodeDialogResource(const DialogTemplate& dialog,
                                          const std::string& fontFace) {
    Writer out;
    out.U16(1);       // version of the extended template
    out.U16(0xFFFF);  // its signature
    out.U32(0);       // help id
    out.U32(DialogExtendedStyle(dialog));
    out.U32(DialogWindowStyle(dialog));
    out.U16(static_cast<uint16_t>(dialog.controls.size()));
    out.S16(0);
    out.S16(0);
    out.S16(dialog.cx);
    out.S16(dialog.cy);
    out.U16(0);  // no menu
    out.U16(0);  // the dialog class
    out.Text(dialog.caption);
    out.U16(static_cast<uint16_t>(dialog.pointSize));
    out.U16(FontWeightNormal);
    out.U8(0);  // not italic
    out.U8(DefaultCharset);
    out.Text(fontFace.empty() ? dialog.fontFace : fontFace.c_str());
    for (const ControlTemplate& control : dialog.controls) WriteItem(out, control);
    return out.Take();
}

}  // namespace tarvex
