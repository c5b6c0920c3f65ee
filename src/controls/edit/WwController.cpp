// TwwController hands one frame and one button look to many controls.
#include "controls/edit/WwController.h"

#include "platform/ui/Dispatch.h"

TwwController::TwwController(QObject* owner) : TComponent(owner), Frame(nullptr), ButtonEffects(nullptr, nullptr) {}

void TwwController::Add(QObject* control) {
    controlList_.append(control);
    // The connection ends with the controller, so a controller being destroyed keeps its list.
    connect(control, &QObject::destroyed, this, [this](QObject* gone) { ui::Dispatch(this, [&] { Remove(gone); }); });
}

void TwwController::Remove(QObject* control) {
    const qsizetype at = controlList_.lastIndexOf(control);
    if (at >= 0) controlList_.removeAt(at);
}

void AssignController(TwwController*& reference, TwwController* controller, QObject* control) {
    if (controller == reference) return;
    if (reference && !controller) reference->Remove(control);
    reference = controller;
    if (controller) controller->Add(control);
}
