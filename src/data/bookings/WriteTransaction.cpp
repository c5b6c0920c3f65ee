// Write transactions: taken at once, and one that lasts until a dataset has deleted its row.
#include "data/bookings/WriteTransaction.h"

#include "platform/db/ADOConnection.h"
#include "platform/db/DataSet.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"

#include <memory>

namespace data {

namespace {

const QString kSavepoint = QStringLiteral("tavorin_write");

}  // namespace

WriteTransaction::WriteTransaction(TADOConnection& connection) : database_(connection.Engine().Native()) {
    nested_ = connection.InTransaction();
    database_.Exec(nested_ ? QStringLiteral("SAVEPOINT ") + kSavepoint : QStringLiteral("BEGIN IMMEDIATE"));
    open_ = true;
}

WriteTransaction::~WriteTransaction() {
    try {
        Rollback();
    } catch (const Exception&) {
        // The engine already ended it.
    }
}

void WriteTransaction::Commit() {
    if (!open_) return;
    database_.Exec(nested_ ? QStringLiteral("RELEASE ") + kSavepoint : QStringLiteral("COMMIT"));
    open_ = false;
}

void WriteTransaction::Rollback() {
    if (!open_) return;
    open_ = false;
    if (nested_) database_.Exec(QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(kSavepoint));
    else database_.Exec(QStringLiteral("ROLLBACK"));
}

namespace {

struct PendingDelete {
    std::unique_ptr<WriteTransaction> transaction;
    TDataSet::TDataSetNotifyEvent afterDelete;
    TDataSet::TDataSetNotifyEvent onDeleteError;
};

// Gives the dataset its own handlers back. The running handler is one of ours and is released by this, so the
// caller keeps its own reference to the state.
void Restore(TDataSet& dataSet, const PendingDelete& pending) {
    dataSet.AfterDelete = pending.afterDelete;
    dataSet.OnDeleteError = pending.onDeleteError;
}

}  // namespace

void FinishWithDelete(TDataSet& dataSet, TADOConnection& connection, const std::function<void()>& work) {
    auto pending = std::make_shared<PendingDelete>();
    pending->transaction = std::make_unique<WriteTransaction>(connection);
    work();  // a failure rolls the transaction back as it goes
    pending->afterDelete = dataSet.AfterDelete;
    pending->onDeleteError = dataSet.OnDeleteError;
    dataSet.AfterDelete = [pending](TDataSet& deleted) {
        const std::shared_ptr<PendingDelete> keep = pending;
        Restore(deleted, *keep);
        keep->transaction->Commit();
        if (keep->afterDelete) keep->afterDelete(deleted);
    };
    dataSet.OnDeleteError = [pending](TDataSet& failed) {
        const std::shared_ptr<PendingDelete> keep = pending;
        Restore(failed, *keep);
        keep->transaction->Rollback();
        if (keep->onDeleteError) keep->onDeleteError(failed);
    };
}

}  // namespace data
