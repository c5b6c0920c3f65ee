// The ADO-like connection over the engine: open and close, statements, transactions, properties, schemas.
#include "platform/db/ADOConnection.h"

#include "platform/db/ADODataSet.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"
#include "platform/sql/EngineError.h"

#include <algorithm>

QVariant TADOProperties::Item(const QString& name) const {
    for (const auto& item : items_)
        if (item.first.compare(name, Qt::CaseInsensitive) == 0) return item.second;
    sql::RaiseEngineError(QStringLiteral("Item cannot be found in the collection corresponding to the requested name "
                                         "or ordinal."),
                          0x800A0CC1);
}

TADOConnection::TADOConnection() = default;

TADOConnection::~TADOConnection() {
    for (TCustomADODataSet* dataSet : std::vector<TCustomADODataSet*>(dataSets_)) dataSet->SetConnection(nullptr);
}

void TADOConnection::SetConnected(bool connected) {
    if (connected == Connected()) return;
    if (connected) {
        engine_ = std::make_unique<sql::Connection>(ConnectionString);
        if (AfterConnect) AfterConnect(*this);
        return;
    }
    if (BeforeDisconnect) BeforeDisconnect(*this);
    for (TCustomADODataSet* dataSet : dataSets_) dataSet->Close();
    engine_.reset();
}

sql::Connection& TADOConnection::Engine() const {
    if (!engine_) DatabaseError(QStringLiteral("Operation is not allowed when the object is closed."));
    return *engine_;
}

int TADOConnection::Mode() const { return engine_ ? engine_->Mode() : 0; }

int TADOConnection::Execute(const QString& commandText) {
    Open();
    return engine_->Execute(commandText);
}

int TADOConnection::BeginTrans() {
    Engine().BeginTransaction();
    return 1;
}

void TADOConnection::CommitTrans() { Engine().CommitTransaction(); }

void TADOConnection::RollbackTrans() { Engine().RollbackTransaction(); }

bool TADOConnection::InTransaction() const { return engine_ && engine_->InTransaction(); }

TADOProperties TADOConnection::Properties() const {
    TADOProperties properties;
    properties.items_ = Engine().Properties();
    return properties;
}

void TADOConnection::OpenSchema(TSchemaInfo schema, const QVariant&, const QString& schemaId,
                                TCustomADODataSet& dataSet) {
    if (schema == siProviderSpecific && schemaId.compare(kJetSchemaUserRoster, Qt::CaseInsensitive) != 0)
        sql::RaiseEngineError(QStringLiteral("Object or provider is not capable of performing requested operation."));
    const sql::SchemaRowset rowset = schema == siTables ? Engine().TablesSchema() : Engine().UserRoster();
    dataSet.OpenRowset(rowset.columns, rowset.rows);
}

void TADOConnection::AttachDataSet(TCustomADODataSet* dataSet) { dataSets_.push_back(dataSet); }

void TADOConnection::DetachDataSet(TCustomADODataSet* dataSet) {
    dataSets_.erase(std::remove(dataSets_.begin(), dataSets_.end(), dataSet), dataSets_.end());
}
