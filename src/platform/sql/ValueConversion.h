// Converting stored values when ALTER COLUMN changes a column's type, by Jet's rules.
#pragma once

#include "platform/sql/TableDef.h"

#include <QVariant>

namespace sql {

// The value a column of the new type holds for a value of the old type. Raises EOleException with
// 0x80040E07 when it does not convert and 0x80040E57 when it does not fit.
QVariant ConvertValue(const QVariant& value, JetType from, const ColumnDef& to);

}  // namespace sql
