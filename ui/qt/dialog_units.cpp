#include "ui/qt/dialog_units.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace tarvex {

DialogUnits DialogUnitsOf(const QFont& font) {
    QFontMetrics metrics(font);
    // The average width over the 52 letters, rounded, as the system measures a dialog font.
    int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogUnits units;
    units.charWidth = (letters / 26 + 1) / 2;
    units.charHeight = metrics.height();
    return units;
}

QFont DialogFont(const DialogTemplate& dialog) {
    QFont font(QString::fromLatin1(dialog.fontFace), dialog.pointSize);
    font.setStyleHint(dialog.fixedPitchFont ? QFont::TypeWriter : QFont::SansSerif);
    if (dialog.fixedPitchFont && !QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(dialog.pointSize);
    }
    return font;
}

}  // namespace tarvex
