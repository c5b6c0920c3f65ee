// Jet type names, SQLite declared types and the mapping between them.
#include "platform/sql/JetTypes.h"

#include <QHash>
#include <QRegularExpression>

namespace sql {
namespace {

const QHash<QString, JetType>& NamesToTypes() {
    static const QHash<QString, JetType> names = {
        {"TEXT", JetType::Text},         {"VARCHAR", JetType::Text},
        {"CHAR", JetType::Text},         {"CHARACTER", JetType::Text},
        {"STRING", JetType::Text},       {"ALPHANUMERIC", JetType::Text},
        {"NVARCHAR", JetType::Text},     {"NCHAR", JetType::Text},
        {"MEMO", JetType::Memo},         {"LONGTEXT", JetType::Memo},
        {"LONGCHAR", JetType::Memo},     {"NOTE", JetType::Memo},
        {"NTEXT", JetType::Memo},        {"INTEGER", JetType::Long},
        {"INT", JetType::Long},          {"LONG", JetType::Long},
        {"INTEGER4", JetType::Long},     {"SMALLINT", JetType::Short},
        {"SHORT", JetType::Short},       {"INTEGER2", JetType::Short},
        {"TINYINT", JetType::Byte},      {"BYTE", JetType::Byte},
        {"INTEGER1", JetType::Byte},     {"LOGICAL", JetType::Boolean},
        {"LOGICAL1", JetType::Boolean},  {"BIT", JetType::Boolean},
        {"YESNO", JetType::Boolean},     {"BOOLEAN", JetType::Boolean},
        {"DATETIME", JetType::DateTime}, {"DATE", JetType::DateTime},
        {"TIME", JetType::DateTime},     {"TIMESTAMP", JetType::DateTime},
        {"FLOAT", JetType::Double},      {"DOUBLE", JetType::Double},
        {"FLOAT8", JetType::Double},     {"NUMBER", JetType::Double},
        {"IEEEDOUBLE", JetType::Double}, {"REAL", JetType::Single},
        {"SINGLE", JetType::Single},     {"FLOAT4", JetType::Single},
        {"IEEESINGLE", JetType::Single}, {"CURRENCY", JetType::Currency},
        {"MONEY", JetType::Currency},    {"AUTOINCREMENT", JetType::Counter},
        {"COUNTER", JetType::Counter},   {"IDENTITY", JetType::Counter},
        {"IMAGE", JetType::Binary},      {"LONGBINARY", JetType::Binary},
        {"OLEOBJECT", JetType::Binary},  {"GENERAL", JetType::Binary},
    };
    return names;
}

// Declared types: each holds the SQLite affinity keyword the column needs and names the Jet type unambiguously.
struct Declared {
    JetType type;
    const char* name;
};
constexpr Declared kDeclared[] = {
    {JetType::Text, "VARCHAR"},      {JetType::Memo, "LONGTEXT"},   {JetType::Long, "INTEGER"},
    {JetType::Short, "SMALLINT"},    {JetType::Byte, "TINYINT"},    {JetType::Boolean, "BIT"},
    {JetType::DateTime, "DATETIME"}, {JetType::Single, "REAL"},     {JetType::Double, "DOUBLE"},
    {JetType::Currency, "CURRENCY"}, {JetType::Counter, "COUNTER"}, {JetType::Binary, "LONGBINARY"},
};

}  // namespace

std::optional<JetType> JetTypeFromName(const QString& name) {
    const auto it = NamesToTypes().constFind(name.toUpper());
    if (it == NamesToTypes().constEnd()) return std::nullopt;
    return *it;
}

QString DeclaredType(JetType type, int size) {
    for (const Declared& d : kDeclared) {
        if (d.type != type) continue;
        if (type == JetType::Text) return QStringLiteral("%1(%2)").arg(QLatin1String(d.name)).arg(size);
        return QLatin1String(d.name);
    }
    return {};
}

JetType JetTypeFromDeclared(const QString& declared, int* size) {
    static const QRegularExpression pattern(QStringLiteral("^([A-Z]+)(?:\\((\\d+)\\))?$"));
    const QRegularExpressionMatch match = pattern.match(declared.toUpper());
    if (size) *size = 0;
    if (!match.hasMatch()) return JetType::Variant;
    for (const Declared& d : kDeclared) {
        if (match.captured(1) != QLatin1String(d.name)) continue;
        if (size && d.type == JetType::Text) *size = match.captured(2).toInt();
        return d.type;
    }
    return JetType::Variant;
}

QString JetTypeName(JetType type) {
    switch (type) {
        case JetType::Text: return QStringLiteral("TEXT");
        case JetType::Memo: return QStringLiteral("MEMO");
        case JetType::Long: return QStringLiteral("INTEGER");
        case JetType::Short: return QStringLiteral("SMALLINT");
        case JetType::Byte: return QStringLiteral("BYTE");
        case JetType::Boolean: return QStringLiteral("LOGICAL");
        case JetType::DateTime: return QStringLiteral("DATETIME");
        case JetType::Single: return QStringLiteral("SINGLE");
        case JetType::Double: return QStringLiteral("FLOAT");
        case JetType::Currency: return QStringLiteral("CURRENCY");
        case JetType::Counter: return QStringLiteral("AUTOINCREMENT");
        case JetType::Binary: return QStringLiteral("IMAGE");
        case JetType::Variant: break;
    }
    return QStringLiteral("VARIANT");
}

bool IsTextType(JetType type) { return type == JetType::Text || type == JetType::Memo; }

std::optional<IntegerRange> IntegerRangeOf(JetType type) {
    switch (type) {
        case JetType::Long:
        case JetType::Counter: return IntegerRange{-2147483648LL, 2147483647LL};
        case JetType::Short: return IntegerRange{-32768, 32767};
        case JetType::Byte: return IntegerRange{0, 255};
        default: return std::nullopt;
    }
}

}  // namespace sql
