// The Jet column types, their DDL names and how each is declared to SQLite.
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace sql {

enum class JetType {
    Text,      // TEXT(n): at most n characters
    Memo,      // TEXT without size, MEMO: unlimited text
    Long,      // INTEGER, LONG: 32-bit integer
    Short,     // SMALLINT: 16-bit integer
    Byte,      // TINYINT, BYTE: 0..255
    Boolean,   // LOGICAL, YESNO, BIT: -1 or 0, never null
    DateTime,  // TDateTime day number
    Single,    // REAL, SINGLE
    Double,    // FLOAT, DOUBLE
    Currency,  // four decimals
    Counter,   // AUTOINCREMENT: a 32-bit counter
    Binary,    // IMAGE, LONGBINARY, OLEOBJECT
    Variant,   // an expression column without a declared type
};

inline constexpr int kDefaultTextSize = 255;

// The type a Jet DDL type name stands for (case-insensitive); nothing when the name is not a Jet type.
std::optional<JetType> JetTypeFromName(const QString& name);

// The declared type a column of this Jet type gets in SQLite; it also carries the Jet type back to readers.
QString DeclaredType(JetType type, int size);

// The Jet type and size of a column declared with DeclaredType (Variant for anything else).
JetType JetTypeFromDeclared(const QString& declared, int* size = nullptr);

// The canonical DDL name ("TEXT", "INTEGER", ...) used when a type is written back as Jet SQL.
QString JetTypeName(JetType type);

bool IsTextType(JetType type);

// The values a whole-number column (Long, Counter, Short, Byte) holds; nothing for the other types.
struct IntegerRange {
    qint64 low;
    qint64 high;
};
std::optional<IntegerRange> IntegerRangeOf(JetType type);

// Whether a day number lies within 1 January 100 .. 31 December 9999, the dates Jet stores (false for NaN).
inline bool InJetDateRange(double day) { return day >= -657434.0 && day < 2958466.0; }

}  // namespace sql
