// The date cells of one resource: booking cells (multi-day view) or month cells of numbered lanes (month view).
#pragma once

#include "data/layout/CellSlots.h"

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

// One booking on one date of the month layout; every date the booking covers holds its own row, all in one lane.
class TMonthDateBookingCellRow {
public:
    int BookingId = 0;
    int ResourceId = 0;
    bool Staged = false;
    QString Client;
    QString Description;
    QString ResourceName;
    TDateTime BookingStart = 0;
    TDateTime BookingEnd = 0;
    // Left empty by the layout; the month grid and printout fill it.
    QString Text;
    bool AllDay = false;
    // The date indexes of the booking's first and last date within the window.
    int FirstIndex = 0;
    int LastIndex = 0;
    bool StartsBefore = false;
    bool EndsAfter = false;
    bool HasReminder = false;
};

// The lanes of one date; an entry may be nil (a free lane below a used one).
class TMonthDateBookingCell {
public:
    int GetRowCount() const { return static_cast<int>(rows_.size()); }
    // Nil beyond the list or for a free lane.
    TMonthDateBookingCellRow* GetRow(int index) const;
    // The row at the lane, created when missing (nil lanes appended up to it).
    TMonthDateBookingCellRow& NeedRow(int index);
    void Clear() { rows_.clear(); }

private:
    std::vector<std::unique_ptr<TMonthDateBookingCellRow>> rows_;
};

class TDateListBookings {
public:
    // Mode 2 uses MonthCells, any other mode Cells.
    explicit TDateListBookings(quint8 mode) : Mode(mode) {}

    const quint8 Mode;

    // Sets the number of dates of the array of this list's mode; places beyond it are freed, new ones nil.
    void SetCount(int count);
    int GetCount() const;
    TBookingCell* GetCell(int index) const { return cells_.Get(index); }
    void SetCell(int index, std::unique_ptr<TBookingCell> cell) { cells_.Set(index, std::move(cell)); }
    TMonthDateBookingCell* GetMonthCell(int index) const;
    void SetMonthCell(int index, std::unique_ptr<TMonthDateBookingCell> cell);
    void Clear();

    data::CellSlots& Cells() { return cells_; }

private:
    data::CellSlots cells_;
    std::vector<std::unique_ptr<TMonthDateBookingCell>> monthCells_;
};
