// The dataset layer's enumerations: field types as the framework numbers them, field kinds, states, options.
#pragma once

#include "platform/rtl/Alignment.h"

#include <initializer_list>

// The framework's numbering; other code compares these codes.
enum TFieldType {
    ftUnknown = 0,
    ftString = 1,
    ftSmallint = 2,
    ftInteger = 3,
    ftWord = 4,
    ftBoolean = 5,
    ftFloat = 6,
    ftCurrency = 7,
    ftBCD = 8,
    ftDate = 9,
    ftTime = 10,
    ftDateTime = 11,
    ftAutoInc = 14,
    ftBlob = 15,
    ftMemo = 16,
    ftGraphic = 17,
    ftWideString = 24,
};

enum TFieldKind { fkData, fkCalculated, fkLookup };

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter };

enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };

// A set of locate options, written {loCaseInsensitive, loPartialKey} or {}.
class TLocateOptions {
public:
    TLocateOptions() = default;
    TLocateOptions(std::initializer_list<TLocateOption> options) {
        for (const TLocateOption option : options) bits_ |= option;
    }
    bool Contains(TLocateOption option) const { return (bits_ & option) != 0; }

private:
    unsigned bits_ = 0;
};

// The events a dataset sends to its data source and on to the data links.
enum TDataEvent {
    deFieldChange,
    deRecordChange,
    deDataSetChange,
    deDataSetScroll,
    deLayoutChange,
    deUpdateRecord,
    deUpdateState,
    deCheckBrowseMode,
    deFocusControl,
};

inline bool IsEditState(TDataSetState state) { return state == dsEdit || state == dsInsert || state == dsSetKey; }
