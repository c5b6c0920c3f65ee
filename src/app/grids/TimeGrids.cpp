// The day and week grids: rows of time slots, their labels, column widths, loading and painting.
#include "app/grids/BookingGrid.h"

#include "app/grids/ResourceEditorHook.h"
#include "data/forms/CanvasTextMeasurer.h"
#include "data/layout/BookingTimeText.h"
#include "platform/rtl/DateTimeFormat.h"

#include <cmath>

namespace {

constexpr int kMinutesPerDay = 24 * 60;

const TDateTime kNoon = 0.5;

}  // namespace

TTimeIntervalBookingGrid::TTimeIntervalBookingGrid(QWidget* parent) : TBookingGrid(parent) { FillSlotTimes(); }

QString TTimeIntervalBookingGrid::TimeFormat() const { return TimeFormatFor(Use24Hour); }

void TTimeIntervalBookingGrid::FillSlotTimes() {
    SlotTimes.Clear();
    for (int row = 0; row < RowCount(); ++row) {
        // Row r starts (r - 1) slots after the start time; a full day and beyond is 23:59.
        const int minutes = std::min(std::max(row - 1, 0) * SlotMinutes, kMinutesPerDay - 1);
        SlotTimes.Add(StartTime + minutes / double(kMinutesPerDay));
    }
}

void TTimeIntervalBookingGrid::SetSlotMinutes(int minutes) {
    SlotMinutes = minutes;
    FillSlotTimes();
}

void TTimeIntervalBookingGrid::SetUse24Hour(bool value) {
    Use24Hour = value;
    SizeTimeColumn();
    RefreshLabels();
}

int TTimeIntervalBookingGrid::RowOfTime(TDateTime time) const {
    // Half a second of slack: a time read back from the registry may lie a hair before its slot's start.
    const TDateTime at = grids::DayFraction(time) + 0.5 / (24 * 60 * 60);
    const int last = std::min(SlotTimes.Count(), RowCount()) - 1;
    int row = 1;
    while (row < last && grids::DayFraction(SlotTimes.GetItem(row + 1)) <= at) ++row;
    return row;
}

void TTimeIntervalBookingGrid::SizeChanged(int oldColCount, int oldRowCount) {
    TBookingGrid::SizeChanged(oldColCount, oldRowCount);
    FillSlotTimes();
    RefreshLabels();
}

void TTimeIntervalBookingGrid::TopLeftChanged() {
    TBookingGrid::TopLeftChanged();
    RefreshLabels();
}

void TTimeIntervalBookingGrid::RefreshLabels() {
    const QString format = TimeFormat();
    const int last = std::min(SlotTimes.Count(), RowCount()) - 1;
    for (int row = 1; row <= last; ++row) {
        QString label = FormatDateTime(format, SlotTimes.GetItem(row));
        const bool firstAfterNoon = row > 1 && grids::DayFraction(SlotTimes.GetItem(row)) >= kNoon &&
                                    grids::DayFraction(SlotTimes.GetItem(row - 1)) < kNoon;
        if (!Use24Hour && row != TopRow() && !firstAfterNoon) {
            for (const QString& suffix : {QStringLiteral("am"), QStringLiteral("pm")}) {
                const int at = label.indexOf(suffix);
                if (at >= 0) label.remove(at, suffix.size());
            }
            label = label.trimmed();
        }
        SetText(0, row, label);
    }
    // The labels are all the top row changes: the rest of a scroll moves pixels already painted.
    InvalidateCol(0);
}

void TTimeIntervalBookingGrid::ClearCells() {
    for (int col = 1; col < ColCount(); ++col) {
        for (int row = 1; row < RowCount(); ++row) {
            SetCell(col, row, nullptr);
            SetMoreButton(col, row, false);
        }
    }
}

void TTimeIntervalBookingGrid::SizeTimeColumn() {
    TCanvas& canvas = Canvas();
    const QString widest = Use24Hour ? QStringLiteral("02:00") : QStringLiteral("12:00 am");
    SetColWidths(0, canvas.TextWidth(widest) + 2 * Font().Size());
}

void TTimeIntervalBookingGrid::ResizeColumns() { SizeDataColumns(AutoColumnSize, ColumnSize); }

void TTimeIntervalBookingGrid::Resize() {
    TBookingGrid::Resize();
    if (!parentWidget()) return;
    SizeTimeColumn();
    ResizeColumns();
}

void TTimeIntervalBookingGrid::TakeTimes(const TResourceBookings& bookings) {
    FirstDate = bookings.FirstDate;
    StartTime = bookings.StartTime;
    EndTime = bookings.EndTime;
    SlotMinutes = bookings.SlotMinutes;
    SetRowCount(bookings.SlotTimes.Count() + 1);
    FillSlotTimes();
    RefreshLabels();
}

void TTimeIntervalBookingGrid::LayDay(TDayBookings& day, int col) {
    data::CanvasTextMeasurer measurer(Canvas());
    day.WrapCellTexts(measurer, std::max(0, ColWidths(col) - Font().Size()));
    for (int k = 0; k < day.GetCount() && k + 1 < RowCount(); ++k) SetCell(col, k + 1, day.GetCell(k));
}

void TTimeIntervalBookingGrid::SetMoreButtonsOfOverlaps() {
    for (int col = 1; col < ColCount(); ++col)
        for (int row = 1; row < RowCount(); ++row)
            if (const TBookingCell* cell = GetCell(col, row); cell && cell->Overlap) SetMoreButton(col, row, true);
}

grids::CellPaintOptions TTimeIntervalBookingGrid::PaintOptions() const {
    grids::CellPaintOptions options = TBookingGrid::PaintOptions();
    options.BoldClient = BoldClient;
    options.ShowDescription = ShowDescription;
    return options;
}

void TTimeIntervalBookingGrid::DrawColumnHeader(int col, const TRect& rect) { DrawHeaderCell(rect, GetText(col, 0)); }

QString TTimeIntervalBookingGrid::ColumnHeaderHint(int) const { return {}; }

void TTimeIntervalBookingGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (row == 0 && col == 0) {
        DrawHeaderCell(rect, QStringLiteral("Time"));
    } else if (row == 0) {
        DrawColumnHeader(col, rect);
    } else if (col == 0) {
        DrawHeaderCell(rect, GetText(0, row));
    } else {
        FillDataCell(rect);
        const TGridRect selection = Selection();
        const bool selected = col == ClickedCol && row >= selection.Top && row <= selection.Bottom;
        DrawBookingCell(Canvas(), Font(), PaintOptions(), col, row, GetCell(col, row), selected, rect);
    }
    FinishCell(col, row, rect, state);
}

void TTimeIntervalBookingGrid::MouseMove(TShiftState shift, int x, int y) {
    TBookingGrid::MouseMove(shift, x, y);
    if (shift.Contains(ssLeft)) {
        const TGridRect selection = Selection();
        const int from = selection.Top > 1 ? selection.Top - 1 : selection.Top;
        const int to = selection.Bottom < RowCount() - 1 ? selection.Bottom + 1 : selection.Bottom;
        for (int row = from; row <= to; ++row) InvalidateRow(row);
    }
    if (!ShowRollover) return;
    const TGridCoord at = CellAtPoint(x, y);
    QString hint;
    if (at.Y > 0 && at.Y < RowCount() && at.X >= 0 && at.X < ColCount()) {
        if (at.X > 0) {
            if (const TBookingCell* cell = GetCell(at.X, at.Y)) hint = BookingHint(*cell, TimeFormat(), true);
        }
    } else if (at.Y == 0 && at.X > 0) {
        hint = ColumnHeaderHint(at.X);
    }
    ShowRolloverHint(x, y, hint);
}

void TTimeIntervalBookingGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TBookingGrid::MouseUp(button, shift, x, y);
    RememberSelection();
}

TDayGrid::TDayGrid(QWidget* parent) : TTimeIntervalBookingGrid(parent) { SetColCount(2); }

void TDayGrid::LoadDayBookings(TResourceBookings& bookings) {
    ClearCells();
    const int resources = bookings.Resources.GetCount();
    SetColCount(resources + 1);
    for (int i = 0; i < resources; ++i) {
        TResourceItem* item = bookings.Resources.GetItem(i);
        SetText(i + 1, 0, item->ResourceName);
        SetResource(i + 1, 0, item);
    }
    TakeTimes(bookings);
    KeepHeaderCells();
    ClearCells();
    if (bookings.ResourceCount == 0) return;
    ResizeColumns();
    for (int i = 0; i < bookings.ResourceCount; ++i) {
        const TDayListBookings* days = bookings.GetResourceDays(i);
        if (days && days->GetCount() > 0) LayDay(*days->GetDay(0), i + 1);
    }
    SetMoreButtonsOfOverlaps();
    InvalidateGrid();
}

QString TDayGrid::ColumnHeaderHint(int col) const { return ResourceHint(GetResource(col, 0)); }

void TDayGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TTimeIntervalBookingGrid::MouseUp(button, shift, x, y);
    const TGridCoord at = CellAtPoint(x, y);
    if (at.Y != 0 || at.X < 1) return;
    const TResourceItem* item = GetResource(at.X, 0);
    const TRect header = CellRect(at.X, 0);
    // Only well inside the column: a press near an edge may have been meant to size it.
    if (!item || x < header.Left + 6 || x > header.Right - 6) return;
    grids::ShowResourceEditor(item->ResourceId);
}

void TWeekGridInfo::ComputeWeekRange(TDateTime date) {
    const int n = FirstDayOfWeek == 1 ? DayOfTheWeek(date) : DayOfWeek(date);
    FirstDate = std::trunc(date) - n + 1;
    LastDate = FirstDate + 6;
}

void TWeekGridInfo::SetFirstDayOfWeek(int value) {
    FirstDayOfWeek = value;
    if (FirstDate != 0) ComputeWeekRange(FirstDate);
}

TWeekGrid::TWeekGrid(QWidget* parent) : TTimeIntervalBookingGrid(parent) {
    DayColumnWidth = DefaultColWidth();
    SetColCount(8);
    SetDayNames();
}

int TWeekGrid::ColumnOfDay(int day) const { return grids::WeekdayIndex(day, FirstDayOfWeek) + 1; }

void TWeekGrid::SetDayNames() {
    static const char* const kNames[] = {"Mon", "Tue", "Wed", "Thr", "Fri", "Sat", "Sun"};
    for (int day = 1; day <= 7; ++day) SetText(ColumnOfDay(day), 0, QString::fromLatin1(kNames[day - 1]));
}

void TWeekGrid::SetDate(TDateTime date) {
    ClearTexts();
    WeekInfo.ComputeWeekRange(date);
    FirstDate = WeekInfo.FirstDate;
    InvalidateGrid();
}

void TWeekGrid::LoadWeekBookings(TResourceBookings& bookings, int resourceIndex) {
    ClearCells();
    ResourceIndex = resourceIndex;
    const bool inside = resourceIndex >= 0 && resourceIndex < bookings.Resources.GetCount();
    Resource = inside ? bookings.Resources.GetItem(resourceIndex) : nullptr;
    TakeTimes(bookings);
    KeepHeaderCells();
    ClearCells();
    if (bookings.ResourceCount == 0 || !inside || resourceIndex >= bookings.ResourceCount) return;
    const TDayListBookings* days = bookings.GetResourceDays(resourceIndex);
    for (int i = 0; days && i < 7 && i < days->GetCount(); ++i) LayDay(*days->GetDay(i), i + 1);
    SetMoreButtonsOfOverlaps();
    InvalidateGrid();
}

TDateTime TWeekGrid::GetSelectedDate() const { return WeekInfo.FirstDate + Selection().Left - 1; }

void TWeekGrid::SelectDate(TDateTime date) {
    if (WeekInfo.FirstDate == 0) return;
    TGridRect selection = Selection();
    const int col = static_cast<int>(std::trunc(date - WeekInfo.FirstDate)) % 7 + 1;
    selection.Left = col;
    selection.Right = col;
    SetSelection(selection);
}

void TWeekGrid::SetFirstDayOfWeek(int value) {
    FirstDayOfWeek = value;
    WeekInfo.FirstDayOfWeek = value;
    SetDayNames();
    LayOutDayColumns();
}

void TWeekGrid::SetDayVisible(int day, bool value) {
    if (dayVisible_.Set(day, value)) LayOutDayColumns();
}

void TWeekGrid::LayOutDayColumns() {
    if (!parentWidget()) return;
    const int line = GridLineWidth();
    if (!AutoColumnSize) DayColumnWidth = ColumnSize;
    else if (VisibleDayCount() == 0) DayColumnWidth = -1;
    else DayColumnWidth = (ClientWidth() - ColWidths(0) - 2 * line) / VisibleDayCount();
    for (int day = 1; day <= 7; ++day)
        SetColWidths(ColumnOfDay(day), dayVisible_.Get(day) && DayColumnWidth >= 0 ? DayColumnWidth - line : -1);
}

void TWeekGrid::Resize() {
    TBookingGrid::Resize();
    if (!parentWidget()) return;
    SizeTimeColumn();
    LayOutDayColumns();
}

void TWeekGrid::Refresh() {
    LayOutDayColumns();
    InvalidateGrid();
}

void TWeekGrid::DrawColumnHeader(int col, const TRect& rect) {
    TCanvas& canvas = Canvas();
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = clBtnFace;
    canvas.FillRect(rect);
    canvas.Font().SetColor(clBlack);
    QString text = GetText(col, 0);
    if (WeekInfo.FirstDate != 0)
        text += QStringLiteral(" - ") + FormatDateTime(QStringLiteral("mmm d"), WeekInfo.FirstDate + col - 1);
    const int x = rect.Left + (rect.Width() - canvas.TextWidth(text)) / 2;
    canvas.Brush().Style = bsClear;
    canvas.TextRect(rect, std::max(rect.Left, x), rect.Top + 1, text);
    canvas.Brush().Style = bsSolid;
}
