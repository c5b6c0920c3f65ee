// The framework's event handler types: single std::function handlers, assigned to attach and cleared to detach.
#pragma once

#include "platform/ui/Keys.h"

#include <QChar>
#include <QObject>
#include <functional>

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TNotifyEvent = std::function<void(QObject* Sender)>;
using TKeyEvent = std::function<void(QObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(QObject* Sender, QChar& Key)>;
using TMouseEvent = std::function<void(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject* Sender, TShiftState Shift, int X, int Y)>;

namespace ui {

// The framework's button for a Qt mouse button.
TMouseButton MouseButtonOf(Qt::MouseButton button);

// Calls a handler when one is attached; a copy is called so that the handler may detach itself.
template <class Handler, class... Args>
void Fire(const Handler& handler, Args&&... args) {
    if (!handler) return;
    Handler copy = handler;
    copy(std::forward<Args>(args)...);
}

}  // namespace ui
