#pragma once
#include <QIcon>
#include <QImage>

namespace tarvex {

// The application icon: a flash chip with a lightning bolt, drawn at 32x32 and at 16x16.
QImage DrawAppIconImage(int size);
QIcon AppIcon();

}  // namespace tarvex
