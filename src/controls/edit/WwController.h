// TwwController hands one frame and one button look to many controls; TwwFormPosition a dialog's place.
#pragma once

#include "controls/edit/WwFrame.h"
#include "platform/rtl/Component.h"

#include <QList>

class TwwController : public TComponent {
public:
    explicit TwwController(QObject* owner);

    TwwEditFrame Frame;
    TwwButtonEffects ButtonEffects;
    // The controls that name this controller; a destroyed control leaves the list.
    const QList<QObject*>& ControlList() const { return controlList_; }

private:
    friend void AssignController(TwwController*& reference, TwwController* controller, QObject* control);
    void Add(QObject* control);
    void Remove(QObject* control);

    QList<QObject*> controlList_;
};

// The one way a control's Controller is set: the new controller lists the control, the old one drops it.
void AssignController(TwwController*& reference, TwwController* controller, QObject* control);

// The saved position of a library dialog window, in pixels.
struct TwwFormPosition {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};
