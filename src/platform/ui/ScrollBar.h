// TScrollBar: the framework's scroll bar control, which reports each step the user takes as a scroll code.
#pragma once

#include "platform/ui/Control.h"

#include <QScrollBar>
#include <functional>

// Numbered as the framework numbers them.
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
enum TScrollBarKind { sbHorizontal, sbVertical };

// The handler may change ScrollPos, which becomes the bar's position.
using TScrollEvent = std::function<void(QObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public ui::ControlOf<QScrollBar> {
public:
    // Horizontal, from 0 to 100, as the framework makes it.
    explicit TScrollBar(QWidget* parent);

    TScrollBarKind Kind() const { return orientation() == Qt::Vertical ? sbVertical : sbHorizontal; }
    void SetKind(TScrollBarKind kind);
    int Position() const { return value(); }
    void SetPosition(int position) { setValue(position); }
    int Min() const { return minimum(); }
    int Max() const { return maximum(); }
    void SetParams(int position, int min, int max);

    // Takes a step as the user's press would, through OnScroll.
    void Scroll(TScrollCode code);

    TScrollEvent OnScroll;

private:
    // The position the step leads to.
    int PositionAfter(TScrollCode code) const;
};
