// The lookup combo's keys, mouse and focus: which keys open or close the list, which start a search, and
// when the user may type at all.
#include "controls/grid/Wwdblook.h"

#include "platform/db/Field.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Timer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

constexpr QChar kPasteKey(0x16);
constexpr QChar kCtrlX(0x18);
constexpr QChar kEscape(0x1B);

bool IsListKey(Word key) { return key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN || key == VK_F4; }

// The text as it will be once the edit has taken the character.
QString TextAfterKey(const QLineEdit& edit, QChar key) {
    QString text = edit.text();
    int start = edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
    const int length = edit.hasSelectedText() ? edit.selectedText().size() : 0;
    if (key == u'\b') {
        if (length > 0) text.remove(start, length);
        else if (start > 0) text.remove(start - 1, 1);
        return text;
    }
    text.replace(start, length, key);
    return text;
}

}  // namespace

bool TwwDBCustomLookupCombo::WantsKey(Word key, TShiftState shift) const {
    if (IsListKey(key) || ((key == VK_RETURN || key == VK_ESCAPE) && IsDroppedDown())) return true;
    return TwwDBCustomCombo::WantsKey(key, shift);
}

void TwwDBCustomLookupCombo::KeyDown(Word& key, TShiftState shift) {
    const bool alt = shift.Contains(ssAlt);
    if ((key == VK_BACK || key == VK_DELETE) && Style == csDropDownList && !AllowClearKey && !IsDroppedDown()) key = 0;
    if (IsTypingKey(key) && AutoDropDown && !IsDroppedDown()) typingDropDown_ = true;
    const bool pasting = key == VK_INSERT && shift == TShiftState{ssShift};
    if (key != 0 && !IsListKey(key) && key != VK_ESCAPE) TwwDBCustomEdit::KeyDown(key, shift);
    if (pasting && key == 0 && IsDroppedDown()) SearchAgain();
    if (key == VK_BACK || key == VK_INSERT || key == VK_DELETE) {
        if (AllowsTyping()) EditField();
        if (!CanEdit()) key = 0;
    } else if (!AllowsTyping() && !IsBoundToLookupField() &&
               (key == VK_END || key == VK_HOME || key == VK_LEFT || key == VK_RIGHT)) {
        key = 0;
    }
    if (IsListKey(key)) {
        if (IsDroppedDown()) {
            EditField();
            if ((!DataSource() || DataLink().Editing() || IsBoundToLookupField()) && !ReadOnly()) {
                Word listKey = key;
                list_->KeyDown(listKey, shift);
            }
            key = 0;
        } else if ((alt && key != VK_F4) || (key == VK_F4 && !alt)) {
            DropDown();
            key = 0;
        }
    } else if (key == VK_ESCAPE && IsDroppedDown()) {
        key = 0;
    }
    if (ShowMatchText && (key == VK_BACK || key == VK_DELETE)) {
        if (IsDroppedDown()) lastSearchedText_ = lookup_combo::kNoCompletion;
    } else if (key != 0) {
        lastSearchedText_.clear();
    }
}

void TwwDBCustomLookupCombo::KeyPress(QChar& key) {
    const bool down = IsDroppedDown();
    if (AutoDropDown && (key == u'\b' || key == kCtrlX) && Style == csDropDownList && !AllowClearKey && !down) {
        key = QChar();
        return;
    }
    const bool searchKey =
        ((TextAfterKey(*this, key) != lastSearchedText_ || lastSearchedText_.size() == 1) && key.unicode() >= 32) ||
        (key == u'\b' && Options().Contains(loSearchOnBackspace));
    if (searchKey && (down || (ShowMatchText && CanEdit()))) {
        if (SearchDelay > 0 && searchTimer_->Interval() != SearchDelay) searchTimer_->SetInterval(SearchDelay);
        // Further keys of a burst neither restart nor delay the search.
        if (!searchTimer_->Enabled()) searchTimer_->SetEnabled(true);
    }
    if (key == u'\r' && down) {
        AcceptListRecord();
        if (found_) ListClick();
        CloseUp(true);
        SelectAllIfTyping();
        key = QChar();
        return;
    }
    if (key == kEscape) {
        if (down) CloseUp(false);
        if (Field()) {
            RestoreSavedValues();
            setModified(false);
            internalChange_ = true;
            DataLink().Reset();
            internalChange_ = false;
        } else {
            SetDisplayValue(savedDisplayText_);
            SetLookupValue(savedLookupValue_);
            // Whatever the lookup table's state, Esc shows again what was shown before.
            if (Text() != savedDisplayText_) setText(savedDisplayText_);
        }
        SelectAllIfTyping();
        key = QChar();
        return;
    }
    if (!down && key.unicode() >= 32 && Field() && !Field()->IsValidChar(key) && !AutoDropDown && !ShowMatchText &&
        AllowsTyping()) {
        QApplication::beep();
        key = QChar();
        return;
    }
    if (key == u'\b' || key == kPasteKey || key == kCtrlX || (key.unicode() >= 32 && key.unicode() <= 255)) {
        if (AllowsTyping()) EditField();
        if (!CanEdit()) {
            key = QChar();
            return;
        }
    } else if (key == u'\t' || key == u'\r') {
        key = QChar();
        return;
    }
    const bool pasting = key == kPasteKey;
    TwwDBCustomEdit::KeyPress(key);
    // A paste into the dropped list's text is searched at once.
    if (pasting && down) SearchAgain();
}

void TwwDBCustomLookupCombo::KeyUp(Word& key, TShiftState shift) {
    const bool clearing = key == VK_DELETE || key == VK_BACK;
    TDataSource* source = DataSource();
    const bool blocked = source && !DataField().isEmpty() && source->State() != dsEdit && source->State() != dsInsert &&
                         !source->AutoEdit;
    if (AllowClearKey && !blocked && clearing) {
        if (IsDroppedDown() && !IsBoundToLookupField() && Text().isEmpty()) {
            if (Field()) {
                EditField();
                DataLink().Modified();
            }
            list_->SetCachedValues({}, list_->GetSecondValue(), list_->GetThirdValue());
            list_->SetCachedDisplayValue({});
            list_->SetHighlightedRecord(-1);
            list_->InvalidateGrid();
            key = 0;
        } else if (!IsDroppedDown() && (selectedText() == Text() || Style == csDropDownList)) {
            setText(QString());
            if (IsBoundToLookupField()) {
                list_->SetCachedValues({}, {}, {});
                bool modified = false;
                StoreLookupValues(LookupTable(), modified);
            } else if (Field()) {
                EditField();
                DataLink().Modified();
                list_->SetCachedValues({}, list_->GetSecondValue(), list_->GetThirdValue());
            } else {
                SetLookupValue(QString());
            }
            key = 0;
        }
    }
    const Word original = key;
    if (key != 0) TwwDBCustomEdit::KeyUp(key, shift);
    if ((Text() != lastSearchedText_ || lastSearchedText_.size() == 1) && IsTypingKey(original) && original != 0) {
        const bool closed = !IsDroppedDown();
        if (clearing && closed && Style == csDropDownList && !AllowClearKey) {
            key = 0;
            typingDropDown_ = false;
            return;
        }
        const bool matchSearch =
            closed && !AutoDropDown && ShowMatchText && Style == csDropDown && !Text().isEmpty() && !clearing;
        if (matchSearch || (closed && AutoDropDown && !Text().isEmpty())) {
            SetSearchOrder(true);
            typingDropDown_ = true;
            try {
                PerformSearch();
            } catch (...) {
                typingDropDown_ = false;
                throw;
            }
        }
    }
    typingDropDown_ = false;
    if (IsTypingKey(original) && !IsDroppedDown() && DataLink().Editing()) DataLink().Modified();
}

void TwwDBCustomLookupCombo::DoEnter() {
    list_->SetCachedDisplayValue(Text());
    TwwDBCustomCombo::DoEnter();
    if (!forwarding_) {
        setModified(false);
        if (!IsDroppedDown()) SaveValues();
    }
}

void TwwDBCustomLookupCombo::DoExit() {
    TwwDBCustomCombo::DoExit();
    if (!forwarding_) setCursorPosition(0);
}

void TwwDBCustomLookupCombo::focusOutEvent(QFocusEvent* event) {
    TwwDBCustomCombo::focusOutEvent(event);
    // A window system that activates the list's window as it comes up takes no focus from the combo: the
    // list closes on a press outside it.
    const bool windowChange = event->reason() == Qt::ActiveWindowFocusReason;
    ui::Dispatch(this, [this, windowChange] {
        if (!IsDroppedDown() || windowChange) return;
        if (Modified() && !AllowClearKey && Text().isEmpty()) AcceptListRecord();
        CloseUp(true);
    });
}

void TwwDBCustomLookupCombo::mousePressEvent(QMouseEvent* event) {
    if (MouseActsAsEdit() || event->button() != Qt::LeftButton) {
        TwwDBCustomEdit::mousePressEvent(event);
        return;
    }
    ui::Dispatch(this, [this] {
        if (!hasFocus()) SetFocus();
        if (hasFocus()) ToggleDropDown();
    });
}

void TwwDBCustomLookupCombo::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TwwDBCustomLookupCombo::wheelEvent(QWheelEvent* event) {
    if (!IsDroppedDown()) {
        TwwDBCustomCombo::wheelEvent(event);
        return;
    }
    ui::Dispatch(this, [this, event] {
        EditField();
        TDataSet* table = list_->LookupTable();
        if (table && table->Active()) {
            Word key = event->angleDelta().y() < 0 ? VK_DOWN : VK_UP;
            list_->KeyDown(key, {});
        }
    });
    event->accept();
}
