// The standard pictures kept by picture, for as long as the application keeps its style.
#include "platform/ui/StandardIcons.h"

#include <QApplication>
#include <QHash>
#include <QPointer>

namespace ui {

QIcon StandardIcon(QStyle::StandardPixmap picture) {
    static QPointer<QStyle> style;
    static QHash<int, QIcon> icons;
    if (style != QApplication::style()) {
        style = QApplication::style();
        icons.clear();
    }
    const auto found = icons.constFind(picture);
    if (found != icons.constEnd()) return *found;
    return *icons.insert(picture, style->standardIcon(picture));
}

}  // namespace ui
