// A table as Jet sees it: columns with Jet types, and indexes and constraints named per table.
#pragma once

#include "platform/sql/JetTypes.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace sql {

struct ColumnDef {
    QString name;
    JetType type = JetType::Long;
    int size = 0;  // characters, for TEXT(n)
    bool notNull = false;
    qint64 seed = 1;  // counters only: the first value and the step as declared
    qint64 step = 1;
};

struct IndexColumn {
    QString name;
    bool descending = false;
};

// An index, a UNIQUE constraint or the primary key (Jet keeps all three as named indexes of the table).
struct IndexDef {
    QString name;
    QList<IndexColumn> columns;
    bool unique = false;
    bool primary = false;
};

struct ForeignKeyDef {
    QString name;
    QStringList columns;
    QString refTable;
    QStringList refColumns;
    bool updateCascade = false;
    bool deleteCascade = false;
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;
    QList<IndexDef> indexes;
    QList<ForeignKeyDef> foreignKeys;

    int ColumnIndex(const QString& column) const;  // -1 when absent; names compared without case
    int IndexIndex(const QString& index) const;
    int ForeignKeyIndex(const QString& constraint) const;
    const IndexDef* PrimaryKey() const;
    bool InPrimaryKey(const QString& column) const;

    QByteArray ToJson() const;
    static TableDef FromJson(const QByteArray& json);
};

}  // namespace sql
