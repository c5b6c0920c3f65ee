// A connection to one database file: the engine's driver boundary under the dataset layer.
#pragma once

#include "platform/sql/Catalog.h"
#include "platform/sql/ConnectionString.h"
#include "platform/sql/Database.h"
#include "platform/sql/LockFile.h"
#include "platform/sql/Statement.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QVariant>
#include <functional>
#include <memory>

namespace sql {

// A schema rowset: column names and rows of values.
struct SchemaRowset {
    QStringList columns;
    QList<QVariantList> rows;
};

// The ADO connection modes the program sees.
inline constexpr int kModeRead = 1;
inline constexpr int kModeShareExclusive = 12;
inline constexpr int kModeShareDenyNone = 16;

// A statement of the connection's cache, lent out reset with its bindings cleared and reset again when the
// lease ends, so that it never holds the file's read lock between uses. A statement asked for while its cached
// one is lent is prepared for the lease alone.
class StatementLease {
public:
    struct Entry {
        std::unique_ptr<Statement> statement;
        bool lent = false;
    };
    explicit StatementLease(std::shared_ptr<Entry> entry) : entry_(std::move(entry)) { entry_->lent = true; }
    explicit StatementLease(std::unique_ptr<Statement> own) : own_(std::move(own)) {}
    ~StatementLease() {
        if (!entry_) return;
        entry_->statement->Reset();
        entry_->lent = false;
    }
    StatementLease(StatementLease&&) noexcept = default;
    StatementLease(const StatementLease&) = delete;
    StatementLease& operator=(const StatementLease&) = delete;
    StatementLease& operator=(StatementLease&&) = delete;
    Statement* operator->() const { return entry_ ? entry_->statement.get() : own_.get(); }
    Statement& operator*() const { return *operator->(); }

private:
    std::shared_ptr<Entry> entry_;
    std::unique_ptr<Statement> own_;
};

class Connection {
public:
    // Opens the file. Raises "Not a valid password" for a protected file and a missing or wrong password,
    // "Could not use ''; file already in use" while another holds it exclusively (or, for an exclusive
    // open, while others are in) or keeps it busy past the busy timeout, a damage text (DamagedFileText) when
    // the header reads with the key but the rest does not, "Unrecognized database format '<file>'." for
    // anything else. A change that a crash interrupted is undone first (RestoreLeftoverSnapshot).
    explicit Connection(const ConnectOptions& options);
    explicit Connection(const QString& connectionString) : Connection(ParseConnectionString(connectionString)) {}
    ~Connection();

    // Creates a new empty database, encrypted with the password when one is given; "Database already exists."
    // when the file is there.
    static void CreateDatabase(const ConnectOptions& options);

    const QString& FileName() const { return fileName_; }

    // Prepares one Jet DML statement (SELECT, INSERT, UPDATE, DELETE).
    std::unique_ptr<Statement> Prepare(const QString& jetSql) const;
    // The statement kept prepared on this connection for the Jet DML or the native SQL, for the queries run
    // again and again (the views' period statements, the overlap check, the id draw): translated and compiled
    // at the first call only. DDL through Execute empties the cache.
    StatementLease Cached(const QString& jetSql) const;
    StatementLease CachedNative(const QString& nativeSql) const;
    // Whether the file has a table of the name (the engine's own included, name without case). A table once
    // found is remembered until this connection runs DDL, for callers that ask often of a table nothing drops.
    bool TableSeen(const QString& name) const;
    // Runs one Jet statement of any kind, DDL included, and answers the number of rows it changed.
    int Execute(const QString& jetSql);
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int Changes() const;
    // The counter value the last INSERT into the table issued (null when it has no counter or no insert was made).
    QVariant LastCounterValue(const QString& table) const;

    void BeginTransaction();
    void CommitTransaction();
    void RollbackTransaction();
    bool InTransaction() const;

    int Mode() const;
    bool IsReadOnly() const { return readOnly_; }
    // The provider properties the program reads (name, value), names as the provider spells them.
    QList<QPair<QString, QVariant>> Properties() const;
    // TABLE_NAME, TABLE_TYPE ("TABLE", or "SYSTEM TABLE" for the engine's own).
    SchemaRowset TablesSchema() const;
    // COMPUTER_NAME, LOGIN_NAME, CONNECTED, SUSPECT_STATE: one row per program instance that has the file open.
    SchemaRowset UserRoster() const;

    const Catalog& GetCatalog() const { return catalog_; }
    // This instance's place in the lock file; holding it keeps exclusive use after the connection closes.
    const std::shared_ptr<LockFile>& Place() const { return lock_; }
    const Database& Native() const { return database_; }

private:
    void OpenChecked(const QString& password, int flags);
    void Configure();
    StatementLease Lend(const QString& key, const std::function<std::unique_ptr<Statement>()>& prepare) const;

    QString fileName_;
    bool readOnly_ = false;
    bool exclusive_ = false;
    std::shared_ptr<LockFile> lock_;
    Database database_;
    Catalog catalog_{database_};
    // After the database, so that its statements are finalised before it closes. Keyed by kind and text.
    mutable QHash<QString, std::shared_ptr<StatementLease::Entry>> cache_;
    mutable QStringList tablesSeen_;
};

}  // namespace sql
