// Building the benchmarks' big database: the data module creates it, raw inserts in one transaction fill it,
// compaction makes the encrypted copy. Files are keyed by a digest of the empty schema, so a schema change
// builds anew.
#include "support/MillionBookings.h"

#include "data/module/BookingIdCounter.h"
#include "data/module/DataModule.h"
#include "platform/sql/Compaction.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"
#include "platform/sql/Statement.h"

#include <benchmark/benchmark.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <stdexcept>

namespace million_bookings {
namespace {

// Raised when the rows or their shape change, so that an old file is not taken for a new one.
constexpr int kContentVersion = 1;

const QString kFolder = QStringLiteral("/tmp/tavorin-million-bookings");

QString Plain(const QString& path) { return ConnectionString(path, false); }

void CreateEmpty(const QString& path) {
    TData creator;
    if (!creator.CreateDatabase(path, true)) throw std::runtime_error("the data module could not create the file");
}

// A digest of everything the engine keeps about the schema of a newly created file.
QString SchemaKey() {
    const QString path = QDir(kFolder).filePath(QStringLiteral("schema-probe.tvd"));
    CreateEmpty(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::number(kContentVersion));
    {
        const sql::Connection connection(Plain(path));
        const auto master = connection.Native().Prepare(
            QStringLiteral("SELECT type, name, coalesce(sql, '') FROM sqlite_master ORDER BY type, name"));
        while (master->Step())
            for (int i = 0; i < 3; ++i) hash.addData(master->Value(i).toString().toUtf8());
        for (const QString& table : connection.GetCatalog().TableNames())
            hash.addData(connection.GetCatalog().Find(table)->ToJson());
    }
    QFile::remove(path);
    return QString::fromLatin1(hash.result().toHex().left(16));
}

void Fill(const QString& path) {
    sql::Connection connection(Plain(path));
    const sql::Database& database = connection.Native();
    database.Exec(QStringLiteral("BEGIN"));
    const auto resource = database.Prepare(QStringLiteral(
        "INSERT INTO Resources (ResourceId, ResourceName, Description, MaxBookDays) VALUES (?, ?, ?, 0)"));
    for (int id = 1; id <= kResources; ++id) {
        resource->Reset();
        resource->Bind(0, id);
        resource->Bind(1, ResourceName(id));
        resource->Bind(2, QStringLiteral("about resource %1").arg(id));
        resource->Step();
    }
    const auto booking = database.Prepare(QStringLiteral(
        "INSERT INTO Bookings (BookingId, Trans, ResourceId, BookingStart, BookingEnd, Client, Description) "
        "VALUES (?, 0, ?, ?, ?, ?, ?)"));
    QRandomGenerator random(11);
    for (int id = 1; id <= BookingCount(); ++id) {
        // Most bookings last 30 minutes to 4 hours within office hours; one in a hundred runs over several days.
        const TDateTime start = FirstDay() + random.bounded(kDays) + (16 + random.bounded(20)) / 48.0;
        const TDateTime length = random.bounded(100) == 0 ? random.bounded(1, 15) : random.bounded(1, 9) / 48.0;
        booking->Reset();
        booking->Bind(0, id);
        booking->Bind(1, 1 + random.bounded(kResources));
        booking->Bind(2, start);
        booking->Bind(3, start + length);
        booking->Bind(4, QStringLiteral("client %1").arg(id % 5000));
        booking->Bind(5, QStringLiteral("booking %1").arg(id));
        booking->Step();
    }
    database.Exec(QStringLiteral("COMMIT"));
    data::ReseedNextBookingId(connection, BookingCount() + 1);
}

// Builds under a temporary name and renames, so an interrupted build leaves nothing that looks ready.
QString Ready(const QString& path, const std::function<void(const QString&)>& build) {
    if (QFile::exists(path)) return path;
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    build(partial);
    if (!QFile::rename(partial, path)) throw std::runtime_error("could not rename the built file");
    return path;
}

}  // namespace

int BookingCount() {
    static const int count = [] {
        bool ok = false;
        const int asked = qEnvironmentVariableIntValue("TAVORIN_BENCH_BOOKINGS", &ok);
        return ok && asked > 0 ? asked : 1000000;
    }();
    return count;
}

QString ResourceName(int resourceId) { return QStringLiteral("Resource %1").arg(resourceId, 3, 10, QLatin1Char('0')); }

QString ConnectionString(const QString& path, bool encrypted, bool readOnly) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1%2%3")
        .arg(path, encrypted ? QStringLiteral(";Jet OLEDB:Database Password=") + Password() : QString(),
             readOnly ? QStringLiteral(";Mode=Read") : QString());
}

QString DatabasePath(bool encrypted) {
    QDir().mkpath(kFolder);
    static const QString key =
        BookingCount() == 1000000 ? SchemaKey() : SchemaKey() + QStringLiteral("-%1").arg(BookingCount());
    const QString plain = Ready(QDir(kFolder).filePath(key + QStringLiteral("-plain.tvd")), [](const QString& path) {
        CreateEmpty(path);
        Fill(path);
    });
    if (!encrypted) return plain;
    return Ready(QDir(kFolder).filePath(key + QStringLiteral("-encrypted.tvd")),
                 [&](const QString& path) { sql::CompactDatabase(Plain(plain), ConnectionString(path, true)); });
}

TData& OpenedCopy(bool encrypted) {
    static QTemporaryDir dir;
    static TData modules[2];
    TData& data = modules[encrypted];
    if (data.ADOConnection.Connected()) return data;
    const QString path =
        QDir(dir.path()).filePath(encrypted ? QStringLiteral("encrypted.tvd") : QStringLiteral("plain.tvd"));
    if (!QFile::copy(DatabasePath(encrypted), path) || !data.ConnectDatabase(path, encrypted ? Password() : QString()))
        std::abort();
    return data;
}

std::unique_ptr<sql::Statement> PeriodRowsStatement(const sql::Database& database, const QList<int>& resourceIds) {
    QStringList ids;
    for (const int id : resourceIds) ids << QString::number(id);
    return database.Prepare(
        QStringLiteral("SELECT b.BookingId, b.Trans, b.ResourceId, b.Client, b.Description, b.BookingStart, "
                       "b.BookingEnd, b.Reminder, r.ResourceName FROM Resources r JOIN Bookings b "
                       "ON r.ResourceId = b.ResourceId WHERE b.ResourceId IN (%1) AND b.BookingStart >= ? "
                       "AND b.BookingStart < ? AND b.BookingEnd >= ? ORDER BY r.ResourceName, b.BookingStart")
            .arg(ids.join(u',')));
}

int ReadPeriodRows(sql::Statement& statement, TDateTime first, TDateTime last) {
    statement.Reset();
    statement.Bind(0, first - 15);
    statement.Bind(1, last + 1);
    statement.Bind(2, first);
    int rows = 0;
    for (; statement.Step(); ++rows)
        for (int column = 0; column < 9; ++column) benchmark::DoNotOptimize(statement.Value(column));
    return rows;
}

}  // namespace million_bookings
