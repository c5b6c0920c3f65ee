// Opening, creating and using a database file: password probe, file sharing, statements and properties.
#include "platform/sql/Connection.h"

#include "platform/rtl/KillPoints.h"
#include "platform/rtl/ProgramVersion.h"
#include "platform/sql/DdlExecutor.h"
#include "platform/sql/EngineError.h"
#include "platform/sql/InstanceFunctions.h"
#include "platform/sql/JetFunctions.h"
#include "platform/sql/SnapshotRecovery.h"
#include "platform/sql/TextCompare.h"
#include "platform/sql/Translator.h"

#include <sqlite3.h>
#include <QFile>
#include <QFileInfo>

namespace sql {
namespace {

constexpr int kBusyTimeoutMs = 5000;

void RegisterFunctions(const Database& database) {
    RegisterTextCompare(database.Handle());
    RegisterJetFunctions(database.Handle());
}

void Key(const Database& database, const QString& password) {
    const QByteArray key = password.toUtf8();
    sqlite3_key(database.Handle(), key.constData(), key.size());
}

// SQLCipher only notices a wrong key at the first read; the answer is the engine's result code.
int ReadCatalog(const Database& database) {
    return sqlite3_exec(database.Handle(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) & 0xff;
}

// The header page decrypts with this key (a wrong key fails there as "not a database"), so a later failure is
// damage. A file cut short fails at the header itself, as malformed: that too needs the right key to be seen.
bool HeaderReadable(const Database& database, int rc) {
    return rc == SQLITE_CORRUPT ||
           sqlite3_exec(database.Handle(), "PRAGMA schema_version", nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Files that announce what they are in their first bytes: SQLite's own header, the Jet and ACE database
// formats, documents, archives, pictures and programs. An encrypted file never starts with one of them.
bool HasKnownHeader(const QByteArray& page) {
    static const QByteArray kHeaders[] = {
        QByteArrayLiteral("SQLite format 3"),
        QByteArrayLiteral("%PDF"),
        QByteArrayLiteral("PK\x03\x04"),
        QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"),
        QByteArrayLiteral("\x89PNG"),
        QByteArrayLiteral("GIF8"),
        QByteArrayLiteral("\xFF\xD8\xFF"),
        QByteArrayLiteral("\x1F\x8B"),
        QByteArrayLiteral("\x7F"
                          "ELF"),
        QByteArrayLiteral("MZ"),
        QByteArrayLiteral("{\\rtf"),
    };
    for (const QByteArray& header : kHeaders)
        if (page.startsWith(header)) return true;
    const QByteArray jetMark = page.mid(4, 15);
    return jetMark == "Standard Jet DB" || jetMark == "Standard ACE DB";
}

// An encrypted page is noise: nearly every byte value turns up in a kilobyte of it (about 250 of 256 on
// average), where a page of any structured format repeats a few values, most of all zeros.
bool LooksLikeNoise(const QByteArray& page) {
    bool seen[256] = {};
    int distinct = 0;
    for (const char byte : page) {
        bool& mark = seen[static_cast<unsigned char>(byte)];
        if (!mark) ++distinct;
        mark = true;
    }
    return distinct >= 200;
}

// An encrypted file is pages of noise; a file that says what it is, or reads as anything but noise, is
// not a database of ours whatever the password.
bool LooksEncrypted(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const qint64 size = file.size();
    // Whole pages, unless the file was cut short anywhere: the first page still tells.
    if (size < 1024) return false;
    const QByteArray firstPage = file.read(1024);
    return !HasKnownHeader(firstPage) && LooksLikeNoise(firstPage);
}

QString Unrecognized(const QString& fileName) {
    return QStringLiteral("Unrecognized database format '%1'.").arg(fileName);
}

}  // namespace

Connection::Connection(const ConnectOptions& options) : fileName_(options.dataSource) {
    const QFileInfo info(fileName_);
    if (!info.isFile()) RaiseEngineError(QStringLiteral("Could not find file '%1'.").arg(fileName_));
    readOnly_ = options.readOnly || !info.isWritable();
    exclusive_ = options.exclusive;
    if (!readOnly_) RestoreLeftoverSnapshot(fileName_);
    lock_ = LockFile::Join(fileName_, exclusive_);
    OpenChecked(options.password, readOnly_ ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    Configure();
}

Connection::~Connection() = default;

void Connection::OpenChecked(const QString& password, int flags) {
    // A protected file opens with its password; an unprotected one whatever password is given.
    QStringList keys;
    if (!password.isEmpty()) keys << password;
    keys << QString();
    for (const QString& key : keys) {
        database_.Open(fileName_, flags);
        RegisterFunctions(database_);
        // Set before the first read: a file another instance is writing is waited for, not taken as unreadable.
        sqlite3_busy_timeout(database_.Handle(), kBusyTimeoutMs);
        if (!key.isEmpty()) Key(database_, key);
        const int rc = ReadCatalog(database_);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            database_.Close();
            RaiseEngineError(kFileInUse);
        }
        if (rc != SQLITE_OK) {
            if (!HeaderReadable(database_, rc)) continue;
            database_.Close();
            RaiseEngineError(DamagedFileText(fileName_));
        }
        if (Catalog::HasStorage(database_)) return;
        database_.Close();
        RaiseEngineError(Unrecognized(fileName_));
    }
    database_.Close();
    RaiseEngineError(LooksEncrypted(fileName_) ? kNotValidPassword : Unrecognized(fileName_));
}

void Connection::Configure() {
    RegisterInstanceFunctions(database_.Handle(), lock_.get());
    database_.Exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    database_.Exec(QStringLiteral("PRAGMA cache_size = -16384"));
}

void Connection::CreateDatabase(const ConnectOptions& options) {
    if (QFileInfo::exists(options.dataSource)) RaiseEngineError(kDatabaseExists);
    Database database;
    database.Open(options.dataSource, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    RegisterFunctions(database);
    if (!options.password.isEmpty()) Key(database, options.password);
    database.Exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    Catalog::CreateStorage(database);
}

std::unique_ptr<Statement> Connection::Prepare(const QString& jetSql) const {
    const Translation translation = TranslateStatement(jetSql);
    if (translation.kind == StatementKind::Ddl)
        RaiseEngineError(QStringLiteral("A data definition statement does not return rows"), kErrorInCommand);
    return database_.Prepare(translation.sql);
}

StatementLease Connection::Lend(const QString& key, const std::function<std::unique_ptr<Statement>()>& prepare) const {
    const auto found = cache_.constFind(key);
    if (found == cache_.constEnd())
        return StatementLease(*cache_.insert(key, std::make_shared<StatementLease::Entry>(prepare())));
    if ((*found)->lent) return StatementLease(prepare());
    (*found)->statement->ClearBindings();
    return StatementLease(*found);
}

StatementLease Connection::Cached(const QString& jetSql) const {
    return Lend(QLatin1String("jet:") + jetSql, [&] { return Prepare(jetSql); });
}

StatementLease Connection::CachedNative(const QString& nativeSql) const {
    return Lend(QLatin1String("native:") + nativeSql, [&] { return database_.Prepare(nativeSql); });
}

bool Connection::TableSeen(const QString& name) const {
    if (tablesSeen_.contains(name, Qt::CaseInsensitive)) return true;
    const auto statement =
        CachedNative(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    statement->Bind(0, name);
    if (!statement->Step()) return false;
    tablesSeen_ << name;
    return true;
}

int Connection::Execute(const QString& jetSql) {
    const Translation translation = TranslateStatement(jetSql);
    if (translation.kind == StatementKind::Ddl) {
        // Column types read at compilation may change, and tables go.
        cache_.clear();
        tablesSeen_.clear();
        ExecuteDdl(database_, catalog_, jetSql);
        rtl::KillPoint("statement");
        return 0;
    }
    const auto statement = database_.Prepare(translation.sql);
    while (statement->Step()) {
    }
    // A crash test stops here, after a statement that is committed unless a transaction is open.
    rtl::KillPoint("statement");
    return translation.kind == StatementKind::Select || translation.kind == StatementKind::Other ? 0 : Changes();
}

int Connection::Changes() const { return sqlite3_changes(database_.Handle()); }

QVariant Connection::LastCounterValue(const QString& table) const {
    const std::optional<TableDef> def = catalog_.Find(table);
    const qint64 rowid = sqlite3_last_insert_rowid(database_.Handle());
    if (!def || rowid == 0) return {};
    for (const ColumnDef& column : def->columns) {
        if (column.type != JetType::Counter) continue;
        return database_.QueryValue(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = %3")
                                        .arg(QuoteName(column.name), QuoteName(def->name))
                                        .arg(rowid));
    }
    return {};
}

void Connection::BeginTransaction() { database_.Exec(QStringLiteral("BEGIN")); }
void Connection::CommitTransaction() { database_.Exec(QStringLiteral("COMMIT")); }
void Connection::RollbackTransaction() { database_.Exec(QStringLiteral("ROLLBACK")); }
bool Connection::InTransaction() const { return sqlite3_get_autocommit(database_.Handle()) == 0; }

int Connection::Mode() const {
    if (readOnly_) return kModeRead;
    return exclusive_ ? kModeShareExclusive : kModeShareDenyNone;
}

QList<QPair<QString, QVariant>> Connection::Properties() const {
    const qint64 freePages = database_.QueryValue(QStringLiteral("PRAGMA freelist_count")).toLongLong();
    const qint64 pageSize = database_.QueryValue(QStringLiteral("PRAGMA page_size")).toLongLong();
    const QString engine = QStringLiteral("SQLCipher %1 / SQLite %2")
                               .arg(database_.QueryValue(QStringLiteral("PRAGMA cipher_version")).toString(),
                                    QString::fromLatin1(sqlite3_libversion()));
    return {
        {QStringLiteral("Data Source"), fileName_},
        {QStringLiteral("DBMS Name"), QStringLiteral("SQLCipher")},
        {QStringLiteral("DBMS Version"), engine},
        {QStringLiteral("Provider Friendly Name"), QStringLiteral("Tavorin SQLCipher Provider")},
        {QStringLiteral("Provider Version"), QString::fromLatin1(rtl::kProgramVersionText)},
        {QStringLiteral("Mode"), Mode()},
        {QStringLiteral("Jet OLEDB:Database Locking Mode"), 1},
        {QStringLiteral("Jet OLEDB:Compact Reclaimed Space Amount"), freePages * pageSize},
    };
}

SchemaRowset Connection::TablesSchema() const {
    SchemaRowset rowset{{QStringLiteral("TABLE_NAME"), QStringLiteral("TABLE_TYPE")}, {}};
    const QStringList userTables = catalog_.TableNames();
    const auto statement = database_.Prepare(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' UNION SELECT 'sqlite_master' ORDER BY 1"));
    while (statement->Step()) {
        const QString name = statement->Value(0).toString();
        const bool user = userTables.contains(name, Qt::CaseInsensitive);
        rowset.rows << QVariantList{name, user ? QStringLiteral("TABLE") : QStringLiteral("SYSTEM TABLE")};
    }
    return rowset;
}

SchemaRowset Connection::UserRoster() const {
    SchemaRowset rowset{{QStringLiteral("COMPUTER_NAME"), QStringLiteral("LOGIN_NAME"), QStringLiteral("CONNECTED"),
                         QStringLiteral("SUSPECT_STATE")},
                        {}};
    for (const RosterEntry& entry : lock_->Roster())
        rowset.rows << QVariantList{entry.computerName, entry.loginName, true, QVariant()};
    return rowset;
}

}  // namespace sql
