// Compaction through an attached, freshly keyed database and sqlcipher_export.
#include "platform/sql/Compaction.h"

#include "platform/sql/Connection.h"
#include "platform/sql/EngineError.h"

#include <sqlite3.h>
#include <QFile>

namespace sql {

void CompactDatabase(const QString& sourceConnectionString, const QString& destinationConnectionString) {
    // Told before the source is opened: the destination may share its lock file.
    if (QFile::exists(ParseConnectionString(destinationConnectionString).dataSource)) RaiseEngineError(kDatabaseExists);
    ConnectOptions source = ParseConnectionString(sourceConnectionString);
    source.exclusive = true;
    CompactInto(Connection(source), destinationConnectionString);
}

void CompactInto(const Connection& source, const QString& destinationConnectionString) {
    const ConnectOptions destination = ParseConnectionString(destinationConnectionString);
    if (QFile::exists(destination.dataSource)) RaiseEngineError(kDatabaseExists);
    const Database& database = source.Native();
    // The export copies table by table, so children may arrive before their parents.
    database.Exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
    // The source is opened without the right to create files, and an attached file inherits it: the empty
    // destination is made here and becomes a database when the export writes to it.
    QFile empty(destination.dataSource);
    if (!empty.open(QIODevice::WriteOnly)) RaiseEngineError(empty.errorString());
    empty.close();
    // A failure anywhere leaves no destination behind, not even the empty file.
    try {
        database.Exec(QStringLiteral("ATTACH DATABASE %1 AS TvCompacted KEY %2")
                          .arg(QuoteText(destination.dataSource), QuoteText(destination.password)));
        database.QueryValue(QStringLiteral("SELECT sqlcipher_export('TvCompacted')"));
        // Compacting also renews the planner's statistics, as the desktop engine's compaction does: with them a
        // search on the second column of an index (bookings of one day over every resource) skips through the
        // index instead of reading the whole table.
        database.Exec(QStringLiteral("ANALYZE TvCompacted"));
        database.Exec(QStringLiteral("DETACH DATABASE TvCompacted"));
    } catch (...) {
        sqlite3_exec(database.Handle(), "DETACH DATABASE TvCompacted", nullptr, nullptr, nullptr);
        QFile::remove(destination.dataSource);
        sqlite3_exec(database.Handle(), "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr);
        throw;
    }
    database.Exec(QStringLiteral("PRAGMA foreign_keys = ON"));
}

}  // namespace sql
