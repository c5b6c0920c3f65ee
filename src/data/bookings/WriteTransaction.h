// A database write transaction taken at once and rolled back unless committed.
#pragma once

#include <functional>

class TADOConnection;
class TDataSet;

namespace sql {
class Database;
}

namespace data {

// A deferred transaction that has read cannot be upgraded while another program writes, and would fail at
// once instead of waiting its turn; this one takes the write lock when it begins. Inside a transaction that is
// already open it is a savepoint: its rollback undoes only its own part, and the outer one decides the rest.
class WriteTransaction {
public:
    explicit WriteTransaction(TADOConnection& connection);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;
    void Commit();
    void Rollback();

private:
    const sql::Database& database_;
    bool open_ = false;
    bool nested_ = false;
};

// Holds the transaction open until the dataset's delete of its current row is done: committed when the row is
// gone, rolled back when the delete fails. The dataset's AfterDelete and OnDeleteError are borrowed meanwhile.
void FinishWithDelete(TDataSet& dataSet, TADOConnection& connection, const std::function<void()>& work);

}  // namespace data
