#include "ui/window_controls.h"

namespace tarvex {

namespace {

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

}  // namespace

QString ReadableStatusText(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsLineBreak(text[begin])) ++begin;
    while (end > begin && IsLineBreak(text[end - 1])) --end;
    std::string shown;
    for (size_t i = begin; i < end; ++i) {
        if (!IsLineBreak(text[i])) {
            shown += text[i];
        } else if (!IsLineBreak(text[i - 1])) {
            shown += ' ';
        }
    }
    return QString::fromLatin1(shown.data(), static_cast<qsizetype>(shown.size()));
}

void StatusControl::Attach(QLabel* label) {
    m_label = label;
    m_text = label ? label->text().toStdString() : std::string();
}

void StatusControl::SetWindowText(const std::string& text) {
    m_text = text;
    if (m_label) m_label->setText(ReadableStatusText(text));
    if (m_listener) m_listener(text);
}

void ProgressControl::Attach(QProgressBar* bar) {
    m_bar = bar;
    m_position = bar ? bar->value() : 0;
}

void ProgressControl::SetRange(int lower, int upper) {
    if (m_bar) m_bar->setRange(lower, upper);
}

void ProgressControl::SetPos(int position) {
    m_position = position;
    if (m_bar) m_bar->setValue(position);
}

}  // namespace tarvex
