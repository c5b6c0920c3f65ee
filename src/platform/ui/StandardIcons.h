// The style's standard pictures, made once per program: each window that shows one shares the same icon, whose
// images are decoded at their first use only.
#pragma once

#include <QIcon>
#include <QStyle>

namespace ui {

// The application style's icon for the picture.
QIcon StandardIcon(QStyle::StandardPixmap picture);

}  // namespace ui
