// TwwPopupListbox: the drop-down list of a combo box, a frameless tool window shown without activation,
// so that the focus stays in the box, which hands it its keys.
#pragma once

#include "platform/ui/EnumSet.h"
#include "platform/ui/Geometry.h"

#include <QListWidget>
#include <QStyledItemDelegate>
#include <functional>

enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = ui::SetOf<TOwnerDrawStateItem>;

class TwwPopupListbox : public QListWidget {
public:
    // owner: the combo box; the list is a window of its own that the box owns.
    explicit TwwPopupListbox(QWidget* owner);

    // The typed characters of an owner-drawn box's search and the tick of the last one.
    QString SearchText;
    quint32 SearchTick = 0;

    int Count() const { return count(); }
    QString Item(int index) const;
    // -1: nothing selected.
    int ItemIndex() const;
    void SetItemIndex(int index);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    // Items are drawn by DrawItem (owner-drawn lists) rather than as plain text.
    bool OwnerDraw = false;

    // Draws one item; the list is cleared in its colours first. Answers false to draw it as plain text.
    std::function<bool(QPainter& painter, int index, const QRect& rect, TOwnerDrawState state)> DrawItem;
    // A left-button release inside the list's client area.
    std::function<void()> OnReleaseInside;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    class Delegate;
    int itemHeight_ = 11;
};
