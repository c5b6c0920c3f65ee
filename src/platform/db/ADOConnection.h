// TADOConnection: the program's connection to a database file through the engine.
#pragma once

#include <QPair>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace sql {
class Connection;
}
class TDataSet;
class TCustomADODataSet;

enum TSchemaInfo { siTables, siProviderSpecific };

// The provider-specific schema that lists who has the database open.
inline const QString kJetSchemaUserRoster = QStringLiteral("{947bb102-5d43-11d1-bdbf-00c04fb92675}");

// The provider's properties, walked by index or found by name.
class TADOProperties {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const QString& Name(int index) const { return items_.at(index).first; }
    const QVariant& Value(int index) const { return items_.at(index).second; }
    // Raises EOleException when the name is unknown.
    QVariant Item(const QString& name) const;

private:
    friend class TADOConnection;
    QList<QPair<QString, QVariant>> items_;
};

class TADOConnection {
public:
    TADOConnection();
    ~TADOConnection();
    TADOConnection(const TADOConnection&) = delete;
    TADOConnection& operator=(const TADOConnection&) = delete;

    QString ConnectionString;
    // Kept for the component's published shape; this provider never asks for a login.
    bool LoginPrompt = true;

    bool Connected() const { return engine_ != nullptr; }
    void SetConnected(bool connected);
    void Open() { SetConnected(true); }
    void Close() { SetConnected(false); }
    // The ADO mode of the open connection (1 read, 12 exclusive, 16 shared); 0 while closed.
    int Mode() const;

    // Runs one Jet statement and answers the number of rows it changed.
    int Execute(const QString& commandText);
    int BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const;

    TADOProperties Properties() const;
    // Fills dataSet (a TCustomADODataSet) with the rowset: the tables, or the user roster by its schema id.
    void OpenSchema(TSchemaInfo schema, const QVariant& restrictions, const QString& schemaId,
                    TCustomADODataSet& dataSet);

    std::function<void(TADOConnection&)> AfterConnect;
    std::function<void(TADOConnection&)> BeforeDisconnect;

    // The engine connection; raises when not connected.
    sql::Connection& Engine() const;
    void AttachDataSet(TCustomADODataSet* dataSet);
    void DetachDataSet(TCustomADODataSet* dataSet);

private:
    std::unique_ptr<sql::Connection> engine_;
    std::vector<TCustomADODataSet*> dataSets_;
};
