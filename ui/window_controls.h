#pragma once
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <functional>
#include <string>

namespace tarvex {

// The status line: a module-level object bound to the window's static control. It keeps the
// text exactly as set; the label shows it readable (see ReadableStatusText).
class StatusControl {
public:
    using Listener = std::function<void(const std::string& text)>;

    void Attach(QLabel* label);
    void SetWindowText(const std::string& text);
    const std::string& WindowText() const { return m_text; }
    QLabel* Label() const { return m_label; }
    // Told of every text set (tests follow a run's sequence of texts with it).
    void SetListener(Listener listener) { m_listener = std::move(listener); }

private:
    QPointer<QLabel> m_label;
    std::string m_text;
    Listener m_listener;
};

// The progress bar: a module-level object bound to the window's progress control.
class ProgressControl {
public:
    void Attach(QProgressBar* bar);
    void SetRange(int lower, int upper);
    void SetPos(int position);
    int Pos() const { return m_position; }
    QProgressBar* Bar() const { return m_bar; }

private:
    QPointer<QProgressBar> m_bar;
    int m_position = 0;
};

// A status text as the one-line label shows it: line breaks at either end dropped, line breaks
// inside turned into one space each, so that "\nPlease try it again\n" stays readable.
QString ReadableStatusText(const std::string& text);

}  // namespace tarvex
