#pragma once
#include <QLineEdit>
#include <QString>

#include "ui/template_builder.h"
#include "ui/window_controls.h"

namespace tarvex {

// Binds a dialog's members to its controls, as the dialog's data exchange does at start-up.
// Data flows only into the controls: the windows read values back through their handlers.
class DataExchange {
public:
    explicit DataExchange(const DialogControls& controls) : m_controls(controls) {}

    template <class Widget>
    void Control(int id, Widget*& member) {
        member = qobject_cast<Widget*>(m_controls.Control(id));
        Q_ASSERT(member);
    }
    void Control(int id, StatusControl& control);
    void Control(int id, ProgressControl& control);
    // Puts the text into the edit, unless it already holds it (which raises no change).
    void Text(int id, const QString& value);

private:
    const DialogControls& m_controls;
};

}  // namespace tarvex
