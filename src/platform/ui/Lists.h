// Combo boxes and list boxes with the framework's Items, ItemIndex and Text.
#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/ControlStrings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QStringList>

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public ui::ControlOf<QComboBox> {
public:
    explicit TComboBox(QWidget* parent);

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    TStrings& Items() { return items_; }
    const TStrings& Items() const { return items_; }
    void Clear() { clear(); }
    // -1: nothing chosen.
    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int index) { setCurrentIndex(index); }
    QString Text() const { return currentText(); }
    void SetText(const QString& text);
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool sorted) { items_.SetSorted(sorted); }
    int DropDownCount() const { return maxVisibleItems(); }
    void SetDropDownCount(int count) { setMaxVisibleItems(count); }
    bool DroppedDown() const { return droppedDown_; }

    bool WantsKey(Word key, TShiftState shift) const override;
    void showPopup() override;
    void hidePopup() override;

    // OnChange runs when the user changes the text or the choice; OnSelect when the user picks an item.
    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

private:
    TComboBoxStyle style_ = csDropDown;
    ui::ComboStrings items_{*this};
    QPointer<QLineEdit> wiredEdit_;  // the edit whose keys and edits are routed here
    bool droppedDown_ = false;
};

class TListBox : public ui::ControlOf<QListWidget> {
public:
    explicit TListBox(QWidget* parent);

    TStrings& Items() { return items_; }
    const TStrings& Items() const { return items_; }
    void Clear() { clear(); }
    int Count() const { return count(); }
    int ItemIndex() const { return currentRow(); }
    void SetItemIndex(int index) { setCurrentRow(index); }
    bool MultiSelect() const { return selectionMode() == QAbstractItemView::ExtendedSelection; }
    void SetMultiSelect(bool multi);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const { return int(selectedItems().size()); }
    // Sorted without regard to case; an item added falls into its place.
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool sorted) { items_.SetSorted(sorted); }

    bool WantsKey(Word key, TShiftState shift) const override;

protected:
    QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
    ui::ListWidgetStrings& ItemStrings() { return items_; }

private:
    ui::ListWidgetStrings items_{*this};
};

// A list box whose items carry check boxes; Space or a click on the box toggles an item.
class TCheckListBox : public TListBox {
public:
    explicit TCheckListBox(QWidget* parent);

    bool Checked(int index) const;
    void SetChecked(int index, bool checked);

    bool WantsKey(Word key, TShiftState shift) const override;
};
