// Small window routines of the control library.
#include "controls/edit/WwWindows.h"

#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/CustomGrid.h"
#include "platform/ui/Form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>

namespace {

const char* const kPaintCopy = "wwPaintCopy";

TControl* ParentControl(const TControl* control) {
    QWidget* parent = control ? control->Widget().parentWidget() : nullptr;
    return parent ? FindControl(parent) : nullptr;
}

}  // namespace

bool InheritsFromClassName(const QObject* object, const QString& className) {
    for (const QMetaObject* meta = object ? object->metaObject() : nullptr; meta; meta = meta->superClass())
        if (QString::fromLatin1(meta->className()).compare(className, Qt::CaseInsensitive) == 0) return true;
    return false;
}

bool IsInGrid(const TControl* control) { return dynamic_cast<TCustomGrid*>(ParentControl(control)) != nullptr; }

bool InPaintCopyState(const TControl* control) { return control && control->Widget().property(kPaintCopy).toBool(); }

bool IsPaintingInGrid(const TControl* control) { return IsInGrid(control) && InPaintCopyState(control); }

controls::PaintCopyScope::PaintCopyScope(TControl& control) : control_(control) {
    control_.Widget().setProperty(kPaintCopy, true);
}

controls::PaintCopyScope::~PaintCopyScope() { control_.Widget().setProperty(kPaintCopy, QVariant()); }

bool ThemesEnabledFor(const TControl* control) {
    if (!control) return true;
    if (controls::HasProp(control, "DisableThemes")) return !controls::GetPropAs<bool>(control, "DisableThemes");
    const TControl* parent = ParentControl(control);
    return !parent || !controls::GetPropAs<bool>(parent, "DisableThemes");
}

bool HasChildOutsideClient(const TControl& control) {
    const QRect client(0, 0, control.ClientWidth(), control.ClientHeight());
    for (const QWidget* child : control.Widget().findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && !client.contains(child->pos())) return true;
    return false;
}

void PostButtonUpToActiveForm() {
    TForm* form = Screen->ActiveForm();
    QWidget* holder = QWidget::mouseGrabber();
    if (!form || !holder || !(holder == form || holder->parentWidget() == form->ClientArea())) return;
    const QPointF local = holder->mapFromGlobal(QCursor::pos());
    QCoreApplication::postEvent(holder, new QMouseEvent(QEvent::MouseButtonRelease, local, holder->mapToGlobal(local),
                                                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

void PostKeyWithModifier(QWidget& window, Word key, Word modifierKey) {
    const Qt::KeyboardModifiers modifier = modifierKey == VK_SHIFT     ? Qt::ShiftModifier
                                           : modifierKey == VK_CONTROL ? Qt::ControlModifier
                                           : modifierKey == VK_MENU    ? Qt::AltModifier
                                                                       : Qt::NoModifier;
    const int qtKey = ui::QtKeyOf(key);
    QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, qtKey, modifier));
    QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyRelease, qtKey, modifier));
}

TRect GetWorkArea() { return Screen->WorkAreaRect(); }

TForm* FindOwnerForm(const QObject* component) {
    for (const QObject* owner = component; owner; owner = owner->parent())
        if (auto* form = dynamic_cast<const TForm*>(owner)) return const_cast<TForm*>(form);
    return nullptr;
}
