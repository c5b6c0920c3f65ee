// The combo box's keys: stepping through items, keys handed to the open list, its incremental search,
// clearing with Delete, the history on Enter and on leaving.
#include "controls/edit/WwDBComboBox.h"

#include "controls/edit/WwParsing.h"
#include "controls/edit/WwValueChecks.h"
#include "controls/edit/WwWindows.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/rtl/Clock.h"
#include "platform/ui/Dispatch.h"

namespace {

// Typed characters of an owner-drawn box's search belong together while they come this close.
constexpr quint32 kSearchPauseMs = 1500;

}  // namespace

bool TwwDBCustomComboBox::WantsKey(Word key, TShiftState shift) const {
    if (listShowing_ && (key == VK_RETURN || key == VK_ESCAPE)) return true;
    return TwwDBCustomCombo::WantsKey(key, shift);
}

void TwwDBCustomComboBox::SelectInList(int index) {
    if (!list_ || list_->Count() == 0) return;
    list_->SetItemIndex(qBound(0, index, list_->Count() - 1));
}

void TwwDBCustomComboBox::CopySelectionToText() {
    const int selected = list_->ItemIndex();
    if (selected < 0) return;
    if (Field() && !IsEditing()) return;
    setText(list_->Item(selected));
    itemIndex_ = selected;
    SetModified(true);
    if (IsTextEditable()) SelectAll();
}

void TwwDBCustomComboBox::KeyDown(Word& key, TShiftState shift) {
    const bool alt = shift.Contains(ssAlt);
    if (listShowing_) {
        const int page = qMax(1, DropDownCount - 1);
        int step = 0;
        if ((key == VK_UP || key == VK_DOWN) && !shift.Contains(ssShift) && !alt) step = key == VK_UP ? -1 : 1;
        else if (key == VK_PRIOR || key == VK_NEXT) step = key == VK_PRIOR ? -page : page;
        if (step != 0) {
            if (Field() && !IsEditing()) EnsureEditMode();
            const int current = list_->ItemIndex();
            SelectInList(current < 0 ? (step > 0 ? 0 : list_->Count() - 1) : current + step);
            CopySelectionToText();
            key = 0;
            return;
        }
        if (key == VK_TAB) CloseUp(true);
    }
    if (key == VK_RETURN && history_.Enabled) AddHistoryItem(Text(), true);
    if (AutoDropDown && IsEditingKey(key) && key != VK_BACK && key != VK_DELETE && !alt && !listShowing_) {
        openedByTyping_ = true;
        DropDown();
        openedByTyping_ = false;
    }
    if (ShowMatchText && style_ == csDropDownList &&
        (key == VK_DELETE || key == VK_BACK || (key == 'X' && shift.Contains(ssCtrl)))) {
        if (AllowClearKey && SelLength() == Text().length()) {
            if (Field()) EnsureEditMode();
            SetItemIndex(-1);
            SetModified(true);
        }
        key = 0;
        return;
    }
    if (!listShowing_ && !IsInGrid(this) && (key == VK_DOWN || key == VK_UP) && !alt) {
        EnsureList();
        if (itemsChanged_ || list_->Count() == 0) RebuildList();
        if (Field()) EnsureEditMode();
        if (!Field() || IsEditing()) {
            const int current = ItemIndex();
            const int next = key == VK_DOWN ? current + 1 : (current < 0 ? 0 : current - 1);
            if (next >= 0 && next < list_->Count()) SetItemIndex(next);
            SetModified(true);
            SelectAll();
        }
        TControl::KeyDown(key, shift);
        key = 0;
        return;
    }
    if (listShowing_ && firstKeyAfterDropDown_ && (style_ != csDropDown || AutoDropDown) && IsEditingKey(key)) {
        firstKeyAfterDropDown_ = false;
        EnsureEditMode();
    }
    TwwDBCustomCombo::KeyDown(key, shift);
}

void TwwDBCustomComboBox::KeyPress(QChar& key) {
    EnsureList();
    if (itemsChanged_ || list_->Count() == 0) RebuildList();
    const bool printable = IsPrintableChar(key);
    const bool backspace = key == u'\b';
    if (listShowing_ && (backspace || key == QChar(0x18))) {
        if (style_ == csDropDownList) SearchList(key);
        key = QChar();
        return;
    }
    if (listShowing_ && printable) SearchList(key);
    if (ShowMatchText && printable && CompleteTypedText(key)) {
        key = QChar();
        return;
    }
    if (!listShowing_ && !IsTextEditable() && printable && list_->Count() > 0) {
        const int count = list_->Count();
        const int start = ItemIndex();
        for (int k = 1; k <= count; ++k) {
            const int i = (start + k + count) % count;
            if (list_->Item(i).startsWith(key, Qt::CaseInsensitive)) {
                if (Field()) EnsureEditMode();
                if (!Field() || IsEditing()) {
                    SetItemIndex(i);
                    SetModified(true);
                }
                break;
            }
        }
        if (style_ == csDropDownList || IsOwnerDraw()) {
            key = QChar();
            return;
        }
    }
    const bool autoFillDate = AutoFillDate;
    if (mapList_) AutoFillDate = false;
    const int caretBefore = SelStart();
    try {
        TwwDBCustomCombo::KeyPress(key);
    } catch (...) {
        AutoFillDate = autoFillDate;
        throw;
    }
    AutoFillDate = autoFillDate;
    // Browsing a field whose stored text differs from the one shown, the edit's handling may have put the
    // caret at the start.
    if (Field() && DataSource() && DataSource()->State() == dsBrowse && Field()->AsString() != Field()->DisplayText() &&
        SelStart() == 0 && caretBefore != 0)
        setCursorPosition(caretBefore);
    if (key == u'\r') key = QChar();
}

bool TwwDBCustomComboBox::CompleteTypedText(QChar key) {
    const QString text = Text();
    const int start = SelStart();
    const int end = start + SelLength();
    QString candidate = text;
    candidate.replace(start, end - start, QString(key));
    if (candidate == text) return false;
    // Only a character typed at the end of the text completes it.
    int match = -1;
    const int count = list_->Count();
    const int first = history_.Enabled ? qMin(history_.MRUCount(), count) : 0;
    if (end == text.length())
        for (int k = 0; k < count && match < 0; ++k) {
            const int i = (first + k) % count;
            if (list_->Item(i).startsWith(candidate, Qt::CaseInsensitive)) match = i;
        }
    // A list-only box takes no text that no item begins with.
    if (match < 0) return style_ == csDropDownList;
    TField* field = Field();
    if (field) {
        EnsureEditMode();
        if (!IsEditing()) {
            // A calculated field has no link that edits; its dataset is put into edit mode itself.
            if (!field->Calculated() || !field->DataSet() || !field->DataSet()->CanModify()) return true;
            field->DataSet()->Edit();
        }
    }
    SetItemIndex(match);
    SetModified(true);
    // The completed rest is selected, so that the next character replaces it.
    if (!field || IsEditing()) setSelection(Text().length(), int(candidate.length() - Text().length()));
    return true;
}

void TwwDBCustomComboBox::SearchList(QChar key) {
    QString search;
    if (IsOwnerDraw()) {
        const quint32 tick = GetTickCount();
        if (tick - list_->SearchTick > kSearchPauseMs) list_->SearchText.clear();
        list_->SearchTick = tick;
        if (key == u'\b') list_->SearchText.chop(1);
        else list_->SearchText += key;
        search = list_->SearchText;
    } else {
        search = Text();
        const int start = SelStart();
        if (key == u'\b') {
            if (SelLength() > 0) search.remove(start, SelLength());
            else if (start > 0) search.remove(start - 1, 1);
        } else {
            search.replace(start, SelLength(), QString(key));
        }
    }
    search.truncate(255);
    const int first = history_.Enabled ? history_.MRUCount() : 0;
    int match = -1;
    for (int i = first; i < list_->Count() && match < 0; ++i)
        if (list_->Item(i).startsWith(search, Qt::CaseInsensitive)) match = i;
    if (match >= 0) {
        list_->SetItemIndex(match);
        if (key == u'\b' && IsTextEditable()) {
            setText(search);
            setCursorPosition(search.length());
            if (list_->Item(match).compare(search, Qt::CaseInsensitive) != 0) list_->SetItemIndex(-1);
        }
    } else if (IsTextEditable()) {
        list_->SetItemIndex(-1);
        if (key == u'\b') {
            setText(search);
            setCursorPosition(search.length());
        }
    }
}

void TwwDBCustomComboBox::KeyUp(Word& key, TShiftState shift) {
    TwwDBCustomCombo::KeyUp(key, shift);
    if (!AllowClearKey || (key != VK_DELETE && key != VK_BACK)) return;
    if (listShowing_) {
        if (Text().isEmpty()) SetItemIndex(-1);
    } else if (style_ == csDropDownList && !ShowMatchText) {
        if (Field()) EnsureEditMode();
        if (!Field() || IsEditing()) {
            SetItemIndex(-1);
            SetModified(true);
        }
    }
}

void TwwDBCustomComboBox::DoEnter() {
    TwwDBCustomCombo::DoEnter();
    if (history_.Enabled) RebuildList();
}

void TwwDBCustomComboBox::DoExit() {
    if (listShowing_) CloseUp(true);
    if (history_.Enabled && Modified()) {
        AddHistoryItem(Text(), true);
        history_.Save();
    }
    TwwDBCustomCombo::DoExit();
}
