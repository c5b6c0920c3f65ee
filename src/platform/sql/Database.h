// The raw SQLite connection: native SQL, the engine's error texts, and nothing of Jet's.
#pragma once

#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;

namespace sql {

class Statement;

class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file with sqlite3_open_v2 flags; raises with the engine's text on failure.
    void Open(const QString& path, int flags);
    void Close();
    bool IsOpen() const { return db_ != nullptr; }
    sqlite3* Handle() const { return db_; }

    // Runs native SQL (one or more statements) that returns no rows.
    void Exec(const QString& nativeSql) const;
    std::unique_ptr<Statement> Prepare(const QString& nativeSql) const;
    // The first column of the first row; null when there is no row.
    QVariant QueryValue(const QString& nativeSql) const;

    // Raises the error the engine reported for rc, in the provider's words where the program compares them.
    [[noreturn]] void Raise(int rc) const;

private:
    sqlite3* db_ = nullptr;
};

// Quotes a name as an SQLite identifier.
QString QuoteName(const QString& name);
// Quotes a text as an SQLite string literal.
QString QuoteText(const QString& text);

}  // namespace sql
