// The splitter finds the control it sizes by its edge, and sizes it as the mouse moves.
#include "platform/ui/Splitter.h"

#include "platform/ui/Dispatch.h"

#include <QMouseEvent>
#include <algorithm>

TSplitter::TSplitter(QWidget* parent) : ControlOf<QWidget>(parent) {
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
}

TControl* TSplitter::Neighbour() const {
    QWidget* parent = parentWidget();
    if (!parent) return nullptr;
    const QRect own = geometry();
    for (QObject* child : parent->children()) {
        auto* control = dynamic_cast<TControl*>(child);
        if (!control || control == this || control->Align() != Align() || !control->Visible()) continue;
        const QRect r = control->Widget().geometry();
        const bool meets = Align() == alLeft     ? r.right() + 1 == own.left()
                           : Align() == alRight  ? r.left() == own.right() + 1
                           : Align() == alTop    ? r.bottom() + 1 == own.top()
                           : Align() == alBottom ? r.top() == own.bottom() + 1
                                                 : false;
        if (meets) return control;
    }
    return nullptr;
}

void TSplitter::MoveBy(int delta) {
    TControl* neighbour = Neighbour();
    if (!neighbour || !parentWidget()) return;
    // Right and bottom neighbours grow as the splitter moves towards the start.
    if (Align() == alRight || Align() == alBottom) delta = -delta;
    const int room = Vertical() ? parentWidget()->contentsRect().width() : parentWidget()->contentsRect().height();
    const int current = Vertical() ? neighbour->Width() : neighbour->Height();
    const int size = std::clamp(current + delta, std::min(MinSize, current), std::max(MinSize, room - MinSize));
    if (Vertical()) neighbour->SetWidth(size);
    else neighbour->SetHeight(size);
    ui::ArrangeAlignedChildren(*parentWidget());
}

void TSplitter::enterEvent(QEnterEvent* e) {
    ui::Dispatch(this, [&] {
        setCursor(Vertical() ? Qt::SplitHCursor : Qt::SplitVCursor);
        ControlOf<QWidget>::enterEvent(e);
    });
}

void TSplitter::mousePressEvent(QMouseEvent* e) {
    dragging_ = e->button() == Qt::LeftButton;
    pressed_ = e->globalPosition().toPoint();
}

void TSplitter::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_) return;
    const QPoint at = e->globalPosition().toPoint();
    const int delta = Vertical() ? at.x() - pressed_.x() : at.y() - pressed_.y();
    pressed_ = at;
    ui::Dispatch(this, [&] { MoveBy(delta); });
}

void TSplitter::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }
