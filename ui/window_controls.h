#pragma once
#include <functional>
#include <string>

#include "ui/dialog_item.h"

namespace tarvex {

// The status line: a module-level object bound to the window's static control. It keeps the
// text exactly as set; the control shows it readable (see ReadableStatusText).
class StatusControl {
public:
    using Listener = std::function<void(const std::string& text)>;

    void Attach(const DialogItem& item);
    void Detach() { m_item = {}; }
    void SetWindowText(const std::string& text);
    const std::string& WindowText() const { return m_text; }
    // What the control shows, empty when unbound.
    std::string ShownText() const;
    DialogSurface* Surface() const { return m_item.Surface(); }
    // Told of every text set (tests follow a run's sequence of texts with it).
    void SetListener(Listener listener) { m_listener = std::move(listener); }

private:
    DialogItem m_item;
    std::string m_text;
    Listener m_listener;
};

// The progress bar: a module-level object bound to the window's progress control.
class ProgressControl {
public:
    void Attach(const DialogItem& item);
    void Detach() { m_item = {}; }
    void SetRange(int lower, int upper);
    void SetPos(int position);
    int Pos() const { return m_position; }
    // The bar's own upper end, -1 when unbound.
    int Upper() const;

private:
    DialogItem m_item;
    int m_position = 0;
};

// A status text as the one-line control shows it: line breaks at either end dropped, line
// breaks inside turned into one space each, so that "\nPlease try it again\n" stays readable.
std::string ReadableStatusText(const std::string& text);

}  // namespace tarvex
