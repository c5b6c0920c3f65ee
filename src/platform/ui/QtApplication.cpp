// Event delivery through the one dispatch.
#include "platform/ui/QtApplication.h"

#include "platform/ui/Dispatch.h"

namespace ui {

bool QtApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = true;
    Dispatch(receiver, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace ui
