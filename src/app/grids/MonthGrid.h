// The month grid: a calendar of seven weekday columns and up to six week rows, each day cell holding numbered
// lines of bookings (text lines for one-day bookings, bars for the others).
#pragma once

#include "app/grids/BookingGrid.h"
#include "app/grids/Weekdays.h"
#include "data/bookings/ResourceDateBookings.h"

#include <array>
#include <memory>
#include <vector>

// The dates and week rows a month view shows.
class TMonthGridInfo {
public:
    TDateTime MonthStart = 0;
    TDateTime FirstShownDate = 0;
    TDateTime LastShownDate = 0;
    int WeekRows = 6;
    int DaysInMonth = 0;
    int DaysInPrevMonth = 0;
    // The index, in the loaded container's dates, of FirstShownDate.
    int FirstIndexOffset = 0;
    // 7 Sunday; any other value Monday.
    int FirstDayOfWeek = 7;

    // A date of 0 resets.
    void ComputeMonthLayout(TDateTime date);
    void Reset() { ComputeMonthLayout(0); }
    bool IsInShownMonth(TDateTime date) const;
    void SetFirstDayOfWeek(int value);
    // Days before the month's first day in its first week row.
    int Lead() const;
};

class TTavorinMonthGrid;

// The lines of one day cell: line 0 is the day number, lines from 1 the bookings across all resources.
class TMonthGridCellInfo {
public:
    explicit TMonthGridCellInfo(TTavorinMonthGrid* grid = nullptr) : Grid(grid) { Clear(); }

    TTavorinMonthGrid* Grid;
    // A booking found no free line.
    bool Overflow = false;

    void Clear();
    void AddMonthCell(TMonthDateBookingCell* cell) { monthCells_.push_back(cell); }
    int MonthCellCount() const { return static_cast<int>(monthCells_.size()); }
    TMonthDateBookingCell* GetMonthCell(int index) const { return monthCells_[static_cast<size_t>(index)]; }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    // Nil beyond the list and for a free line.
    TMonthDateBookingCellRow* GetLine(int index) const;
    // Extends the list with free lines as needed.
    void SetLine(int index, TMonthDateBookingCellRow* row);

private:
    std::vector<TMonthDateBookingCell*> monthCells_;
    std::vector<TMonthDateBookingCellRow*> lines_;
};

using TMonthMoreButtonClickEvent = std::function<void(QObject* Sender, int Col, int Row)>;

class TMonthGrid : public TCustomGrid {
public:
    explicit TMonthGrid(QWidget* parent = nullptr);

    bool AutoColumnSize = true;
    bool AutoRowHeight = true;
    int HeaderRowHeight;
    int FirstLineHeight = 16;
    int LineHeight = 16;
    TMonthGridInfo Info;
    int ClickedCol = 0;
    int ClickedRow = 0;
    int ClickedLine = 0;
    int LineSpacing = 0;
    int Margin = 0;
    bool Use24Hour = false;
    QString TimeFormat = QStringLiteral("h:mm am/pm");
    bool ShowRollover = false;
    TColor RolloverColor = clInfoBk;
    TColor TextColor = clBlack;
    TColor BookingColor = 0xFFFF00;
    TColor ReminderColor = 0xFFFF00;
    TGridRect PreviousSelection;
    TGridRect LastSelection;
    int FirstDayOfWeek = 7;

    TDrawCellEvent OnDrawCell;
    TNotifyEvent OnCellClick;
    TMonthMoreButtonClickEvent OnMoreButtonClick;

    void ShowMonth(TDateTime date);
    void ClearMonth();
    QString GetCellText(int col, int row) const { return texts_.Get(col, row); }
    bool IsOtherMonthCell(int col, int row) const { return otherMonth_.Get(col, row); }
    bool GetMoreButton(int col, int row) const { return moreButtons_.Get(col, row); }
    void SetMoreButton(int col, int row, bool value);
    // Square, from line 0 of the cell: 2 pixels right of its left and 2 below its top to 2 above its bottom;
    // where the cell is shown now.
    TRect MoreButtonRect(int col, int row) const;
    void SetLineHeight(int value);
    int LinesPerCell() const;
    void SetFirstDayOfWeek(int value);
    // Day 1 = Monday to 7 = Sunday.
    bool GetDayVisible(int day) const { return dayVisible_.Get(day); }
    void SetDayVisible(int day, bool value);
    int VisibleDayCount() const { return dayVisible_.Count(); }
    void SetUse24Hour(bool value);
    void SetShowRollover(bool value);
    void SetAutoColumnSize(bool value);
    // The column of weekday 1 = Monday to 7 = Sunday.
    int ColumnOfDay(int day) const;
    // Line n of a day cell as shown: Margin inside left and right.
    TRect LineRect(int col, int row, int line) const;
    // The cell and line under a client point.
    void CellAndLineAt(int x, int y, int& col, int& row, int& line) const;

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    void Click() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;
    // The hint of the cell and line under the point; empty for none.
    virtual QString CellLineHint(int col, int row, int line) const;
    // Line 0's day number, right-aligned half a font size inside the line's right edge.
    void DrawDayNumber(int col, int row, const TRect& line);

private:
    void SetWeekdayNames();
    void UpdateScrollBarStyle();

    grids::CellArray<QString> texts_;
    grids::CellArray<bool> otherMonth_;
    grids::CellArray<bool> moreButtons_;
    grids::VisibleWeekdays dayVisible_;
};

class TTavorinMonthGrid : public TMonthGrid {
public:
    explicit TTavorinMonthGrid(QWidget* parent = nullptr);

    // Every booking gets a line and no more-button is made (the month printout).
    bool PrintMode = false;
    bool BoldClient = false;
    bool ShowStartTime = false;
    bool ShowDescription = false;

    void LoadMonthBookings(TResourceDateBookings& bookings);
    TDateTime GetSelectedDate() const;
    void SelectDate(TDateTime date);
    // Nil for row 0 and outside the day cells.
    TMonthGridCellInfo* GetCellInfo(int col, int row) const;

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    QString CellLineHint(int col, int row, int line) const override;

private:
    // The booking row on the clicked line, nil when no line is clicked.
    const TMonthDateBookingCellRow* ClickedBooking() const;
    void DrawBookingLine(int col, int row, int line, const TMonthDateBookingCellRow& booking,
                         const TMonthGridCellInfo& info, const TMonthDateBookingCellRow* clicked);
    void DrawBar(int col, int row, int line, const TMonthDateBookingCellRow& booking, TColor barColor,
                 TColor textColor);
    // The bar's piece in a cell of its week row (unclipped), empty when the booking is not on that cell's day.
    TRect BarPiece(int col, int row, int line, const TMonthDateBookingCellRow& booking);
    QString BookingText(const TMonthDateBookingCellRow& booking) const;

    std::vector<std::unique_ptr<TMonthGridCellInfo>> infos_;
};
