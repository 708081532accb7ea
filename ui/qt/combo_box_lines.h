#pragma once
#include <QComboBox>
#include <QString>
#include <QVariant>

namespace tarvex {

// Marks a combo box whose lines are kept sorted as text.
void SetComboBoxSorted(QComboBox& box, bool sorted);
bool IsComboBoxSorted(const QComboBox& box);

// Adds a line as the template's combo box does: at its sorted place (text compared without
// regard to case, after equal lines) when the box sorts, else at the end. Returns its position.
int AddComboLine(QComboBox& box, const QString& text, const QVariant& data = {});

}  // namespace tarvex
