// The drop-down list window: no activation, fixed item height, items drawn by the box when it says so.
#include "controls/edit/WwPopupListbox.h"

#include "platform/ui/Dispatch.h"

#include <QMouseEvent>
#include <QPainter>

class TwwPopupListbox::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(TwwPopupListbox& list) : QStyledItemDelegate(&list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        int height = list_.itemHeight_;
        if (list_.MeasureItem) ui::Dispatch(&list_, [&] { height = list_.MeasureItem(index.row()); });
        return {QStyledItemDelegate::sizeHint(option, index).width(), height};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        bool drawn = false;
        if (list_.OwnerDraw && list_.DrawItem) {
            TOwnerDrawState state;
            const bool selected = option.state & QStyle::State_Selected;
            if (selected) state = state + TOwnerDrawState{odSelected};
            if (option.state & QStyle::State_HasFocus) state = state + TOwnerDrawState{odFocused};
            const QPalette& palette = list_.palette();
            painter->fillRect(option.rect, palette.color(selected ? QPalette::Highlight : QPalette::Base));
            painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
            ui::Dispatch(&list_, [&] { drawn = list_.DrawItem(*painter, index.row(), option.rect, state); });
        }
        if (!drawn) QStyledItemDelegate::paint(painter, option, index);
    }

private:
    TwwPopupListbox& list_;
};

TwwPopupListbox::TwwPopupListbox(QWidget* owner) : QListWidget(owner) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::Box);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setItemDelegate(new Delegate(*this));
    setMouseTracking(true);
}

QString TwwPopupListbox::Item(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text() : QString();
}

int TwwPopupListbox::ItemIndex() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void TwwPopupListbox::SetItemIndex(int index) {
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(index);
    item(index)->setSelected(true);
    scrollToItem(item(index));
}

void TwwPopupListbox::SetItemHeight(int height) {
    itemHeight_ = height;
    doItemsLayout();
}

void TwwPopupListbox::mousePressEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        // A press selects the item under it; the list never takes the focus.
        if (QListWidgetItem* entry = itemAt(event->position().toPoint())) SetItemIndex(row(entry));
    });
}

void TwwPopupListbox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !viewport()->rect().contains(event->position().toPoint())) return;
    ui::Dispatch(this, [this] {
        if (OnReleaseInside) OnReleaseInside();
    });
}
