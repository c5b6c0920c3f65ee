// One axis of a cell grid: extents, fixed cells, lines and whole-cell scrolling.
#include "platform/ui/GridAxis.h"

#include "platform/ui/GridTypes.h"

#include <algorithm>

namespace ui {

void GridAxis::SetCount(int count) {
    count = std::max(count, 1);
    extents_.resize(count, defaultExtent_);
    fixedCount_ = std::min(fixedCount_, count - 1);
    Clamp();
}

void GridAxis::SetFixedCount(int count) {
    if (count < 0 || count >= Count())
        throw EInvalidGridOperation(QStringLiteral("Fixed count must be less than the count of cells"));
    fixedCount_ = count;
    Clamp();
}

int GridAxis::Extent(int index) const {
    if (index < 0 || index >= Count()) return defaultExtent_;
    return extents_[index];
}

void GridAxis::SetExtent(int index, int extent) {
    if (index < 0 || index >= Count()) throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    extents_[index] = extent;
    Clamp();
}

void GridAxis::MoveCell(int from, int to) {
    if (from < 0 || to < 0 || from >= Count() || to >= Count())
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    MoveItem(extents_, from, to);
    Clamp();
}

void GridAxis::SetDefaultExtent(int extent) {
    defaultExtent_ = extent;
    std::fill(extents_.begin(), extents_.end(), extent);
    Clamp();
}

void GridAxis::SetClientExtent(int extent) {
    clientExtent_ = std::max(extent, 0);
    Clamp();
}

void GridAxis::SetFirst(int first) {
    first_ = first;
    Clamp();
}

void GridAxis::Clamp() { first_ = std::clamp(first_, fixedCount_, std::max(fixedCount_, MaxFirst())); }

int GridAxis::EarliestFirstShowing(int last) const {
    const int room = clientExtent_ - FixedBoundary();
    int first = last;
    int used = Step(last);
    // The line after the last cell may be cut off, so it need not fit.
    while (first > fixedCount_ && used + Step(first - 1) - lineWidth_ <= room) {
        --first;
        used += Step(first);
    }
    return first;
}

int GridAxis::MaxFirst() const {
    int first = EarliestFirstShowing(Count() - 1);
    // Hidden cells in front take no room; the first shown cell is the one to start with.
    while (first < Count() - 1 && IsHidden(first)) ++first;
    return std::max(first, fixedCount_);
}

bool GridAxis::ScrollInView(int index) {
    if (index < fixedCount_ || index >= Count()) return false;
    const int old = first_;
    if (index < first_) first_ = index;
    else if (index > LastFullyVisible()) first_ = EarliestFirstShowing(index);
    Clamp();
    return first_ != old;
}

int GridAxis::Step(int index) const {
    const int extent = Extent(index);
    return extent < 0 ? 0 : extent + lineWidth_;
}

int GridAxis::FixedBoundary() const {
    int boundary = 0;
    for (int i = 0; i < fixedCount_; ++i) boundary += Step(i);
    return boundary;
}

int GridAxis::ScrolledAway() const {
    int away = 0;
    for (int i = fixedCount_; i < first_; ++i) away += Step(i);
    return away;
}

int GridAxis::Start(int index) const {
    if (index < 0 || index >= Count()) return -1;
    int position = 0;
    if (index < fixedCount_) {
        for (int i = 0; i < index; ++i) position += Step(i);
        return position;
    }
    if (index < first_) return -1;
    position = FixedBoundary();
    for (int i = first_; i < index; ++i) position += Step(i);
    return position;
}

bool GridAxis::IsShown(int index) const {
    const int start = Start(index);
    return start >= 0 && !IsHidden(index) && start < clientExtent_;
}

int GridAxis::GridEnd() const {
    int end = FixedBoundary();
    for (int i = first_; i < Count(); ++i) end += Step(i);
    return end;
}

int GridAxis::CellAt(int position) const {
    if (position < 0 || position >= clientExtent_) return -1;
    int end = 0;
    for (int i = 0; i < fixedCount_; ++i) {
        end += Step(i);
        if (position < end) return i;
    }
    for (int i = first_; i < Count(); ++i) {
        end += Step(i);
        if (position < end) return i;
    }
    return -1;
}

int GridAxis::LastFullyVisible() const {
    int last = first_;
    int position = FixedBoundary();
    for (int i = first_; i < Count(); ++i) {
        if (position + std::max(Extent(i), 0) > clientExtent_) break;
        last = i;
        position += Step(i);
    }
    return last;
}

}  // namespace ui
