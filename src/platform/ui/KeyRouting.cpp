// The key stages and the filter that forwards keys of inner widgets to their control.
#include "platform/ui/KeyRouting.h"

#include "platform/ui/Control.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Form.h"

#include <QCoreApplication>

namespace ui {
namespace {

bool delivering = false;

// Keys a form may take as dialog keys when the focused control does not want them.
bool IsDialogKey(Word key) {
    switch (key) {
        case VK_TAB:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_RETURN:
        case VK_ESCAPE: return true;
        default: return false;
    }
}

// The key event that types a character in Qt's widgets.
QKeyEvent CharacterEvent(QChar ch, Qt::KeyboardModifiers modifiers) {
    switch (ch.unicode()) {
        case u'\r': return QKeyEvent(QEvent::KeyPress, Qt::Key_Return, modifiers, QString(ch));
        case u'\n': return QKeyEvent(QEvent::KeyPress, Qt::Key_Return, modifiers | Qt::ControlModifier, QString(ch));
        case 0x1B: return QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, modifiers, QString(ch));
        case u'\b': return QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, modifiers, QString(ch));
        case u'\t': return QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, modifiers, QString(ch));
        default: break;
    }
    if (ch.unicode() >= 1 && ch.unicode() <= 26)
        return QKeyEvent(QEvent::KeyPress, int(Qt::Key_A) + ch.unicode() - 1, modifiers | Qt::ControlModifier,
                         QString(ch));
    const QChar upper = ch.toUpper();
    const int key = upper.unicode() < 0x100 ? int(upper.unicode()) : int(Qt::Key_unknown);
    return QKeyEvent(QEvent::KeyPress, key, modifiers & ~Qt::ControlModifier, QString(ch));
}

void DeliverNatively(const NativeKeyHandler& native, QKeyEvent& event) {
    const bool outer = delivering;
    delivering = true;
    native(event);
    delivering = outer;
}

class KeyForwarder : public QObject {
public:
    KeyForwarder(QWidget& inner, TControl& control) : QObject(&inner), control_(control) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (delivering || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)) return false;
        auto& key = static_cast<QKeyEvent&>(*event);
        bool passOriginal = false;
        const NativeKeyHandler native = [&](QKeyEvent& e) {
            if (&e == &key) passOriginal = true;
            else QCoreApplication::sendEvent(watched, &e);
        };
        Dispatch(&control_.Widget(), [&] {
            if (event->type() == QEvent::KeyPress) RouteKeyPress(control_, key, native);
            else RouteKeyRelease(control_, key, native);
        });
        if (passOriginal) return false;
        event->accept();
        return true;
    }

private:
    TControl& control_;
};

}  // namespace

bool DeliveringNatively() { return delivering; }

void RouteKeyPress(TControl& control, QKeyEvent& event, const NativeKeyHandler& native) {
    const TShiftState shift = ShiftStateOf(event.modifiers());
    const Word originalKey = VirtualKeyOf(event);
    const QChar originalChar = CharacterOf(event);
    TForm* form = control.ParentForm();
    TControl* preview = form && form != &control && form->KeyPreview() ? form : nullptr;

    Word key = originalKey;
    if (key != 0 && form) {
        if (form->IsShortCut(key, shift, control)) return;
        if (IsDialogKey(key) && !control.WantsKey(key, shift) && form->DialogKey(key, shift, control)) return;
    }
    if (key != 0 && preview) preview->KeyDown(key, shift);
    if (key != 0) control.KeyDown(key, shift);

    QChar ch = originalChar;
    if (!ch.isNull() && preview) preview->KeyPress(ch);
    if (!ch.isNull()) control.KeyPress(ch);

    // Alt+F4 left alone by the control closes its window, as the system menu does.
    if (key == VK_F4 && shift == TShiftState{ssAlt} && form) {
        form->Close();
        return;
    }
    if (key == originalKey && ch == originalChar) {
        DeliverNatively(native, event);
        return;
    }
    if (key != 0 && key != originalKey) {
        QKeyEvent keyEvent(QEvent::KeyPress, QtKeyOf(key), event.modifiers(), QString());
        DeliverNatively(native, keyEvent);
    }
    if (!ch.isNull()) {
        QKeyEvent charEvent = CharacterEvent(ch, event.modifiers());
        DeliverNatively(native, charEvent);
    }
}

void RouteKeyRelease(TControl& control, QKeyEvent& event, const NativeKeyHandler& native) {
    const TShiftState shift = ShiftStateOf(event.modifiers());
    const Word originalKey = VirtualKeyOf(event);
    TForm* form = control.ParentForm();
    Word key = originalKey;
    if (key != 0 && form && form != &control && form->KeyPreview()) form->KeyUp(key, shift);
    if (key != 0) control.KeyUp(key, shift);
    if (key == originalKey) {
        DeliverNatively(native, event);
    } else if (key != 0) {
        QKeyEvent keyEvent(QEvent::KeyRelease, QtKeyOf(key), event.modifiers(), QString());
        DeliverNatively(native, keyEvent);
    }
}

void ForwardKeys(QWidget& inner, TControl& control) { inner.installEventFilter(new KeyForwarder(inner, control)); }

}  // namespace ui
