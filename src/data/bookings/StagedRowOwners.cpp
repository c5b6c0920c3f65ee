// tavorin_StagedOwner: (TableName, RowKey, Owner) per staged row, kept by triggers on Bookings and History.
#include "data/bookings/StagedRowOwners.h"

#include "platform/db/ADOConnection.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"
#include "platform/sql/Statement.h"

namespace data {
namespace {

const QString kOwners = QStringLiteral("tavorin_StagedOwner");

// Rows are known by rowid: a counter column gets its value only after the insert, and a rebuild keeps rowids.
const QString kStagingTables[] = {QStringLiteral("Bookings"), QStringLiteral("History")};

QString TriggerSql(const QString& table) {
    const QString forget =
        QStringLiteral("DELETE FROM %1 WHERE TableName = '%2' AND RowKey = OLD.rowid; END").arg(kOwners, table);
    return QStringLiteral(
               "CREATE TRIGGER IF NOT EXISTS tavorin_%1Staged AFTER INSERT ON %1 WHEN COALESCE(NEW.Trans, 0) <> 0 "
               "BEGIN INSERT OR REPLACE INTO %2 VALUES ('%1', NEW.rowid, tavorin_instance()); END;"
               "CREATE TRIGGER IF NOT EXISTS tavorin_%1Committed AFTER UPDATE OF Trans ON %1 "
               "WHEN COALESCE(NEW.Trans, 0) = 0 BEGIN ")
               .arg(table, kOwners) +
           forget +
           QStringLiteral(";CREATE TRIGGER IF NOT EXISTS tavorin_%1Gone AFTER DELETE ON %1 BEGIN ").arg(table) + forget;
}

}  // namespace

void EnsureStagedRowOwners(TADOConnection& connection) {
    sql::Connection& engine = connection.Engine();
    if (engine.IsReadOnly()) return;
    engine.Native().Exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (TableName TEXT NOT NULL, RowKey INTEGER NOT "
                                        "NULL, Owner TEXT NOT NULL, PRIMARY KEY (TableName, RowKey))")
                             .arg(kOwners));
    for (const QString& table : kStagingTables)
        if (engine.TableSeen(table)) engine.Native().Exec(TriggerSql(table));
}

void RemoveOrphanedStagedRows(TADOConnection& connection) {
    sql::Connection& engine = connection.Engine();
    if (engine.IsReadOnly() || !engine.TableSeen(kOwners)) return;
    // History first: its staged rows may name a working booking.
    for (const QString& table : {kStagingTables[1], kStagingTables[0]}) {
        if (!engine.TableSeen(table)) continue;
        try {
            engine.Native().Exec(QStringLiteral("DELETE FROM %1 WHERE rowid IN (SELECT RowKey FROM %2 WHERE TableName "
                                                "= '%1' AND NOT tavorin_present(Owner))")
                                     .arg(table, kOwners));
        } catch (const Exception&) {
            // Busy or read-only for now: the rows already stopped counting.
        }
    }
}

void RemoveOwnStagedRows(TADOConnection& connection) {
    sql::Connection& engine = connection.Engine();
    if (engine.IsReadOnly() || !engine.TableSeen(kOwners)) return;
    for (const QString& table : {kStagingTables[1], kStagingTables[0]}) {
        if (!engine.TableSeen(table)) continue;
        engine
            .CachedNative(QStringLiteral("DELETE FROM %1 WHERE rowid IN (SELECT RowKey FROM %2 WHERE TableName = "
                                         "'%1' AND Owner = tavorin_instance())")
                              .arg(table, kOwners))
            ->Step();
    }
}

QString NotOrphanedBookingCondition(TADOConnection& connection) {
    // Nothing drops the table once made, so the connection may remember it.
    if (!connection.Engine().TableSeen(kOwners)) return {};
    return QStringLiteral(
               "NOT EXISTS (SELECT 1 FROM %1 WHERE TableName = 'Bookings' AND RowKey = Bookings.rowid "
               "AND NOT tavorin_present(Owner))")
        .arg(kOwners);
}

}  // namespace data
