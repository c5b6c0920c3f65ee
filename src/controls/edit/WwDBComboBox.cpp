// The combo box: items and value maps, the set-value step, the list's rebuilding, drop-down and close-up.
#include "controls/edit/WwDBComboBox.h"

#include "controls/edit/WwCommon.h"
#include "controls/edit/WwWindows.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/PopupTracker.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace {

// An item's display part (before the first TAB) and value part (after it).
QString DisplayPart(const QString& item) {
    const qsizetype tab = item.indexOf(u'\t');
    return tab < 0 ? item : item.left(tab);
}

QString ValuePart(const QString& item) {
    const qsizetype tab = item.indexOf(u'\t');
    return tab < 0 ? QString() : item.mid(tab + 1);
}

bool SameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

int TwwComboStringList::Add(const QString& text) {
    const int index = TStringList::Add(text);
    combo_.ItemsChanged();
    return index;
}

int TwwComboStringList::AddObject(const QString& text, void* object) {
    const int index = TStringList::AddObject(text, object);
    combo_.ItemsChanged();
    return index;
}

void TwwComboStringList::Clear() {
    TStringList::Clear();
    combo_.ItemsChanged();
}

void TwwComboStringList::Delete(int index) {
    TStringList::Delete(index);
    combo_.ItemsChanged();
}

void TwwComboStringList::Exchange(int index1, int index2) {
    TStringList::Exchange(index1, index2);
    combo_.ItemsChanged();
}

void TwwComboStringList::Insert(int index, const QString& text) {
    TStringList::Insert(index, text);
    combo_.ItemsChanged();
}

void TwwComboStringList::Sort() {
    TStringList::Sort();
    combo_.ItemsSorted();
}

TwwDBCustomComboBox::TwwDBCustomComboBox(QWidget* parent) : TwwDBCustomCombo(parent) { SetButtonStyle(cbsDownArrow); }

TwwDBCustomComboBox::~TwwDBCustomComboBox() {
    destroying_ = true;
    if (list_) ui::PopupTracker::Instance().Unregister(list_);
    if (history_.IsLoaded()) {
        try {
            history_.Save();
        } catch (...) {
            // A history that cannot be written is not worth a message while the window closes.
        }
    }
}

void TwwDBCustomComboBox::SetMapList(bool mapList) {
    mapList_ = mapList;
    itemsChanged_ = true;
}

void TwwDBCustomComboBox::SetStyle(TComboBoxStyle style) {
    style_ = style;
    SetShowButton(style != csSimple);
    update();
}

void TwwDBCustomComboBox::SetSorted(bool sorted) {
    items_.SetSorted(sorted);
    itemsChanged_ = true;
}

void TwwDBCustomComboBox::ItemsSorted() {
    if (list_) RebuildList();
}

QString TwwDBCustomComboBox::ListText(const QString& item) const {
    if (mapList_) return DisplayPart(item);
    const QString after = ValuePart(item);
    return after.isEmpty() ? DisplayPart(item) : after;
}

QString TwwDBCustomComboBox::ValueToDisplayText(const QString& value) const {
    if (!mapList_ && !TwoColumnDisplay) return value;
    for (int i = 0; i < items_.Count(); ++i)
        if (ValuePart(items_.Get(i)) == value) return DisplayPart(items_.Get(i));
    return {};
}

QString TwwDBCustomComboBox::DisplayTextToValue(const QString& text) const {
    if (!mapList_ && !TwoColumnDisplay) return text;
    for (int i = 0; i < items_.Count(); ++i)
        if (SameText(DisplayPart(items_.Get(i)), text)) return ValuePart(items_.Get(i));
    return mapList_ ? QString() : text;
}

QString TwwDBCustomComboBox::GetValueText() const { return DisplayTextToValue(Text()); }

QString TwwDBCustomComboBox::GetValue() const {
    if (style_ == csDropDown && Text().isEmpty()) return {};
    return DisplayTextToValue(Text());
}

bool TwwDBCustomComboBox::GetDisplayTextForValue(const QString& value, QString& displayText) const {
    if (!mapList_) return false;
    displayText = ValueToDisplayText(value);
    return true;
}

bool TwwDBCustomComboBox::IsTextEditable() const {
    return !IsOwnerDraw() && !(style_ == csDropDownList && !ShowMatchText);
}

bool TwwDBCustomComboBox::AllowsTyping() const { return !IsOwnerDraw() && style_ != csDropDownList; }

int TwwDBCustomComboBox::ItemIndex() const { return list_ ? list_->ItemIndex() : itemIndex_; }

void TwwDBCustomComboBox::SetItemIndex(int index) {
    itemIndex_ = index;
    EnsureList();
    if (itemsChanged_ || list_->Count() == 0) RebuildList();
    list_->SetItemIndex(index);
    if (index == -1) setText(QString());
    else if (index < list_->Count()) setText(list_->Item(index));
}

int TwwDBCustomComboBox::FindItemIndex(const QString& text, int start) const {
    if (!list_ || list_->Count() == 0) return items_.IndexOf(text);
    const int count = list_->Count();
    for (int k = 0; k < count; ++k) {
        const int i = start == 0 ? k : (start + k) % count;
        if (SameText(list_->Item(i), text)) return i;
    }
    return -1;
}

void TwwDBCustomComboBox::EnsureList() {
    if (list_) return;
    list_ = new TwwPopupListbox(this);
    list_->hide();
    list_->OnReleaseInside = [this] { CloseUp(true); };
    list_->DrawItem = [this](QPainter& painter, int index, const QRect& rect, TOwnerDrawState state) {
        return DrawListItem(painter, index, rect, state);
    };
}

void TwwDBCustomComboBox::RebuildList() {
    EnsureList();
    QStringList lines;
    for (int i = 0; i < items_.Count(); ++i) lines << ListText(items_.Get(i));
    if (history_.Enabled) {
        history_.Load();
        for (int i = 0; i < history_.Entries().Count(); ++i) {
            const QString entry = history_.Entries().Get(i);
            if (std::none_of(lines.begin(), lines.end(), [&](const QString& l) { return SameText(l, entry); }))
                lines << entry;
        }
    }
    if (Sorted())
        std::stable_sort(lines.begin(), lines.end(),
                         [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    if (history_.Enabled && history_.MRUEnabled) {
        // The newest entries on top, newest first; they stay in the list below as well.
        const TStringList& entries = history_.Entries();
        for (int k = 0; k < history_.MRUCount(); ++k) lines.insert(k, entries.Get(entries.Count() - 1 - k));
    }
    list_->clear();
    list_->addItems(lines);
    itemsChanged_ = false;
    list_->SetItemIndex(itemIndex_);
}

void TwwDBCustomComboBox::DataChange() {
    if (closingUp_ || destroying_) return;
    if (mapList_ || history_.Enabled) {
        EnsureList();
        if (list_->Count() == 0 || itemsChanged_) RebuildList();
    }
    if (mapList_) {
        SetComboValue(Field() ? Field()->AsString() : QString());
        setModified(false);
        return;
    }
    SetComboValue(Field() ? Field()->DisplayText() : QString());
    if (IsOwnerDraw()) {
        itemIndex_ = FindItemIndex(Field() ? Field()->AsString() : QString(), 0);
        update();
    }
    TwwDBCustomCombo::DataChange();
}

void TwwDBCustomComboBox::SetComboValue(const QString& value) {
    if (GetValue() == value && !(value.isEmpty() && mapList_)) return;
    if (style_ != csDropDown || mapList_) {
        int index = -1;
        QString text;
        if (mapList_) {
            for (int i = 0; i < items_.Count(); ++i)
                if (ValuePart(items_.Get(i)) == value) {
                    text = DisplayPart(items_.Get(i));
                    index = FindItemIndex(text, 0);
                    break;
                }
        } else if (!value.isEmpty()) {
            index = FindItemIndex(value, 0);
        }
        itemIndex_ = index;
        if (list_) list_->SetItemIndex(index);
        if (mapList_ && !text.isEmpty()) setText(text);
        if (index == -1 && ItemIndex() == -1) setText(QString());
        return;
    }
    setText(value);
    itemIndex_ = FindItemIndex(value, 0);
}

void TwwDBCustomComboBox::DropDown() {
    if (listShowing_ || style_ == csSimple) return;
    update();
    RebuildList();
    list_->setFont(font());
    list_->setPalette(palette());
    if (OnDropDown) {
        OnDropDown(this);
        RebuildList();
    }
    if (DisableDropDownList) return;
    const bool mru = history_.Enabled && history_.MRUEnabled;
    list_->OwnerDraw = IsOwnerDraw() || mru || TwoColumnDisplay;
    const int itemHeight = ItemHeight > 0 ? ItemHeight : list_->fontMetrics().height() + 2;
    const bool variable = style_ == csOwnerDrawVariable && OnMeasureItem;
    list_->SetVariableHeight(variable);
    if (variable)
        list_->MeasureItem = [this, itemHeight](int index) {
            int height = itemHeight;
            OnMeasureItem(this, index, height);
            return height;
        };
    else list_->MeasureItem = nullptr;
    list_->SetItemHeight(itemHeight);
    if (Text().isEmpty()) list_->SetItemIndex(-1);
    PlaceList();
    list_->show();
    list_->raise();
    listShowing_ = true;
    firstKeyAfterDropDown_ = true;
    if (!openedByTyping_ && IsTextEditable()) SelectAll();
    savedShowHint_ = ShowHint();
    savedParentShowHint_ = ParentShowHint();
    SetShowHint(false);
    textAtDropDown_ = Text();
    ui::PopupTracker::Instance().Register(list_, this, [this] {
        if (listShowing_) CloseUp(true);
    });
}

void TwwDBCustomComboBox::PlaceList() {
    const int rows = qMax(1, qMin(list_->Count(), DropDownCount));
    int height = 4;
    for (int i = 0; i < rows; ++i)
        height += list_->MeasureItem && i < list_->Count() ? list_->MeasureItem(i) : list_->ItemHeight();
    const int width = DropDownWidth > 0 ? DropDownWidth : (Column1Width > 0 ? Column1Width * 3 / 2 : this->width());
    const QPoint boxTop = mapToGlobal(QPoint(0, 0));
    int top = boxTop.y() + this->height() - (hasFrame() ? 1 : 0);
    int left = boxTop.x();
    const TRect work = GetWorkArea();
    const int workHeight = RectHeight(work) > 0 ? RectHeight(work) : QGuiApplication::primaryScreen()->size().height();
    if (top + height > workHeight) top = boxTop.y() - height;
    const int screenRight = QGuiApplication::primaryScreen()->geometry().right();
    if (left + width > screenRight) left = boxTop.x() + this->width() - 1 - width;
    list_->setGeometry(left, top, width, height);
}

void TwwDBCustomComboBox::CloseUp(bool accept) {
    if (list_) ui::PopupTracker::Instance().Unregister(list_);
    if (!listShowing_) {
        if (accept && Text().isEmpty() && !mapList_) SetItemIndex(-1);
        return;
    }
    if (QWidget* grabber = QWidget::mouseGrabber(); grabber == list_ || grabber == list_->viewport())
        grabber->releaseMouse();
    const int selected = list_->ItemIndex();
    QString chosen = Text();
    if (accept && selected >= 0 && list_->Count() > 0 && (Field() || !ReadOnly())) chosen = list_->Item(selected);
    list_->hide();
    listShowing_ = false;
    if (accept && (Field() || !ReadOnly()) && chosen != textAtDropDown_) {
        closingUp_ = true;
        try {
            bool mayModify = true;
            if (Field()) mayModify = DataLink().Edit();
            else setReadOnly(false);
            if (mayModify) {
                setText(chosen);
                itemIndex_ = selected;
                SetModified(true);
                if (history_.Enabled && Modified()) {
                    AddHistoryItem(Text(), true);
                    history_.Save();
                }
            }
        } catch (...) {
            closingUp_ = false;
            throw;
        }
        closingUp_ = false;
    }
    update();
    SelectAll();
    if (FiresCloseUp() && OnCloseUp) OnCloseUp(this, accept);
    SetShowHint(savedShowHint_);
    SetParentShowHint(savedParentShowHint_);
}

void TwwDBCustomComboBox::AddHistoryItem(const QString& text, bool move) {
    QString entry = text;
    while (!entry.isEmpty() && (entry.back() == u' ' || entry.back() == u'\t')) entry.chop(1);
    if (entry.isEmpty()) return;
    TStringList& entries = history_.Entries();
    const int existing = entries.IndexOf(entry);
    if (existing < 0) {
        bool accept = true;
        if (OnAddHistoryItem) OnAddHistoryItem(this, entry, accept);
        if (!accept) return;
        entries.Add(entry);
    } else if (move) {
        entries.Delete(existing);
        entries.Add(entry);
    }
    if (list_ && FindItemIndex(entry, 0) < 0) list_->addItem(entry);
}

void TwwDBCustomComboBox::DeleteHistoryItem(const QString& text, bool fromHistory) {
    if (fromHistory) {
        const int index = history_.Entries().IndexOf(text);
        if (index >= 0) history_.Entries().Delete(index);
    }
    // Its copy on top and its place in the list.
    for (int pass = 0; pass < 2 && list_; ++pass) {
        const int index = FindItemIndex(text, 0);
        if (index < 0) break;
        delete list_->takeItem(index);
    }
}

void TwwDBCustomComboBox::ClearHistory() {
    history_.Entries().Clear();
    history_.Save();
}

bool TwwDBCustomComboBox::DrawListItem(QPainter& painter, int index, const QRect& rect, TOwnerDrawState state) {
    if (IsOwnerDraw() && OnDrawItem) {
        TCanvas canvas(painter);
        drawingCanvas_ = &canvas;
        try {
            OnDrawItem(this, index, {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}, state);
        } catch (...) {
            // A failing handler leaves the item as it was cleared; the list goes on drawing.
        }
        drawingCanvas_ = nullptr;
        return true;
    }
    const QString text = list_->Item(index);
    if (TwoColumnDisplay) {
        const int column1 = Column1Width > 0 ? Column1Width : rect.width() / 2;
        QString first = text;
        QString second;
        for (int i = 0; i < items_.Count(); ++i)
            if (ListText(items_.Get(i)) == text) {
                const QString item = items_.Get(i);
                first = mapList_ ? DisplayPart(item) : ValuePart(item);
                second = mapList_ ? ValuePart(item) : DisplayPart(item);
                break;
            }
        painter.drawText(rect.adjusted(1, 1, 0, 0).intersected(QRect(rect.left(), rect.top(), column1, rect.height())),
                         Qt::AlignLeft | Qt::AlignTop, first);
        painter.drawText(rect.adjusted(column1 + 1, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, second);
    } else {
        painter.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    const int mruCount = history_.Enabled ? history_.MRUCount() : 0;
    if (mruCount > 0 && (index == mruCount - 1 || index == mruCount)) {
        painter.setPen(palette().color(QPalette::Dark));
        const int y = index == mruCount - 1 ? rect.bottom() : rect.top();
        painter.drawLine(rect.left(), y, rect.right(), y);
    }
    return true;
}

void TwwDBCustomComboBox::PaintText(TCanvas& canvas, const TRect& rect, const QString& text) {
    if (IsOwnerDraw() && OnDrawItem && ItemIndex() >= 0) {
        drawingCanvas_ = &canvas;
        try {
            OnDrawItem(this, ItemIndex(), rect, TOwnerDrawState{odComboBoxEdit});
        } catch (...) {
            // As for the list's items.
        }
        drawingCanvas_ = nullptr;
        return;
    }
    TwwDBCustomCombo::PaintText(canvas, rect, text);
}

bool TwwDBCustomComboBox::IsEditing() const {
    return !Field() || (DataSource() && (DataSource()->State() == dsEdit || DataSource()->State() == dsInsert));
}

TwwDBComboBox::TwwDBComboBox(QWidget* parent) : TwwDBCustomComboBox(parent) {}

QString RadioGroupValue(const TStrings& items, const TStrings& values, int index) {
    if (index >= 0 && index < values.Count() && !values.Get(index).isEmpty()) return values.Get(index);
    if (index >= 0 && index < items.Count()) return items.Get(index);
    return {};
}

QString RadioGroupDisplayText(const TStrings& items, const TStrings& values, const QStringList& captions,
                              const QString& value) {
    for (int i = 0; i < captions.size(); ++i)
        if (RadioGroupValue(items, values, i) == value) return captions.at(i);
    return {};
}
