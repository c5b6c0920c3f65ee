// The lookup combo's search while the user types: one locate of the lookup table after the search delay,
// the found record cached as the value, and the completion of the typed text.
#include "controls/grid/Wwdblook.h"

#include "controls/edit/WwIntl.h"
#include "controls/edit/WwLocate.h"
#include "controls/edit/WwValueChecks.h"
#include "platform/db/Field.h"
#include "platform/rtl/ScreenService.h"
#include "platform/ui/Timer.h"

void TwwDBCustomLookupCombo::DoPerformCustomSearch(const QString& searchField, const QString& searchValue,
                                                   bool performLookup, bool& found) {
    if (OnPerformCustomSearch)
        OnPerformCustomSearch(this, LookupTable(), searchField, searchValue, performLookup, found);
}

bool TwwDBCustomLookupCombo::RunCustomSearch(const QString& searchField, const QString& searchValue,
                                             bool performLookup) {
    bool found = false;
    // The handler's own moves of the lookup table are no changes of the value, nor can it search again.
    internalChange_ = customSearch_ = true;
    try {
        DoPerformCustomSearch(searchField, searchValue, performLookup, found);
    } catch (...) {
        internalChange_ = customSearch_ = false;
        throw;
    }
    internalChange_ = customSearch_ = false;
    return found;
}

// The program's lookup tables are datasets of the engine: their order is their own.
void TwwDBCustomLookupCombo::SetSearchOrder(bool) {}

void TwwDBCustomLookupCombo::SearchAgain() {
    lastSearchedText_.clear();
    PerformSearch();
}

bool TwwDBCustomLookupCombo::LookupDisplayValue(const QString& value, const QString& fieldName, bool partial,
                                                bool caseSensitive, bool performLookup) {
    if (customSearch_) return false;
    TDataSet* table = LookupTable();
    if (!table) return false;
    TField* field = fieldName.contains(QLatin1Char(';')) ? nullptr : table->FindField(fieldName);
    // An empty value never counts as found, even over an empty field.
    if (value.isEmpty()) {
        list_->InvalidateGrid();
        return false;
    }
    bool found = false;
    QString sought = value;
    if (field && table->Active() && field->AsString() == value) {
        found = true;
        list_->InvalidateGrid();
    } else {
        // A text field holds no more than its size: a longer typed text is sought by the part it could hold,
        // whether the field is a narrow or a wide (the engine's) string field.
        if (dynamic_cast<const TStringField*>(field) && field->Size() > 0 && Text().size() > field->Size())
            sought = sought.left(field->Size());
        if (OnPerformCustomSearch) {
            if (field && !IsValidSearchText(field, sought)) {
                list_->InvalidateGrid();
                return false;
            }
            found = RunCustomSearch(fieldName, sought, performLookup);
        } else if (!table->Active() || (field && !IsValidSearchText(field, sought))) {
            list_->InvalidateGrid();
            return false;
        } else if (!TwwIntl::Global().UseLocateMethodForSearch) {
            found = LocateFieldValue(*table, sought, fieldName, partial ? mtPartialMatchStart : mtExactMatch,
                                     caseSensitive);
        } else if (field && (field->Calculated() || field->Lookup())) {
            found = LocateFieldValue(*table, sought, fieldName, partial ? mtPartialMatchStart : mtExactMatch, false);
        } else {
            rtl::HourGlass hourGlass;
            TLocateOptions options;
            if (caseSensitive) options = partial ? TLocateOptions{loPartialKey} : TLocateOptions{};
            else
                options = partial ? TLocateOptions{loCaseInsensitive, loPartialKey} : TLocateOptions{loCaseInsensitive};
            found = table->Locate(fieldName, sought, options);
        }
    }
    // A found record counts only when its text holds the value sought.
    if (found && table->Active()) {
        TField* check = table->FindField(fieldName);
        if (!check || !check->AsString().toUpper().contains(sought.toUpper())) found = false;
    }
    return found;
}

void TwwDBCustomLookupCombo::PerformSearch() {
    searchTimer_->SetEnabled(false);
    TDataSet* table = LookupTable();
    if (Text() == lastSearchedText_ || !table || (!table->Active() && !OnPerformCustomSearch)) return;
    bool openAfter = false;
    if (!IsDroppedDown() && !Text().isEmpty()) {
        if (!AutoDropDown && ShowMatchText && Style != csDropDownList) SetSearchOrder(true);
        else if (AutoDropDown) {
            SetSearchOrder(true);
            openAfter = true;
        }
    }
    const auto finish = [this, openAfter] {
        if (openAfter && typingDropDown_) {
            try {
                DropDown();
            } catch (...) {
                typingDropDown_ = false;
                throw;
            }
            typingDropDown_ = false;
        }
    };
    // The program's lookup tables always take the sequential search.
    TField* display = list_->DisplayField();
    if ((!SeqSearchOptions.Contains(ssoEnabled) && !OnPerformCustomSearch) || !display ||
        display->FieldName().isEmpty())
        return;
    const bool partial = IsDroppedDown() || typingDropDown_ || (CanEdit() && ShowMatchText);
    found_ = LookupDisplayValue(GetSearchText(), display->FieldName(), partial,
                                SeqSearchOptions.Contains(ssoCaseSensitive), false);
    if (partial && !found_ && list_->KeyField() == display) {
        list_->SetCachedValues({}, list_->GetSecondValue(), list_->GetThirdValue());
        return;
    }
    searchedText_ = Text();
    list_->SetCachedDisplayValue(display->AsString());
    if (found_ && Text().size() > list_->GetDisplayValue().size()) found_ = false;

    TField* key = list_->KeyField();
    list_->SetCachedValues(key ? key->AsString() : QString(),
                           list_->SecondKeyField() ? list_->SecondKeyField()->AsString() : list_->GetSecondValue(),
                           list_->ThirdKeyField() ? list_->ThirdKeyField()->AsString() : list_->GetThirdValue());
    // The found record is the one the list marks, as its painting would find it.
    if (!IsDroppedDown()) list_->SetHighlightedRecord(-1);
    else list_->SetHighlightedRecord(found_ ? list_->DataLink().ActiveRecord() : -1);
    list_->InvalidateGrid();

    if (ShowMatchText && found_ && lastSearchedText_ != lookup_combo::kNoCompletion) {
        const QString prefix = cursorPosition() == 0 ? Text() : Text().left(cursorPosition());
        setText(display->AsString());
        setModified(true);
        setSelection(prefix.size(), Text().size() - prefix.size());
        if (!IsDroppedDown()) list_->SetHighlightedRecord(0);
    }
    lastSearchedText_ = Text();
    finish();
}
