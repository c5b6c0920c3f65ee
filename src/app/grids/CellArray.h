// A [column][row] array of per-cell values that keeps its values where the grid keeps its cells.
#pragma once

#include <vector>

namespace grids {

template <class T>
class CellArray {
public:
    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    // Values inside both the old and the new shape stay; new places get T().
    void Resize(int cols, int rows) {
        std::vector<T> next(static_cast<size_t>(cols) * rows);
        for (int c = 0; c < std::min(cols, cols_); ++c)
            for (int r = 0; r < std::min(rows, rows_); ++r) next[Index(c, r, rows)] = values_[Index(c, r, rows_)];
        values_.swap(next);
        cols_ = cols;
        rows_ = rows;
    }
    bool Contains(int col, int row) const { return col >= 0 && row >= 0 && col < cols_ && row < rows_; }
    // T() outside the array.
    T Get(int col, int row) const { return Contains(col, row) ? values_[Index(col, row, rows_)] : T(); }
    // Ignored outside the array.
    void Set(int col, int row, const T& value) {
        if (Contains(col, row)) values_[Index(col, row, rows_)] = value;
    }

private:
    static size_t Index(int col, int row, int rows) { return static_cast<size_t>(col) * rows + row; }

    std::vector<T> values_;
    int cols_ = 0;
    int rows_ = 0;
};

}  // namespace grids
