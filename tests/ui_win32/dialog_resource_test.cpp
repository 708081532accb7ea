// The in-memory Win32 dialog templates, read back field by field. (On Windows, the windows' own
// tests run on dialogs the dialog manager builds from them.)
#include "ui/templates/dialog_resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/byte_order.h"
#include "ui/templates/control_ids.h"

namespace tarvex {
namespace {

// Reads an extended template as the dialog manager does, failing on any read past its end.
class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}
    uint32_t Field(size_t width) {
        if (m_at + width > m_bytes.size()) throw std::out_of_range("past the template's end");
        const uint32_t value = width == 1   ? m_bytes[m_at]
                               : width == 2 ? LoadLe16(&m_bytes[m_at])
                                            : LoadLe32(&m_bytes[m_at]);
        m_at += width;
        return value;
    }
    uint16_t U16() { return static_cast<uint16_t>(Field(2)); }
    uint32_t U32() { return Field(4); }
    int S16() { return static_cast<int16_t>(U16()); }
    std::string Text() {
        std::string text;
        for (uint16_t c = U16(); c != 0; c = U16()) text += static_cast<char>(c);
        return text;
    }
    // A class or title: an ordinal (0xFFFF, atom) as "#atom", or a text.
    std::string NameOrOrdinal() {
        if (m_at + 2 > m_bytes.size() || LoadLe16(&m_bytes[m_at]) != 0xFFFF) return Text();
        U16();
        return "#" + std::to_string(U16());
    }
    void AlignTo4() { m_at = (m_at + 3) / 4 * 4; }
    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    const std::vector<uint8_t>& m_bytes;
    size_t m_at = 0;
};

// The dialog manager's class of each ControlClass, in its order: the predefined classes by atom.
const char* const Win32Classes[] = {"#130", "#129", "#128", "#133", "msctls_progress32", "#128"};

TEST(DialogResource, BothTemplatesReadBackFieldByFieldAsTheDialogManagerReadsThem) {
    for (const DialogTemplate* dialog : {&FlashDialogTemplate(), &ConfigDialogTemplate()}) {
        SCOPED_TRACE(dialog->id);
        const std::vector<uint8_t> bytes = EncodeDialogResource(*dialog);
        Reader in(bytes);
        EXPECT_EQ(in.U16(), 1);
        EXPECT_EQ(in.U16(), 0xFFFF);
        EXPECT_EQ(in.U32(), 0u);
        EXPECT_EQ(in.U32(), DialogExtendedStyle(*dialog));
        const uint32_t style = in.U32();
        EXPECT_EQ(style, DialogWindowStyle(*dialog));
        EXPECT_EQ(style & 0x40u, 0x40u);  // a font follows
        ASSERT_EQ(in.U16(), dialog->controls.size());
        EXPECT_EQ(in.S16(), 0);
        EXPECT_EQ(in.S16(), 0);
        EXPECT_EQ(in.S16(), dialog->cx);
        EXPECT_EQ(in.S16(), dialog->cy);
        EXPECT_EQ(in.NameOrOrdinal(), "");  // no menu
        EXPECT_EQ(in.NameOrOrdinal(), "");  // the dialog class
        EXPECT_EQ(in.Text(), dialog->caption);
        EXPECT_EQ(in.U16(), dialog->pointSize);
        EXPECT_EQ(in.U16(), 400);
        EXPECT_EQ(in.Field(1), 0u);
        in.Field(1);
        EXPECT_EQ(in.Text(), dialog->fontFace);
        for (const ControlTemplate& control : dialog->controls) {
            SCOPED_TRACE(control.id);
            in.AlignTo4();
            EXPECT_EQ(in.U32(), 0u);
            EXPECT_EQ(in.U32(), 0u);
            const uint32_t itemStyle = in.U32();
            EXPECT_EQ(itemStyle, ControlWindowStyle(control));
            EXPECT_EQ(itemStyle & 0x50000000u, 0x50000000u);  // a visible child
            EXPECT_EQ(in.S16(), control.x);
            EXPECT_EQ(in.S16(), control.y);
            EXPECT_EQ(in.S16(), control.cx);
            EXPECT_EQ(in.S16(), control.cy);
            EXPECT_EQ(in.U32(), static_cast<uint32_t>(control.id));
            EXPECT_EQ(in.NameOrOrdinal(), Win32Classes[static_cast<int>(control.controlClass)]);
            EXPECT_EQ(in.NameOrOrdinal(), control.text ? control.text : "");
            EXPECT_EQ(in.U16(), 0);
        }
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(DialogResource, StylesCarryWhatTheTemplatesAskFor) {
    const DialogTemplate& flash = FlashDialogTemplate();
    EXPECT_EQ(DialogExtendedStyle(flash), 0x40000u);                 // a task-bar button of its own
    EXPECT_EQ(DialogWindowStyle(flash) & 0x00080000u, 0x00080000u);  // the system menu
    const struct {
        const DialogTemplate& dialog;
        int id;
        uint32_t mask, bits;
    } styles[] = {
        {flash, IdcController, 0x103, 0x103},            // a sorted drop-down list
        {flash, IdcProgress, 0x1, 0x1},                  // smooth
        {flash, IdcPath, 0x00800080, 0x00800080},        // a border, scrolling sideways
        {ConfigDialogTemplate(), IdcOk, 0xF, 0x1},       // the default button
        {ConfigDialogTemplate(), 1036, 0x2000, 0x2000},  // row 2's number: digits only
    };
    for (const auto& s : styles) {
        const auto& controls = s.dialog.controls;
        const auto control = std::find_if(controls.begin(), controls.end(),
                                          [&](const ControlTemplate& c) { return c.id == s.id; });
        ASSERT_NE(control, controls.end()) << s.id;
        EXPECT_EQ(ControlWindowStyle(*control) & s.mask, s.bits) << s.id;
    }
    // A face of the machine's own replaces the template's.
    const std::vector<uint8_t> bytes = EncodeDialogResource(ConfigDialogTemplate(), "Fixedsys");
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find(std::string("F\0i\0x\0e\0d", 9)),
              std::string::npos);
}

}  // namespace
}  // namespace tarvex
