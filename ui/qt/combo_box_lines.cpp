#include "ui/qt/combo_box_lines.h"

namespace tarvex {

namespace {

constexpr const char* SortedProperty = "tarvexSorted";

}  // namespace

void SetComboBoxSorted(QComboBox& box, bool sorted) { box.setProperty(SortedProperty, sorted); }

bool IsComboBoxSorted(const QComboBox& box) { return box.property(SortedProperty).toBool(); }

int AddComboLine(QComboBox& box, const QString& text, const QVariant& data) {
    int at = box.count();
    if (IsComboBoxSorted(box)) {
        at = 0;
        while (at < box.count() &&
               QString::compare(box.itemText(at), text, Qt::CaseInsensitive) <= 0)
            ++at;
    }
    // Adding a line never selects one; Qt would select the first line of an empty box.
    bool noSelection = box.currentIndex() < 0;
    box.insertItem(at, text, data);
    if (noSelection) box.setCurrentIndex(-1);
    return at;
}

}  // namespace tarvex
