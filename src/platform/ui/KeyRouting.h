// Keys reach a control in the framework's order: menu shortcut, the control's "wants this key?",
// the form's dialog key, key-down (which may clear the key), character (still delivered after key-down
// cleared the key), then key-up; what is left goes to the widget's own Qt handling.
#pragma once

#include <QKeyEvent>
#include <functional>

class TControl;

namespace ui {

// native receives the event the widget's own handling should still see: the original when no stage
// changed anything, else one made from the key and character that are left; it is not called when
// nothing is left.
using NativeKeyHandler = std::function<void(QKeyEvent&)>;

void RouteKeyPress(TControl& control, QKeyEvent& event, const NativeKeyHandler& native);
void RouteKeyRelease(TControl& control, QKeyEvent& event, const NativeKeyHandler& native);

// Sends the keys of a widget inside a control (a combo box's edit, a tab bar) through the control's stages.
void ForwardKeys(QWidget& inner, TControl& control);

// True while a routed key is being handed to Qt's own handling (its propagation is not routed again).
bool DeliveringNatively();

}  // namespace ui
