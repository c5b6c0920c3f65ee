// TCustomADODataSet, TADOQuery and TADOTable: datasets over the rows of a Jet statement on a TADOConnection.
#pragma once

#include "platform/db/DataSet.h"
#include "platform/db/Parameters.h"
#include "platform/rtl/StringList.h"

#include <QVariantHash>
#include <memory>

class TADOConnection;
class TDataSource;

enum TADOLockType { ltUnspecified, ltReadOnly, ltPessimistic, ltOptimistic, ltBatchOptimistic };
enum TCursorLocation { clUseServer, clUseClient };
enum TCursorType { ctUnspecified, ctOpenForwardOnly, ctKeyset, ctDynamic, ctStatic };

namespace db {
class MasterLink;
}

class TCustomADODataSet : public TDataSet {
public:
    TCustomADODataSet();
    ~TCustomADODataSet() override;

    TADOConnection* Connection() const { return connection_; }
    void SetConnection(TADOConnection* connection);
    // ltReadOnly refuses edits; the other lock types write rows back with the optimistic check.
    TADOLockType LockType = ltOptimistic;
    TCursorLocation CursorLocation = clUseClient;
    // The rows are a snapshot taken at open; Requery takes a new one.
    TCursorType CursorType = ctStatic;
    TParameters Parameters;
    // Parameters whose names are fields of the master's dataset take the master's current values and the
    // dataset reopens when the master moves.
    TDataSource* DataSource() const { return masterSource_; }
    void SetDataSource(TDataSource* source);
    bool Prepared = false;
    // Rows the last ExecSQL or Execute changed.
    int RowsAffected() const { return rowsAffected_; }
    // The rows of a schema rowset, read-only; used by TADOConnection::OpenSchema.
    void OpenRowset(const QStringList& columns, const QList<QVariantList>& rows);
    bool CanModify() const override;

    // Called by the master link.
    void MasterChanged();

protected:
    // The Jet SELECT this dataset shows.
    virtual QString SelectSql() const = 0;
    // The dataset lists no row of its table at open (see TADOTable::RowsInHand).
    virtual bool HoldsRowsInHand() const { return false; }
    std::shared_ptr<db::Cursor> CreateCursor() override;
    QVariantHash ParameterValues() const;
    void SetRowsAffected(int rows) { rowsAffected_ = rows; }

private:
    TADOConnection* connection_ = nullptr;
    TDataSource* masterSource_ = nullptr;
    std::unique_ptr<db::MasterLink> masterLink_;
    std::shared_ptr<db::Cursor> rowset_;
    QVariantHash masterValues_;
    int rowsAffected_ = 0;
};

class TADOQuery : public TCustomADODataSet {
public:
    TADOQuery();
    // The statement's lines; a change closes the query and, with ParamCheck, rebuilds Parameters.
    TStringList SQL;
    bool ParamCheck = true;
    // Runs the statement without a result and answers the number of rows it changed.
    int ExecSQL();

protected:
    QString SelectSql() const override { return SQL.Text(); }
};

class TADOTable : public TCustomADODataSet {
public:
    QString TableName;
    // The rows come in the order of this index of the table, or of these ";"-separated fields.
    QString IndexName;
    QString IndexFieldNames;
    bool TableDirect = false;
    bool ReadOnly = false;
    // For a table too big to list that the program edits a row at a time: the table opens empty and holds the
    // rows a Locate finds (the first match among them, as always) and those inserted through it; Requery
    // lets them go. Navigation and RecordCount see only the rows in hand.
    bool RowsInHand = false;
    bool CanModify() const override;

protected:
    QString SelectSql() const override;
    bool HoldsRowsInHand() const override { return RowsInHand; }
};

class TADOCommand {
public:
    TADOConnection* Connection = nullptr;
    QString CommandText() const { return commandText_; }
    void SetCommandText(const QString& text);
    bool ParamCheck = true;
    TParameters Parameters;
    // Runs the statement and answers the number of rows it changed.
    int Execute();

private:
    QString commandText_;
};
