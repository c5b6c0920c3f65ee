// The engine-backed datasets: their SELECT, parameters, master-detail links and snapshot cursors.
#include "platform/db/ADODataSet.h"

#include "platform/db/ADOConnection.h"
#include "platform/db/DataSource.h"
#include "platform/db/MasterLink.h"
#include "platform/db/RowsetCursor.h"
#include "platform/db/SqlCursor.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"

namespace db {

void MasterLink::ActiveChanged() {
    if (Active()) detail_.MasterChanged();
}

void MasterLink::DataSetChanged() { detail_.MasterChanged(); }

}  // namespace db

TCustomADODataSet::TCustomADODataSet() : masterLink_(std::make_unique<db::MasterLink>(*this)) {}

TCustomADODataSet::~TCustomADODataSet() {
    if (connection_) connection_->DetachDataSet(this);
}

void TCustomADODataSet::SetConnection(TADOConnection* connection) {
    if (connection_ == connection) return;
    if (Active()) Close();
    if (connection_) connection_->DetachDataSet(this);
    connection_ = connection;
    if (connection_) connection_->AttachDataSet(this);
}

void TCustomADODataSet::SetDataSource(TDataSource* source) {
    masterSource_ = source;
    masterLink_->SetDataSource(source);
}

bool TCustomADODataSet::CanModify() const { return LockType != ltReadOnly && TDataSet::CanModify(); }

QVariantHash TCustomADODataSet::ParameterValues() const {
    QVariantHash values;
    for (int i = 0; i < Parameters.Count(); ++i) values.insert(Parameters[i]->Name, Parameters[i]->Value());
    TDataSet* master = masterSource_ ? masterSource_->DataSet() : nullptr;
    if (master && master->Active()) {
        for (auto it = values.begin(); it != values.end(); ++it)
            if (TField* field = master->FindField(it.key())) it.value() = field->Value();
    }
    return values;
}

void TCustomADODataSet::MasterChanged() {
    if (!Active() || IsEditState(State())) return;
    TDataSet* master = masterSource_ ? masterSource_->DataSet() : nullptr;
    if (!master || IsEditState(master->State())) return;
    const QVariantHash values = ParameterValues();
    if (values == masterValues_) return;
    Requery();
}

std::shared_ptr<db::Cursor> TCustomADODataSet::CreateCursor() {
    if (rowset_) return rowset_;
    if (!connection_) Error(QStringLiteral("Missing Connection or ConnectionString"));
    if (!connection_->Connected()) connection_->Open();
    masterValues_ = ParameterValues();
    return db::OpenSelect(connection_->Engine(), SelectSql(), masterValues_, LockType == ltReadOnly, HoldsRowsInHand());
}

void TCustomADODataSet::OpenRowset(const QStringList& columns, const QList<QVariantList>& rows) {
    Close();
    rowset_ = std::make_shared<db::RowsetCursor>(columns, rows);
    try {
        Open();
    } catch (...) {
        rowset_.reset();
        throw;
    }
    rowset_.reset();
}

TADOQuery::TADOQuery() {
    SQL.OnChange = [this] {
        Close();
        if (ParamCheck) Parameters.ParseSQL(SQL.Text());
    };
}

int TADOQuery::ExecSQL() {
    if (!Connection()) Error(QStringLiteral("Missing Connection or ConnectionString"));
    if (!Connection()->Connected()) Connection()->Open();
    SetRowsAffected(db::RunCommand(Connection()->Engine(), SQL.Text(), ParameterValues()));
    return RowsAffected();
}

bool TADOTable::CanModify() const { return !ReadOnly && TCustomADODataSet::CanModify(); }

QString TADOTable::SelectSql() const {
    QStringList order;
    if (!IndexFieldNames.isEmpty()) {
        for (const QString& name : IndexFieldNames.split(u';', Qt::SkipEmptyParts))
            order << u'[' + name.trimmed() + u']';
    } else if (!IndexName.isEmpty() && Connection() && Connection()->Connected()) {
        const auto def = Connection()->Engine().GetCatalog().Find(TableName);
        const int at = def ? def->IndexIndex(IndexName) : -1;
        if (at < 0) Error(QStringLiteral("Index '%1' not found").arg(IndexName));
        for (const sql::IndexColumn& column : def->indexes[at].columns)
            order << u'[' + column.name + u']' + (column.descending ? QStringLiteral(" DESC") : QString());
    }
    QString text = QStringLiteral("SELECT * FROM [%1]").arg(TableName);
    if (!order.isEmpty()) text += QStringLiteral(" ORDER BY ") + order.join(QLatin1String(", "));
    return text;
}

void TADOCommand::SetCommandText(const QString& text) {
    commandText_ = text;
    if (ParamCheck) Parameters.ParseSQL(text);
}

int TADOCommand::Execute() {
    if (!Connection) DatabaseError(QStringLiteral("Missing Connection or ConnectionString"));
    if (!Connection->Connected()) Connection->Open();
    QVariantHash values;
    for (int i = 0; i < Parameters.Count(); ++i) values.insert(Parameters[i]->Name, Parameters[i]->Value());
    return db::RunCommand(Connection->Engine(), commandText_, values);
}
