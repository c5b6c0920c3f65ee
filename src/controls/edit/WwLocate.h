// The library's record search: the first or next record whose field matches a text, by the dataset's
// Locate where it can ask its engine, else by moving through the records.
#pragma once

#include <QObject>
#include <QString>

class TDataSet;

namespace controls::locate {
Q_NAMESPACE

// How a record's field text must meet the searched text.
enum TwwLocateMatchType { mtExactMatch, mtPartialMatchStart, mtPartialMatchAny };
Q_ENUM_NS(TwwLocateMatchType)

// The locate dialog's field list order, default button, offered fields and options.
enum TwwFieldSortType { fsSortByFieldNo, fsSortByFieldName };
Q_ENUM_NS(TwwFieldSortType)
enum TwwDefaultButtonType { dbFindFirst, dbFindNext };
Q_ENUM_NS(TwwDefaultButtonType)
enum TwwFieldSelection { fsAllFields, fsVisibleFields };
Q_ENUM_NS(TwwFieldSelection)
enum TwwLocateDlgOption { ldoCaseSensitiveBelow, ldoCloseOnMatch, ldoPreserveSearchText };
Q_ENUM_NS(TwwLocateDlgOption)

// The record's text (upper-cased unless caseSensitive) against a search text prepared the same way.
bool TextMatches(const QString& value, const QString& searchText, TwwLocateMatchType matchType, bool caseSensitive);

}  // namespace controls::locate

using controls::locate::TwwDefaultButtonType;
using enum controls::locate::TwwDefaultButtonType;
using controls::locate::TwwFieldSelection;
using enum controls::locate::TwwFieldSelection;
using controls::locate::TwwFieldSortType;
using enum controls::locate::TwwFieldSortType;
using controls::locate::TwwLocateDlgOption;
using enum controls::locate::TwwLocateDlgOption;
using controls::locate::TwwLocateMatchType;
using enum controls::locate::TwwLocateMatchType;

// Finds the first record (fromFirst) or the next one after the current record whose field matches the
// text and makes it current; false leaves the dataset on the record it was on. A field the dataset lacks
// is reported as a warning and answers false. useLocate asks the dataset's Locate for a first exact or
// start match whatever the dataset.
bool SearchFieldValue(bool fromFirst, TDataSet& dataSet, const QString& fieldName, const QString& searchText,
                      TwwLocateMatchType matchType, bool caseSensitive, bool useLocate);
// True at once when the current record's field text already equals the text (without case unless
// caseSensitive); otherwise a search from the first record. A missing field raises.
bool LocateFieldValue(TDataSet& dataSet, const QString& searchText, const QString& fieldName,
                      TwwLocateMatchType matchType, bool caseSensitive);
