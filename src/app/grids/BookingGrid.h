// The booking grids on TCustomGrid: the base with per-cell texts, booking cells, more-buttons and hints; the
// day and week grids of time slots; the multi-day grid of dates.
#pragma once

#include "app/grids/BookingCellPaint.h"
#include "app/grids/CellArray.h"
#include "app/grids/Weekdays.h"
#include "data/bookings/ResourceBookings.h"
#include "data/bookings/ResourceDateBookings.h"
#include "platform/ui/CustomGrid.h"
#include "util/core/DvLists.h"

#include <array>
#include <functional>

using TDrawCellEvent = std::function<void(QObject* Sender, int Col, int Row, const TRect& Rect, TGridDrawState State)>;
using TMoreButtonClickEvent = std::function<void(QObject* Sender, int Col, int Row)>;

class TBookingGrid : public TCustomGrid {
public:
    explicit TBookingGrid(QWidget* parent = nullptr);

    // Row 0 holds the header texts, column 0 the row labels.
    QString GetText(int col, int row) const { return texts_.Get(col, row); }
    void SetText(int col, int row, const QString& text) { texts_.Set(col, row, text); }
    // The booking cell laid in a data cell; nil for an empty slot.
    TBookingCell* GetCell(int col, int row) const { return cells_.Get(col, row); }
    void SetCell(int col, int row, TBookingCell* cell) { cells_.Set(col, row, cell); }
    // The resource of a header cell.
    TResourceItem* GetResource(int col, int row) const { return resources_.Get(col, row); }
    void SetResource(int col, int row, TResourceItem* item) { resources_.Set(col, row, item); }
    bool GetMoreButton(int col, int row) const { return moreButtons_.Get(col, row); }
    void SetMoreButton(int col, int row, bool value) { moreButtons_.Set(col, row, value); }
    // A button 16 pixels wide ending 8 pixels left of the cell's right edge, 2 pixels inside its top and
    // bottom, where the cell is shown now (so it follows the cell when the grid scrolls).
    TRect MoreButtonRect(int col, int row) const;
    // Every text of rows 1 and below becomes empty and every more-button false.
    void ClearTexts();
    // The cell under a client point: a point on a column's right edge belongs to that column, points in the
    // fixed column or row give 0, points beyond the last column or row -1.
    TGridCoord CellAtPoint(int x, int y) const;
    void SetShowRollover(bool value);

    // The cell under the last press (-1 when it lay beyond the last column or row).
    int ClickedCol = 1;
    int ClickedRow = 1;
    TColor TextColor = clBlack;
    TColor ReminderColor = 0xFFFF00;
    TColor BookingColor = 0xFFFF00;
    TGridRect PreviousSelection;
    TGridRect LastSelection;
    bool ShowRollover = false;
    TColor RolloverColor = clInfoBk;
    bool ClickInFixedCols = false;
    bool ClickInFixedRows = false;

    // Raised after a cell has been painted.
    TDrawCellEvent OnDrawCell;
    // Raised when a press falls on a cell's more-button.
    TMoreButtonClickEvent OnMoreButtonClick;

protected:
    void SizeChanged(int oldColCount, int oldRowCount) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // The grid's colours and options as the cell painters read them.
    virtual grids::CellPaintOptions PaintOptions() const;
    // Header cells: the button face, black text one font size in from the left and one pixel below the top.
    void DrawHeaderCell(const TRect& rect, const QString& text);
    // The more-button, OnDrawCell and the focus rectangle that end every cell's painting.
    void FinishCell(int col, int row, const TRect& rect, TGridDrawState state);
    // Empties the hint and shows it at the point after the caller filled it; sets nothing while ShowRollover is off.
    void ShowRolloverHint(int x, int y, const QString& text);
    // The hint of a booking cell: one booking as client and span, several one per line.
    static QString BookingHint(const TBookingCell& cell, const QString& timeFormat, bool compact);
    // Every column after the first: an equal share of the width left (autoSize) or columnSize, lines included.
    void SizeDataColumns(bool autoSize, int columnSize);
    // A data cell's ground: the window colour, window-text font.
    void FillDataCell(const TRect& rect);
    // The header column and row become fixed again once there is room for them: a grid of no resources
    // has only the header, and the class library lets no grid be all fixed.
    void KeepHeaderCells();
    // Keeps the selection before and after a release.
    void RememberSelection();
    // A resource's name and, on a second line, its description when it has one.
    static QString ResourceHint(const TResourceItem* item);

private:
    grids::CellArray<QString> texts_;
    grids::CellArray<TBookingCell*> cells_;
    grids::CellArray<TResourceItem*> resources_;
    grids::CellArray<bool> moreButtons_;
};

// Rows of time slots under a header row, with the row labels in column 0.
class TTimeIntervalBookingGrid : public TBookingGrid {
public:
    explicit TTimeIntervalBookingGrid(QWidget* parent = nullptr);

    bool AutoColumnSize = false;
    int ColumnSize = 64;
    TDateTime FirstDate = 0;
    TDateTime StartTime = 0;
    TDateTime EndTime = 0;
    // Kept for the owner, which scrolls the grid so that this time shows first.
    TDateTime InitialTime = 0;
    // The start time of each row, from row 1 (entry 0 is not used).
    TDvDateTimeList SlotTimes;
    int SlotMinutes = 15;
    bool Use24Hour = false;
    bool BoldClient = true;
    bool ShowDescription = false;

    void SetSlotMinutes(int minutes);
    void SetUse24Hour(bool value);
    // The row whose slot holds the time of day: row 1 for a time before StartTime, the last row for one at
    // or after the last slot (the owner scrolls InitialTime's row to the top).
    int RowOfTime(TDateTime time) const;
    // Every data cell's booking cell becomes nil and its more-button false.
    void ClearCells();
    void ResizeColumns();
    // Fills the row labels: in 12-hour mode only the top visible row and the first row at or after noon keep
    // their "am" or "pm".
    void RefreshLabels();

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;
    void TopLeftChanged() override;
    void SizeChanged(int oldColCount, int oldRowCount) override;
    grids::CellPaintOptions PaintOptions() const override;

    // The header cell of a data column.
    virtual void DrawColumnHeader(int col, const TRect& rect);
    // The hint over a header cell of a data column (empty: none).
    virtual QString ColumnHeaderHint(int col) const;
    void SizeTimeColumn();
    // Takes the container's times and slots and sizes the rows to them.
    void TakeTimes(const TResourceBookings& bookings);
    // Wraps the day's descriptions to the column and lays its slots into the column.
    void LayDay(TDayBookings& day, int col);
    void SetMoreButtonsOfOverlaps();
    QString TimeFormat() const;

private:
    void FillSlotTimes();
};

// One column per resource for one date.
class TDayGrid : public TTimeIntervalBookingGrid {
public:
    explicit TDayGrid(QWidget* parent = nullptr);
    void LoadDayBookings(TResourceBookings& bookings);

protected:
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    QString ColumnHeaderHint(int col) const override;
};

// The week that holds a date.
class TWeekGridInfo {
public:
    // 1 Monday; any other value Sunday.
    int FirstDayOfWeek = 7;
    TDateTime FirstDate = 0;
    TDateTime LastDate = 0;
    std::array<bool, 8> DayVisible{true, true, true, true, true, true, true, true};

    void ComputeWeekRange(TDateTime date);
    // Stores the value and computes the range again from the stored first date.
    void SetFirstDayOfWeek(int value);
};

// One column per weekday for one resource.
class TWeekGrid : public TTimeIntervalBookingGrid {
public:
    explicit TWeekGrid(QWidget* parent = nullptr);

    TWeekGridInfo WeekInfo;
    int ResourceIndex = 0;
    TResourceItem* Resource = nullptr;
    int FirstDayOfWeek = 7;
    int DayColumnWidth = 64;
    // Kept for the owner (it copies the selected date to the calendar); nothing here raises it.
    TNotifyEvent OnDateChange;

    void SetDate(TDateTime date);
    void LoadWeekBookings(TResourceBookings& bookings, int resourceIndex);
    TDateTime GetSelectedDate() const;
    void SelectDate(TDateTime date);
    void SetFirstDayOfWeek(int value);
    // Day 1 = Monday to 7 = Sunday.
    bool GetDayVisible(int day) const { return dayVisible_.Get(day); }
    void SetDayVisible(int day, bool value);
    int VisibleDayCount() const { return dayVisible_.Count(); }
    // The column of weekday 1 = Monday to 7 = Sunday.
    int ColumnOfDay(int day) const;
    // Repaints and lays the day columns out again.
    void Refresh();

protected:
    void Resize() override;
    void DrawColumnHeader(int col, const TRect& rect) override;

private:
    void SetDayNames();
    void LayOutDayColumns();
    grids::VisibleWeekdays dayVisible_;
};

// Dates across, resources down; each cell a strip of the day's hours.
class TDayIntervalBookingGrid : public TBookingGrid {
public:
    explicit TDayIntervalBookingGrid(QWidget* parent = nullptr);

    bool AutoColumnSize = false;
    int ColumnSize = 64;
    bool Use24Hour = false;
    bool BoldClient = true;
    bool ShowDescription = false;
    TDateTime FirstDate = 0;
    // The window's extent around the calendar date, kept for the owner.
    int DaysBefore = 0;
    int DaysAfter = 0;

    void ResizeColumns();

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;
    grids::CellPaintOptions PaintOptions() const override;
    // The hint over a resource name (empty: none).
    virtual QString RowHeaderHint(int row) const;
};

class TMultiDayGrid : public TDayIntervalBookingGrid {
public:
    explicit TMultiDayGrid(QWidget* parent = nullptr);
    void LoadMultiDayBookings(TResourceDateBookings& bookings);

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    QString RowHeaderHint(int row) const override;
};
