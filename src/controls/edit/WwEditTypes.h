// The enumerations of the library's edits, combo boxes and spin edits, known to Qt by their published names.
#pragma once

#include <QObject>

namespace controls::edits {
Q_NAMESPACE

// The face of an edit's button.
enum TwwComboButtonStyle { cbsEllipsis, cbsDownArrow, cbsCustom };
Q_ENUM_NS(TwwComboButtonStyle)

// What an unbound edit holds.
enum TwwEditDataType { wwDefault, wwEdtDate, wwEdtTime, wwEdtDateTime };
Q_ENUM_NS(TwwEditDataType)

enum TwwEditAlignment { eaLeftAlignEditing, eaRightAlignEditing };
Q_ENUM_NS(TwwEditAlignment)

// Where a combo box keeps its history list.
enum TwwStorageType { stRegistry, stIniFile };
Q_ENUM_NS(TwwStorageType)

}  // namespace controls::edits

using controls::edits::TwwComboButtonStyle;
using enum controls::edits::TwwComboButtonStyle;
using controls::edits::TwwEditDataType;
using enum controls::edits::TwwEditDataType;
using controls::edits::TwwEditAlignment;
using enum controls::edits::TwwEditAlignment;
using controls::edits::TwwStorageType;
using enum controls::edits::TwwStorageType;
