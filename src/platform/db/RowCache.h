// A bounded cache of rows by rowid that forgets the rows least recently used.
#pragma once

#include "platform/db/Cursor.h"

#include <unordered_map>

namespace db {

// Two generations: rows found in the older one move to the newer; when the newer is full, the older is
// dropped. A reference to a row stays valid until a full generation of other rows has been put.
class RowCache {
public:
    explicit RowCache(int capacity) : generation_(capacity / 2) {}

    // Null when the row is not held.
    Row* Find(qint64 rowId);
    Row& Put(qint64 rowId, Row row);
    void Erase(qint64 rowId);
    int Size() const { return static_cast<int>(current_.size() + previous_.size()); }

private:
    using Rows = std::unordered_map<qint64, Row>;
    void Age();

    size_t generation_;
    Rows current_;
    Rows previous_;
};

}  // namespace db
