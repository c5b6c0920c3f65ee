// Older-schema database files built from what each version of the schema held, and catalog dumps.
#include "SchemaFixtures.h"

#include "data/schema/Schema.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

namespace data_test {

namespace {

void Run(sql::Connection& connection, const QStringList& statements) {
    for (const QString& statement : statements) connection.Execute(statement);
}

void Run(sql::Connection& connection, const data::UpgradeStep& step) {
    for (const data::UpgradeStatement& statement : step.statements) {
        try {
            connection.Execute(statement.sql);
        } catch (const Exception&) {
            if (!statement.mayFail) throw;
        }
    }
}

// What 5.2 added to 5.1, taken away again.
const QStringList kBackTo51 = {
    "DROP TABLE Reports",
    "DROP TABLE Tasks",
    "ALTER TABLE Bookings DROP COLUMN Email",
    "ALTER TABLE Bookings DROP COLUMN Address",
    "ALTER TABLE RanvelGlobal DROP COLUMN Schema_Ranvel50_5_2",
    "ALTER TABLE RanvelGlobal ADD COLUMN RanvelSchemaVersion500210 INTEGER",
};

// 5.0 kept a booking password per resource and shorter Ep columns.
const QStringList kBackTo50 = {
    "ALTER TABLE Resources ADD COLUMN BookingPasswordPermitted LOGICAL",
    "ALTER TABLE Resources ALTER COLUMN Ep TEXT(10)",
    "ALTER TABLE Groups ALTER COLUMN Ep TEXT(10)",
    "ALTER TABLE RanvelGlobal DROP COLUMN RanvelSchemaVersion500210",
    "ALTER TABLE RanvelGlobal ADD COLUMN RanvelSchemaVersion500 INTEGER",
};

const QStringList kRows = {
    "INSERT INTO Types (TypeName) VALUES ('Room')",
    "INSERT INTO Resources (ResourceName, TypeName, MaxBookDays, Ep) VALUES ('Room 1', 'Room', 0, 'x')",
    "INSERT INTO Resources (ResourceName, TypeName, MaxBookDays, Ep) VALUES ('Room 2', 'Room', 3, 'x')",
    "INSERT INTO Groups (GroupName, Ep) VALUES ('Floor 1', 'g')",
    "INSERT INTO ResourceGroups (GroupName, ResourceId) VALUES ('Floor 1', 2)",
    "INSERT INTO Bookings (BookingId, ResourceId, BookingStart, BookingEnd, Client, Ep) "
    "VALUES (1001, 1, #3/2/2026 9:00#, #3/2/2026 10:00#, 'Ada', 'e')",
    "INSERT INTO History (HistoryCode, Userid, BookingId, HistoryTimeStamp) VALUES (1, 'ada', 1001, #3/1/2026#)",
    "INSERT INTO AddressBook (EmailAddress, LastUsed, FirstName) VALUES ('b@x', #1/1/2026#, 'Bea')",
    "INSERT INTO AddressBook (EmailAddress, LastUsed, FirstName) VALUES ('a@x', #1/2/2026#, 'Al')",
};

QString TypeText(const sql::ColumnDef& column) {
    QString text = sql::JetTypeName(column.type);
    if (column.type == sql::JetType::Text) text += QStringLiteral("(%1)").arg(column.size);
    if (column.type == sql::JetType::Counter && (column.seed != 1 || column.step != 1))
        text += QStringLiteral("(%1,%2)").arg(column.seed).arg(column.step);
    return text;
}

}  // namespace

void BuildOlderDatabase(const QString& path, OlderSchema version, const QString& password) {
    sql::Connection::CreateDatabase({path, password});
    sql::Connection connection(sql::ConnectOptions{path, password});
    Run(connection, data::CreationStatements(EncodeDate(2027, 1, 6)));
    if (version == OlderSchema::V50 || version == OlderSchema::V51) Run(connection, kBackTo51);
    if (version == OlderSchema::V50) Run(connection, kBackTo50);
    if (version == OlderSchema::V52From51)
        connection.Execute("ALTER TABLE RanvelGlobal ADD COLUMN RanvelSchemaVersion500210 INTEGER");
    Run(connection, kRows);
    if (version == OlderSchema::V61 || version == OlderSchema::V62) Run(connection, data::Step61());
    if (version == OlderSchema::V62) Run(connection, data::Step62());
}

QStringList CatalogLines(const sql::Connection& connection) {
    QStringList tables = connection.GetCatalog().TableNames();
    tables.sort(Qt::CaseInsensitive);
    QStringList lines;
    for (const QString& name : tables) {
        const sql::TableDef table = *connection.GetCatalog().Find(name);
        for (const sql::ColumnDef& column : table.columns) {
            lines << QStringLiteral("%1.%2 %3%4")
                         .arg(table.name, column.name, TypeText(column),
                              column.notNull ? QStringLiteral(" NOT NULL") : QString());
        }
        for (const sql::IndexDef& index : table.indexes) {
            QStringList columns;
            for (const sql::IndexColumn& column : index.columns) columns << column.name;
            lines << QStringLiteral("%1 index %2 (%3)%4%5")
                         .arg(table.name, index.name, columns.join(QStringLiteral(", ")),
                              index.unique && !index.primary ? QStringLiteral(" unique") : QString(),
                              index.primary ? QStringLiteral(" primary") : QString());
        }
        for (const sql::ForeignKeyDef& key : table.foreignKeys) {
            lines << QStringLiteral("%1 fk %2 (%3) -> %4 (%5)%6%7")
                         .arg(table.name, key.name, key.columns.join(QStringLiteral(", ")), key.refTable,
                              key.refColumns.join(QStringLiteral(", ")),
                              key.updateCascade ? QStringLiteral(" update-cascade") : QString(),
                              key.deleteCascade ? QStringLiteral(" delete-cascade") : QString());
        }
    }
    return lines;
}

QStringList RowTexts(const sql::Connection& connection, const QString& jetSql) {
    QStringList rows;
    const auto statement = connection.Prepare(jetSql);
    while (statement->Step()) {
        QStringList values;
        for (int i = 0; i < statement->ColumnCount(); ++i) {
            const QVariant value = statement->Value(i);
            values << (value.isNull() ? QStringLiteral("<null>") : value.toString());
        }
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList MarkerColumns(const sql::Connection& connection) {
    QStringList markers;
    const sql::TableDef global = *connection.GetCatalog().Find(QStringLiteral("RanvelGlobal"));
    for (const sql::ColumnDef& column : global.columns) {
        if (column.name.contains(QStringLiteral("Schema"), Qt::CaseInsensitive)) markers << column.name;
    }
    return markers;
}

}  // namespace data_test
