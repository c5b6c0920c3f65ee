// The menu pop-up paints its items itself, so that a menu can break into columns.
#include "controls/edit/CalendarMenuView.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/Events.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace controls {
namespace {

constexpr int kFrame = 2;
constexpr int kTextPad = 12;

bool Contains(const TRect& r, QPoint p) {
    return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom;
}

}  // namespace

CalendarMenuView::CalendarMenuView(std::vector<CalendarMenuItem> items)
    : QWidget(nullptr, Qt::Popup), items_(std::move(items)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMouseReplay);
    Layout();
}

void CalendarMenuView::Layout() {
    const QFontMetrics metrics(font());
    const int itemHeight = metrics.height() + 6;
    const int check = metrics.height() + 4;
    rects_.assign(items_.size(), {});
    int left = kFrame;
    int bottom = kFrame;
    size_t start = 0;
    while (start < items_.size()) {
        size_t end = start + 1;
        while (end < items_.size() && !items_[end].BarBreak) ++end;
        int widest = 0;
        for (size_t i = start; i < end; ++i) widest = std::max(widest, metrics.horizontalAdvance(items_[i].Caption));
        const int width = check + widest + kTextPad;
        for (size_t i = start; i < end; ++i)
            rects_[i] = Bounds(left, kFrame + int(i - start) * itemHeight, width, itemHeight);
        bottom = std::max(bottom, rects_[end - 1].Bottom);
        // A bar between columns, as a menu's bar break draws it.
        left += width + 3;
        start = end;
    }
    resize(left - 3 + kFrame, bottom + kFrame);
}

TRect CalendarMenuView::ItemRect(int index) const { return rects_.at(size_t(index)); }

int CalendarMenuView::ItemAt(QPoint point) const {
    for (size_t i = 0; i < rects_.size(); ++i)
        if (Contains(rects_[i], point)) return int(i);
    return -1;
}

void CalendarMenuView::Choose(int index) {
    if (index < 0 || index >= ItemCount() || !items_[size_t(index)].Enabled) return;
    chosen_ = index;
    close();
}

void CalendarMenuView::paintEvent(QPaintEvent*) {
    ui::Dispatch(this, [&] {
        QPainter painter(this);
        const QPalette& colors = palette();
        painter.fillRect(rect(), colors.color(QPalette::Window));
        painter.setPen(colors.color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        const QFontMetrics metrics(font());
        const int check = metrics.height() + 4;
        for (int i = 0; i < ItemCount(); ++i) {
            const CalendarMenuItem& item = items_[size_t(i)];
            const QRect r = ui::ToQRect(rects_[size_t(i)]);
            if (item.BarBreak) {
                painter.setPen(colors.color(QPalette::Mid));
                painter.drawLine(r.left() - 2, kFrame, r.left() - 2, height() - kFrame - 1);
            }
            const bool hot = i == hot_ && item.Enabled;
            if (hot) painter.fillRect(r, colors.color(QPalette::Highlight));
            const QColor text = !item.Enabled ? colors.color(QPalette::Disabled, QPalette::WindowText)
                                : hot         ? colors.color(QPalette::HighlightedText)
                                              : colors.color(QPalette::WindowText);
            painter.setPen(text);
            if (item.Checked) {
                // A tick drawn with lines, whatever glyphs the font has.
                const QRect box(r.left() + 4, r.top() + (r.height() - check) / 2 + 4, check - 8, check - 8);
                painter.drawPolyline(QPolygon({box.bottomLeft() - QPoint(0, box.height() / 2),
                                               QPoint(box.left() + box.width() / 3, box.bottom()), box.topRight()}));
            }
            painter.drawText(r.adjusted(check, 0, 0, 0), int(Qt::AlignVCenter | Qt::AlignLeft), item.Caption);
        }
    });
}

void CalendarMenuView::mouseMoveEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        const int hot = ItemAt(event->position().toPoint());
        if (hot == hot_) return;
        hot_ = hot;
        update();
    });
}

void CalendarMenuView::mousePressEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        if (rect().contains(event->position().toPoint())) return;
        close();
    });
}

void CalendarMenuView::mouseReleaseEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] { Choose(ItemAt(event->position().toPoint())); });
}

void CalendarMenuView::MoveHot(int key) {
    if (items_.empty()) return;
    if (hot_ < 0) {
        hot_ = 0;
        return;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        const int step = key == Qt::Key_Down ? 1 : -1;
        for (int n = 1; n <= ItemCount(); ++n) {
            const int i = (hot_ + step * n + ItemCount() * n) % ItemCount();
            if (items_[size_t(i)].Enabled) {
                hot_ = i;
                return;
            }
        }
        return;
    }
    // Left and Right: the item at the same height in the neighbouring column.
    const TRect from = rects_[size_t(hot_)];
    const int x = key == Qt::Key_Right ? from.Right + 4 : from.Left - 4;
    const int target = ItemAt(QPoint(x, from.Top + 1));
    if (target >= 0 && items_[size_t(target)].Enabled) hot_ = target;
}

void CalendarMenuView::keyPressEvent(QKeyEvent* event) {
    ui::Dispatch(this, [&] {
        switch (event->key()) {
            case Qt::Key_Escape: close(); break;
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Space: Choose(hot_); break;
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_Left:
            case Qt::Key_Right:
                MoveHot(event->key());
                update();
                break;
            default: break;
        }
    });
}

void CalendarMenuView::hideEvent(QHideEvent*) {
    ui::Dispatch(this, [&] { ui::Fire(OnHidden); });
}

}  // namespace controls
