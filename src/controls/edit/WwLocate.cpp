// The record search of the locate dialog, the lookup combo and the grid.
#include "controls/edit/WwLocate.h"

#include "controls/edit/WwIntl.h"
#include "controls/edit/WwParsing.h"
#include "controls/edit/WwValueChecks.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/DataSet.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/NumberParse.h"
#include "platform/rtl/ScreenService.h"

namespace {

bool IsFloatType(TFieldType type) { return type == ftFloat || type == ftCurrency || type == ftBCD; }

// One search's field, text and kind of match, and the test every record passes.
class FieldMatcher {
public:
    FieldMatcher(const TField& field, const QString& searchText, TwwLocateMatchType matchType, bool caseSensitive)
        : field_(field),
          text_(caseSensitive ? searchText : searchText.toUpper()),
          matchType_(matchType),
          caseSensitive_(caseSensitive) {
        numeric_ = matchType == mtExactMatch && IsFloatType(field.DataType()) && !searchText.isEmpty() &&
                   IsValidFloat(searchText) && TryStrToFloat(searchText, number_);
    }

    // The record the field shows now.
    bool Matches() const {
        // A float search by value: 2.50 finds 2.5.
        if (numeric_) return !field_.IsNull() && field_.AsFloat() == number_;
        const QString value = field_.DataType() == ftMemo ? field_.AsString() : field_.Text();
        return controls::locate::TextMatches(value, text_, matchType_, caseSensitive_);
    }

private:
    const TField& field_;
    QString text_;
    TwwLocateMatchType matchType_;
    bool caseSensitive_;
    bool numeric_ = false;
    double number_ = 0;
};

// Disabled controls, kept from the start of a search to its end.
class ControlsDisabled {
public:
    ControlsDisabled(TDataSet& dataSet, bool disable) : dataSet_(disable ? &dataSet : nullptr) {
        if (dataSet_) dataSet_->DisableControls();
    }
    ~ControlsDisabled() {
        if (dataSet_) dataSet_->EnableControls();
    }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    TDataSet* dataSet_;
};

bool IsStringType(TFieldType type) { return type == ftString || type == ftWideString; }

// The dataset's Locate serves a first exact or start match on a data field: on ADO datasets (which ask
// their engine) when the library says so, on any dataset when the caller asks. It also finds the next such
// match of a text field, which a scan would find by reading every record up to it.
bool LocateServes(const TDataSet& dataSet, const TField& field, bool fromFirst, TwwLocateMatchType matchType,
                  bool useLocate) {
    if (matchType == mtPartialMatchAny || field.DataType() == ftMemo || IsCalculatedOrLookup(field)) return false;
    if (!fromFirst && !IsStringType(field.DataType())) return false;
    const bool ado = dynamic_cast<const TCustomADODataSet*>(&dataSet) != nullptr;
    return (TwwIntl::Global().ADO.UseLocateWhenFindingValue && ado) || useLocate;
}

bool LocateRecord(TDataSet& dataSet, const TField& field, bool fromFirst, const QString& searchText,
                  TwwLocateMatchType matchType, bool caseSensitive) {
    // A text that is no value of the field's type matches no record: asking the engine would only read
    // every row to find that out.
    if (!IsStringType(field.DataType()) && !IsValidSearchText(&field, searchText)) return false;
    TLocateOptions options;
    if (!caseSensitive && matchType == mtPartialMatchStart) options = {loCaseInsensitive, loPartialKey};
    else if (!caseSensitive) options = {loCaseInsensitive};
    else if (matchType == mtPartialMatchStart) options = {loPartialKey};
    return fromFirst ? dataSet.Locate(field.FieldName(), searchText, options)
                     : dataSet.LocateAfter(field.FieldName(), searchText, options);
}

}  // namespace

bool controls::locate::TextMatches(const QString& value, const QString& searchText, TwwLocateMatchType matchType,
                                   bool caseSensitive) {
    const QString text = caseSensitive ? value : value.toUpper();
    switch (matchType) {
        case mtExactMatch: return text == searchText;
        case mtPartialMatchStart: return text.startsWith(searchText);
        case mtPartialMatchAny: return text.contains(searchText);
    }
    return false;
}

bool SearchFieldValue(bool fromFirst, TDataSet& dataSet, const QString& fieldName, const QString& searchText,
                      TwwLocateMatchType matchType, bool caseSensitive, bool useLocate) {
    dataSet.CheckBrowseMode();
    TField* field = dataSet.FindField(fieldName);
    if (!field) {
        MessageDlg(QStringLiteral("Field ") + fieldName + QStringLiteral(" not found."), mtWarning, {mbOK});
        return false;
    }
    const FieldMatcher matcher(*field, searchText, matchType, caseSensitive);
    TBookmark kept = dataSet.GetBookmark();
    bool found = false;
    {
        const rtl::HourGlass hourGlass;
        const ControlsDisabled disabled(dataSet, field->DataType() == ftMemo || MustScanForField(*field));
        if (fromFirst) {
            dataSet.First();
            found = !dataSet.Eof() && matcher.Matches();
        }
        if (!found && LocateServes(dataSet, *field, fromFirst, matchType, useLocate)) {
            found = LocateRecord(dataSet, *field, fromFirst, searchText, matchType, caseSensitive);
        } else if (!found && !dataSet.IsEmpty()) {
            while (!found) {
                dataSet.Next();
                if (dataSet.Eof()) break;
                found = matcher.Matches();
            }
        }
        if (!found && dataSet.BookmarkValid(kept)) dataSet.GotoBookmark(kept);
    }
    dataSet.FreeBookmark(kept);
    return found;
}

bool LocateFieldValue(TDataSet& dataSet, const QString& searchText, const QString& fieldName,
                      TwwLocateMatchType matchType, bool caseSensitive) {
    const TField& field = dataSet.FieldByName(fieldName);
    const QString current = field.Text();
    if (caseSensitive ? current == searchText : current.toLower() == searchText.toLower()) return true;
    return SearchFieldValue(true, dataSet, fieldName, searchText, matchType, caseSensitive, false);
}
