#pragma once
#include <QFont>
#include <QRect>

#include "ui/templates/dialog_template.h"

namespace tarvex {

// Converts dialog units to pixels from the dialog font's average character size, as dialog
// templates are laid out: a horizontal unit is a quarter of the average character width, a
// vertical unit an eighth of the character height.
struct DialogUnits {
    int charWidth = 4;
    int charHeight = 8;

    int X(int units) const { return units * charWidth / 4; }
    int Y(int units) const { return units * charHeight / 8; }
    QRect Rect(int x, int y, int cx, int cy) const { return {X(x), Y(y), X(cx), Y(cy)}; }
};

DialogUnits DialogUnitsOf(const QFont& font);

// The template's font, or the closest sans or fixed-pitch font when its face is missing.
QFont DialogFont(const DialogTemplate& dialog);

}  // namespace tarvex
