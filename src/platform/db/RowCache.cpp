// The two-generation row cache.
#include "platform/db/RowCache.h"

namespace db {

Row* RowCache::Find(qint64 rowId) {
    if (const auto it = current_.find(rowId); it != current_.end()) return &it->second;
    auto node = previous_.extract(rowId);
    if (node.empty()) return nullptr;
    Age();
    // Moving the node keeps the row where it is, and references to it valid.
    return &current_.insert(std::move(node)).position->second;
}

Row& RowCache::Put(qint64 rowId, Row row) {
    previous_.erase(rowId);
    if (const auto it = current_.find(rowId); it != current_.end()) {
        it->second = std::move(row);
        return it->second;
    }
    Age();
    return current_.emplace(rowId, std::move(row)).first->second;
}

void RowCache::Erase(qint64 rowId) {
    current_.erase(rowId);
    previous_.erase(rowId);
}

void RowCache::Age() {
    if (current_.size() < generation_) return;
    previous_ = std::move(current_);
    current_ = Rows();
}

}  // namespace db
