// A counter raised for the life of a block: the grid's layout-busy and re-entry counters.
#pragma once

namespace controls {

// Lowered again however the block ends.
class CounterScope {
public:
    explicit CounterScope(int& counter) : counter_(counter) { ++counter_; }
    ~CounterScope() { --counter_; }
    CounterScope(const CounterScope&) = delete;
    CounterScope& operator=(const CounterScope&) = delete;

private:
    int& counter_;
};

}  // namespace controls
