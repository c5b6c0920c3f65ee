// TSplitter: a thin bar that the user drags to resize the aligned control before it.
#pragma once

#include "platform/ui/Control.h"

class TSplitter : public ui::ControlOf<QWidget> {
public:
    // Aligned to the left, 3 pixels wide, as the framework makes it.
    explicit TSplitter(QWidget* parent);

    // The neighbour never gets smaller than this.
    int MinSize = 30;

    // The visible control aligned like the splitter whose edge meets it; null when none.
    TControl* Neighbour() const;
    // Gives the neighbour delta pixels more (fewer when negative), within MinSize and the room its parent has.
    void MoveBy(int delta);

protected:
    void enterEvent(QEnterEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool Vertical() const { return Align() == alLeft || Align() == alRight; }

    bool dragging_ = false;
    QPoint pressed_;
};
