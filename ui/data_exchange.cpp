#include "ui/data_exchange.h"

namespace tarvex {

void DataExchange::Control(int id, StatusControl& control) {
    control.Attach(qobject_cast<QLabel*>(m_controls.Control(id)));
}

void DataExchange::Control(int id, ProgressControl& control) {
    control.Attach(qobject_cast<QProgressBar*>(m_controls.Control(id)));
}

void DataExchange::Text(int id, const QString& value) {
    auto* edit = qobject_cast<QLineEdit*>(m_controls.Control(id));
    if (edit && edit->text() != value) edit->setText(value);
}

}  // namespace tarvex
