// Combo and list boxes over QComboBox and QListWidget.
#include "platform/ui/Lists.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/KeyRouting.h"

#include <QLineEdit>

namespace {

bool IsVerticalArrow(Word key) { return key == VK_UP || key == VK_DOWN; }

}  // namespace

TComboBox::TComboBox(QWidget* parent) : ControlOf<QComboBox>(parent) {
    setInsertPolicy(QComboBox::NoInsert);
    SetStyle(csDropDown);
    connect(this, &QComboBox::activated, this, [this] {
        ui::Dispatch(this, [this] {
            ui::Fire(OnSelect, this);
            ui::Fire(OnChange, this);
        });
    });
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    style_ = style;
    setEditable(style == csDropDown || style == csSimple);
    if (QLineEdit* edit = lineEdit(); edit && edit != wiredEdit_) {
        wiredEdit_ = edit;
        ui::ForwardKeys(*edit, *this);
        connect(edit, &QLineEdit::textEdited, this,
                [this] { ui::Dispatch(this, [this] { ui::Fire(OnChange, this); }); });
    }
}

void TComboBox::SetText(const QString& text) {
    const int index = findText(text, Qt::MatchFixedString);
    setCurrentIndex(index);
    if (isEditable()) setEditText(text);
}

bool TComboBox::WantsKey(Word key, TShiftState) const {
    return IsVerticalArrow(key) || (isEditable() && (key == VK_LEFT || key == VK_RIGHT)) ||
           (droppedDown_ && (key == VK_RETURN || key == VK_ESCAPE));
}

void TComboBox::showPopup() {
    ui::Fire(OnDropDown, this);
    droppedDown_ = true;
    QComboBox::showPopup();
}

void TComboBox::hidePopup() {
    QComboBox::hidePopup();
    droppedDown_ = false;
    ui::Fire(OnCloseUp, this);
}

TListBox::TListBox(QWidget* parent) : ControlOf<QListWidget>(parent) {}

void TListBox::SetMultiSelect(bool multi) {
    setSelectionMode(multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int index) const { return item(index) && item(index)->isSelected(); }

void TListBox::SetSelected(int index, bool selected) {
    if (QListWidgetItem* it = item(index)) it->setSelected(selected);
}

bool TListBox::WantsKey(Word key, TShiftState) const {
    return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT;
}

TCheckListBox::TCheckListBox(QWidget* parent) : TListBox(parent) { ItemStrings().SetCheckable(true); }

bool TCheckListBox::Checked(int index) const {
    const QListWidgetItem* it = item(index);
    return it && it->checkState() == Qt::Checked;
}

void TCheckListBox::SetChecked(int index, bool checked) {
    if (QListWidgetItem* it = item(index)) it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool TCheckListBox::WantsKey(Word key, TShiftState shift) const {
    return key == VK_SPACE || TListBox::WantsKey(key, shift);
}
