// The month grid: the shown dates, the calendar cells, the lines of bookings, their painting and hints.
#include "app/grids/MonthGrid.h"

#include "app/grids/BookingCellPaint.h"
#include "data/layout/BookingTimeText.h"
#include "platform/rtl/DateTimeFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

using grids::kYellow;
using grids::SetBold;

namespace {

bool IsMidnight(TDateTime value) { return data::MsOfDay(value) == 0; }

// The first cell of an axis whose end (with its line) lies beyond the position, else the last cell.
int CellAlongOrLast(const ui::GridAxis& axis, int position) {
    for (int i = 0; i < axis.Count(); ++i) {
        if (axis.IsHidden(i) || axis.Start(i) < 0) continue;
        if (axis.Start(i) + axis.Step(i) > position) return i;
    }
    return axis.Count() - 1;
}

QString OneLine(const QString& text) {
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

}  // namespace

int TMonthGridInfo::Lead() const {
    if (MonthStart == 0) return 0;
    return FirstDayOfWeek == 7 ? DayOfWeek(MonthStart) - 1 : DayOfTheWeek(MonthStart) - 1;
}

void TMonthGridInfo::ComputeMonthLayout(TDateTime date) {
    if (date == 0) {
        MonthStart = FirstShownDate = LastShownDate = 0;
        WeekRows = 6;
        DaysInMonth = DaysInPrevMonth = FirstIndexOffset = 0;
        return;
    }
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    DaysInMonth = DaysInAMonth(year, month);
    DaysInPrevMonth = month == 1 ? DaysInAMonth(year - 1, 12) : DaysInAMonth(year, month - 1);
    MonthStart = EncodeDate(year, month, 1);
    const int lead = Lead();
    FirstShownDate = MonthStart - lead;
    WeekRows = (lead + DaysInMonth + 6) / 7;
    LastShownDate = FirstShownDate + WeekRows * 7 - 1;
}

bool TMonthGridInfo::IsInShownMonth(TDateTime date) const {
    if (MonthStart == 0) return false;
    int y1 = 0, m1 = 0, d1 = 0, y2 = 0, m2 = 0, d2 = 0;
    DecodeDate(date, y1, m1, d1);
    DecodeDate(MonthStart, y2, m2, d2);
    return y1 == y2 && m1 == m2;
}

void TMonthGridInfo::SetFirstDayOfWeek(int value) {
    FirstDayOfWeek = value;
    if (MonthStart != 0) ComputeMonthLayout(MonthStart);
}

void TMonthGridCellInfo::Clear() {
    monthCells_.clear();
    lines_.assign(1, nullptr);
    Overflow = false;
}

TMonthDateBookingCellRow* TMonthGridCellInfo::GetLine(int index) const {
    return index >= 0 && index < LineCount() ? lines_[static_cast<size_t>(index)] : nullptr;
}

void TMonthGridCellInfo::SetLine(int index, TMonthDateBookingCellRow* row) {
    if (index < 0) return;
    if (index >= LineCount()) lines_.resize(static_cast<size_t>(index) + 1, nullptr);
    lines_[static_cast<size_t>(index)] = row;
}

TMonthGrid::TMonthGrid(QWidget* parent) : TCustomGrid(parent) {
    HeaderRowHeight = DefaultRowHeight();
    SetColCount(7);
    SetRowCount(7);
    SetFixedCols(0);
    SetFixedRows(0);
    SetDefaultDrawing(false);
    SetScrollBars(ssNone);
    texts_.Resize(7, 7);
    otherMonth_.Resize(7, 7);
    moreButtons_.Resize(7, 7);
    SetWeekdayNames();
}

int TMonthGrid::ColumnOfDay(int day) const { return grids::WeekdayIndex(day, FirstDayOfWeek); }

void TMonthGrid::SetWeekdayNames() {
    static const char* const kNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    for (int day = 1; day <= 7; ++day) texts_.Set(ColumnOfDay(day), 0, QString::fromLatin1(kNames[day - 1]));
}

void TMonthGrid::ClearMonth() {
    for (int col = 0; col < 7; ++col) {
        for (int row = 1; row < 7; ++row) {
            texts_.Set(col, row, QString());
            otherMonth_.Set(col, row, false);
            moreButtons_.Set(col, row, false);
        }
    }
    Info.Reset();
}

void TMonthGrid::ShowMonth(TDateTime date) {
    ClearMonth();
    Info.SetFirstDayOfWeek(FirstDayOfWeek);
    Info.ComputeMonthLayout(date);
    SetRowCount(Info.WeekRows + 1);
    const int lead = Info.Lead();
    for (int k = 0; k < Info.WeekRows * 7; ++k) {
        const int col = k % 7;
        const int row = k / 7 + 1;
        int day = k - lead + 1;
        bool other = false;
        if (day < 1) day += Info.DaysInPrevMonth, other = true;
        else if (day > Info.DaysInMonth) day -= Info.DaysInMonth, other = true;
        texts_.Set(col, row, QString::number(day));
        otherMonth_.Set(col, row, other);
    }
    Resize();
    InvalidateGrid();
}

void TMonthGrid::SetMoreButton(int col, int row, bool value) { moreButtons_.Set(col, row, value); }

TRect TMonthGrid::MoreButtonRect(int col, int row) const {
    const TRect line = LineRect(col, row, 0);
    const int side = std::max(0, line.Height() - 4);
    return {line.Left + 2, line.Top + 2, line.Left + 2 + side, line.Top + 2 + side};
}

void TMonthGrid::SetLineHeight(int value) {
    FirstLineHeight = value;
    LineHeight = value;
    InvalidateGrid();
}

int TMonthGrid::LinesPerCell() const { return LineHeight > 0 ? RowHeights(1) / LineHeight : 0; }

void TMonthGrid::SetFirstDayOfWeek(int value) {
    FirstDayOfWeek = value;
    Info.SetFirstDayOfWeek(value);
    SetWeekdayNames();
    Resize();
    InvalidateGrid();
}

void TMonthGrid::SetDayVisible(int day, bool value) {
    if (dayVisible_.Set(day, value)) Resize();
}

void TMonthGrid::SetUse24Hour(bool value) {
    Use24Hour = value;
    TimeFormat = TimeFormatFor(value);
}

void TMonthGrid::SetShowRollover(bool value) {
    ShowRollover = value;
    SetShowHint(value);
}

void TMonthGrid::SetAutoColumnSize(bool value) {
    AutoColumnSize = value;
    if (value) SetLeftCol(0);
    UpdateScrollBarStyle();
    Resize();
}

void TMonthGrid::UpdateScrollBarStyle() {
    if (AutoColumnSize && AutoRowHeight) SetScrollBars(ssNone);
    else if (AutoColumnSize) SetScrollBars(ssVertical);
    else if (AutoRowHeight) SetScrollBars(ssHorizontal);
    else SetScrollBars(ssBoth);
}

void TMonthGrid::Resize() {
    TCustomGrid::Resize();
    if (!parentWidget()) return;
    const int line = GridLineWidth();
    if (AutoColumnSize) {
        const int visible = VisibleDayCount();
        const int width = visible == 0 ? -1 : ClientWidth() / visible - line;
        for (int day = 1; day <= 7; ++day) SetColWidths(ColumnOfDay(day), dayVisible_.Get(day) ? width : -1);
    }
    if (AutoRowHeight && RowCount() > 1) {
        const int height = (ClientHeight() - line - HeaderRowHeight) / (RowCount() - 1) - line;
        for (int row = 1; row < RowCount(); ++row) SetRowHeights(row, std::max(0, height));
        SetRowHeights(0, HeaderRowHeight);
    }
}

TRect TMonthGrid::LineRect(int col, int row, int line) const {
    const TRect cell = CellRect(col, row);
    const int left = cell.Left + Margin;
    const int right = left + ColWidths(col) - 2 * Margin;
    if (line == 0) return {left, cell.Top, right, cell.Top + FirstLineHeight};
    const int top = cell.Top + FirstLineHeight + (line - 1) * (LineHeight + LineSpacing);
    return {left, top, right, top + LineHeight};
}

void TMonthGrid::CellAndLineAt(int x, int y, int& col, int& row, int& line) const {
    col = CellAlongOrLast(Horz(), x);
    row = CellAlongOrLast(Vert(), y);
    const int offset = y - std::max(0, Vert().Start(row));
    line = offset < FirstLineHeight || LineHeight <= 0 ? 0 : 1 + (offset - FirstLineHeight) / LineHeight;
}

void TMonthGrid::DrawDayNumber(int col, int row, const TRect& line) {
    TCanvas& canvas = Canvas();
    const QString text = texts_.Get(col, row);
    const int x = line.Right - Font().Size() / 2 - canvas.TextWidth(text);
    canvas.Brush().Style = bsClear;
    canvas.TextRect(line, x, line.Top + 1, text);
    canvas.Brush().Style = bsSolid;
}

void TMonthGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    TCanvas& canvas = Canvas();
    canvas.Brush().Style = bsSolid;
    if (row == 0) {
        canvas.Brush().Color = clBtnFace;
        canvas.FillRect(rect);
        canvas.Font().SetColor(clBlack);
        const QString name = texts_.Get(col, 0);
        canvas.Brush().Style = bsClear;
        canvas.TextRect(rect, rect.Left + (rect.Width() - canvas.TextWidth(name)) / 2,
                        rect.Top + (rect.Height() - canvas.TextHeight(name)) / 2, name);
        canvas.Brush().Style = bsSolid;
    } else {
        const bool other = otherMonth_.Get(col, row);
        canvas.Brush().Color = other ? clInfoBk : clWindow;
        canvas.Font().SetColor(other ? clGray : clWindowText);
        canvas.FillRect(rect);
        DrawDayNumber(col, row, LineRect(col, row, 0));
    }
    ui::Fire(OnDrawCell, this, col, row, rect, state);
}

void TMonthGrid::Click() {
    TCustomGrid::Click();
    ui::Fire(OnCellClick, this);
}

void TMonthGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomGrid::MouseDown(button, shift, x, y);
    InvalidateGrid();
    CellAndLineAt(x, y, ClickedCol, ClickedRow, ClickedLine);
    if (!GetMoreButton(ClickedCol, ClickedRow)) return;
    const TRect more = MoreButtonRect(ClickedCol, ClickedRow);
    if (x >= more.Left && x < more.Right && y >= more.Top && y < more.Bottom)
        ui::Fire(OnMoreButtonClick, this, ClickedCol, ClickedRow);
}

void TMonthGrid::MouseMove(TShiftState shift, int x, int y) {
    TCustomGrid::MouseMove(shift, x, y);
    if (shift.Contains(ssLeft)) {
        const TGridRect selection = Selection();
        for (int row = std::max(0, selection.Top - 1); row <= std::min(RowCount() - 1, selection.Bottom + 1); ++row)
            InvalidateRow(row);
    }
    if (!ShowRollover) return;
    const TGridRect selection = Selection();
    QString hint;
    if (selection.Left == selection.Right && selection.Top == selection.Bottom) {
        int col = 0, row = 0, line = 0;
        CellAndLineAt(x, y, col, row, line);
        hint = CellLineHint(col, row, line);
    }
    SetHint(hint);
    ActivateHintAt(x, y);
}

void TMonthGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomGrid::MouseUp(button, shift, x, y);
    PreviousSelection = LastSelection;
    LastSelection = Selection();
}

QString TMonthGrid::CellLineHint(int, int, int) const { return {}; }

TTavorinMonthGrid::TTavorinMonthGrid(QWidget* parent) : TMonthGrid(parent) {
    for (int k = 0; k < 6 * 7; ++k) infos_.push_back(std::make_unique<TMonthGridCellInfo>(this));
}

TMonthGridCellInfo* TTavorinMonthGrid::GetCellInfo(int col, int row) const {
    if (col < 0 || col > 6 || row < 1 || row > 6) return nullptr;
    return infos_[static_cast<size_t>((row - 1) * 7 + col)].get();
}

void TTavorinMonthGrid::LoadMonthBookings(TResourceDateBookings& bookings) {
    for (auto& info : infos_) info->Clear();
    const int maxLines = PrintMode ? std::numeric_limits<int>::max() : LinesPerCell();
    const int dates = bookings.DateCaptions.Count();
    const int firstIdx =
        std::clamp(static_cast<int>(std::trunc(Info.FirstShownDate - bookings.FirstDate)), 0, std::max(0, dates - 1));
    const int lastIdx =
        std::clamp(static_cast<int>(std::trunc(Info.LastShownDate - bookings.FirstDate)), 0, std::max(0, dates - 1));
    Info.FirstIndexOffset = firstIdx;
    const int lastCell = RowCount() * 7 - 8;
    const auto infoAt = [this](int k) { return GetCellInfo(k % 7, k / 7 + 1); };
    for (int r = 0; dates > 0 && r < bookings.ResourceCount; ++r) {
        const TDateListBookings* list = bookings.GetResourceDates(r);
        for (int j = firstIdx; list && j <= lastIdx; ++j) {
            TMonthDateBookingCell* monthCell = list->GetMonthCell(j);
            if (!monthCell) continue;
            TMonthGridCellInfo* own = infoAt(j - firstIdx);
            if (!own) continue;
            own->AddMonthCell(monthCell);
            for (int lane = 0; lane < monthCell->GetRowCount(); ++lane) {
                TMonthDateBookingCellRow* row = monthCell->GetRow(lane);
                if (!row || row->FirstIndex != j) continue;
                const int i = std::max(0, row->FirstIndex - Info.FirstIndexOffset);
                const int n = std::min(row->LastIndex - Info.FirstIndexOffset, lastCell);
                int line = 1;
                for (; line < maxLines; ++line) {
                    bool free = true;
                    for (int k = i; k <= n && free; ++k) free = infoAt(k)->GetLine(line) == nullptr;
                    if (free) break;
                }
                for (int k = i; k <= n; ++k) {
                    if (line < maxLines) infoAt(k)->SetLine(line, row);
                    else infoAt(k)->Overflow = true;
                }
            }
        }
    }
    for (int row = 1; row < RowCount(); ++row)
        for (int col = 0; col < 7; ++col) SetMoreButton(col, row, !PrintMode && GetCellInfo(col, row)->Overflow);
    if (const TMonthGridCellInfo* clicked = GetCellInfo(ClickedCol, ClickedRow)) {
        while (ClickedLine > 0 && !clicked->GetLine(ClickedLine)) --ClickedLine;
    } else {
        ClickedLine = 0;
    }
    InvalidateGrid();
}

TDateTime TTavorinMonthGrid::GetSelectedDate() const {
    const TGridRect selection = Selection();
    return Info.FirstShownDate + (selection.Top - 1) * 7 + selection.Left;
}

void TTavorinMonthGrid::SelectDate(TDateTime date) {
    const int offset = static_cast<int>(std::trunc(date - Info.FirstShownDate));
    if (offset < 0) return;
    const int col = offset % 7;
    const int row = offset / 7 + 1;
    if (row >= RowCount()) return;
    FocusCell(col, row, true);
}

const TMonthDateBookingCellRow* TTavorinMonthGrid::ClickedBooking() const {
    const TMonthGridCellInfo* info = GetCellInfo(ClickedCol, ClickedRow);
    return info && ClickedLine > 0 ? info->GetLine(ClickedLine) : nullptr;
}

QString TTavorinMonthGrid::CellLineHint(int col, int row, int line) const {
    const TMonthGridCellInfo* info = GetCellInfo(col, row);
    if (!info) return {};
    if (line == 0 || (info->Overflow && info->LineCount() == line + 1)) {
        QStringList lines;
        for (int m = 0; m < info->MonthCellCount(); ++m) {
            const TMonthDateBookingCell* cell = info->GetMonthCell(m);
            for (int lane = 0; lane < cell->GetRowCount(); ++lane) {
                const TMonthDateBookingCellRow* b = cell->GetRow(lane);
                if (!b) continue;
                lines << QStringLiteral("%1: [%2] %3 - %4")
                             .arg(lines.size() + 1)
                             .arg(b->ResourceName, b->Client,
                                  FormatBookingSpan(TimeFormat, false, b->BookingStart, b->BookingEnd));
            }
        }
        return lines.join(QLatin1Char('\n'));
    }
    const TMonthDateBookingCellRow* b = info->GetLine(line);
    if (!b) return {};
    QString hint =
        QStringLiteral("[%1] %2\n%3")
            .arg(b->ResourceName, b->Client, FormatBookingSpan(TimeFormat, false, b->BookingStart, b->BookingEnd));
    if (!b->Description.isEmpty()) hint += QLatin1Char('\n') + b->Description;
    return hint;
}

QString TTavorinMonthGrid::BookingText(const TMonthDateBookingCellRow& booking) const {
    if (!ShowDescription || booking.Description.trimmed().isEmpty()) return {};
    return QStringLiteral("  ") + OneLine(booking.Description);
}

void TTavorinMonthGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    TMonthGrid::DrawCell(col, row, rect, state);
    const TMonthGridCellInfo* info = GetCellInfo(col, row);
    if (!info) return;
    TCanvas& canvas = Canvas();
    const TColor brush = canvas.Brush().Color;
    const bool other = IsOtherMonthCell(col, row);
    const TColor background = other ? clInfoBk : clWindow;
    const int p = (row - 1) * 7 + col;
    const TMonthDateBookingCellRow* clicked = ClickedBooking();
    const int perCell = LinesPerCell();
    const int lastLine = PrintMode ? std::max(perCell, info->LineCount()) : perCell;
    const auto moreOn = [&](int line) {
        TRect r = LineRect(col, row, line);
        r.Bottom = std::min(r.Bottom, rect.Bottom);
        canvas.Brush().Color = background;
        canvas.FillRect(r);
        canvas.Font().SetColor(other ? clGray : TextColor);
        canvas.Brush().Style = bsClear;
        canvas.TextRect(r, r.Left, r.Top, QStringLiteral("<more>"));
        canvas.Brush().Style = bsSolid;
    };
    const bool overflowShown = info->Overflow && !PrintMode && perCell > 1;
    for (int line = 0; line < lastLine; ++line) {
        if (line == 0) {
            TRect r = LineRect(col, row, 0);
            const TGridRect selection = Selection();
            const int from = (selection.Top - 1) * 7 + selection.Left;
            const int to = (selection.Bottom - 1) * 7 + selection.Right;
            const bool selected = ClickedRow > 0 && ClickedLine == 0 && p >= from && p <= to;
            canvas.Brush().Color = selected ? clHighlight : background;
            canvas.Font().SetColor(selected ? clHighlightText : other ? clGray : clWindowText);
            if (selected) {
                // Runs to the cell's edges where the selection goes on into the next or previous cell.
                if (p > from) r.Left = rect.Left;
                if (p < to) r.Right = rect.Right + GridLineWidth();
            }
            canvas.FillRect(r);
            DrawDayNumber(col, row, LineRect(col, row, 0));
            if (selected) canvas.DrawFocusRect(r);
            continue;
        }
        if (overflowShown && line == perCell - 1) {
            moreOn(line);
            continue;
        }
        if (const TMonthDateBookingCellRow* booking = info->GetLine(line))
            DrawBookingLine(col, row, line, *booking, *info, clicked);
    }
    if (GetMoreButton(col, row)) DrawEllipsisButton(canvas, MoreButtonRect(col, row));
    canvas.Brush().Color = brush;
}

void TTavorinMonthGrid::DrawBookingLine(int col, int row, int line, const TMonthDateBookingCellRow& booking,
                                        const TMonthGridCellInfo&, const TMonthDateBookingCellRow* clicked) {
    TCanvas& canvas = Canvas();
    const TRect cell = CellRect(col, row);
    TRect r = LineRect(col, row, line);
    r.Bottom = std::min(r.Bottom, cell.Bottom);
    if (r.Bottom <= r.Top) return;
    const bool bar = booking.AllDay || booking.FirstIndex != booking.LastIndex;
    const bool selected = &booking == clicked;
    const TColor background = IsOtherMonthCell(col, row) ? clInfoBk : clWindow;
    const TColor text = selected ? clHighlightText : TextColor;
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = selected && !bar ? clHighlight : background;
    canvas.FillRect(r);
    canvas.Font().SetColor(text);
    if (bar) {
        const TColor barColor = selected              ? clHighlight
                                : booking.Staged      ? kYellow
                                : booking.HasReminder ? ReminderColor
                                                      : BookingColor;
        DrawBar(col, row, line, booking, barColor, text);
        return;
    }
    canvas.Brush().Style = bsClear;
    int x = r.Left;
    if (ShowStartTime) {
        const QString start = FormatDateTime(TimeFormat, booking.BookingStart) + QLatin1Char(' ');
        SetBold(canvas, false);
        canvas.TextRect(r, x, r.Top, start);
        x += canvas.TextWidth(start);
    }
    SetBold(canvas, BoldClient);
    canvas.TextRect(r, x, r.Top, booking.Client);
    x += canvas.TextWidth(booking.Client);
    SetBold(canvas, false);
    if (const QString description = BookingText(booking); !description.isEmpty())
        canvas.TextRect(r, x, r.Top, description);
    canvas.Brush().Style = bsSolid;
    if (selected) canvas.DrawFocusRect(r);
}

TRect TTavorinMonthGrid::BarPiece(int col, int row, int line, const TMonthDateBookingCellRow& booking) {
    const int day = (row - 1) * 7 + col + Info.FirstIndexOffset;
    if (day < booking.FirstIndex || day > booking.LastIndex || Horz().IsHidden(col)) return {};
    TCanvas& canvas = Canvas();
    const TRect cell = CellRect(col, row);
    TRect r = LineRect(col, row, line);
    r.Bottom = std::min(r.Bottom, cell.Bottom);
    const int width = r.Width();
    TRect piece{cell.Left, r.Top, cell.Right + GridLineWidth(), r.Bottom};
    canvas.Font().SetName(QStringLiteral("Arial"));
    canvas.Font().SetSize(6);
    SetBold(canvas, false);
    if (day == booking.FirstIndex && !booking.StartsBefore) {
        piece.Left = r.Left + static_cast<int>(grids::DayFraction(booking.BookingStart) * width);
        // Moved left so that the start time fits.
        if (!IsMidnight(booking.BookingStart)) {
            const int startWidth = canvas.TextWidth(FormatDateTime(TimeFormat, booking.BookingStart));
            piece.Left = std::max(r.Left, std::min(piece.Left, r.Right - startWidth));
        }
    }
    if (day == booking.LastIndex && !booking.EndsAfter) {
        if (IsMidnight(booking.BookingEnd)) {
            piece.Right = r.Right;
        } else {
            const int endWidth = canvas.TextWidth(FormatDateTime(TimeFormat, booking.BookingEnd));
            piece.Right =
                std::min(r.Right, std::max(r.Left + static_cast<int>(grids::DayFraction(booking.BookingEnd) * width),
                                           piece.Left + endWidth));
        }
    }
    canvas.Font().Assign(Font());
    return piece;
}

void TTavorinMonthGrid::DrawBar(int col, int row, int lineIndex, const TMonthDateBookingCellRow& booking,
                                TColor barColor, TColor textColor) {
    TCanvas& canvas = Canvas();
    const TRect piece = BarPiece(col, row, lineIndex, booking);
    if (piece.Width() <= 0) return;
    const int day = (row - 1) * 7 + col + Info.FirstIndexOffset;
    const bool first = day == booking.FirstIndex && !booking.StartsBefore;
    const bool last = day == booking.LastIndex && !booking.EndsAfter;
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = barColor;
    canvas.FillRect(piece);
    canvas.Brush().Color = clBlack;
    canvas.FillRect({piece.Left, piece.Top, piece.Right, piece.Top + 1});
    canvas.FillRect({piece.Left, piece.Bottom - 1, piece.Right, piece.Bottom});
    if (first) canvas.FillRect({piece.Left, piece.Top, piece.Left + 1, piece.Bottom});
    if (last) canvas.FillRect({piece.Right - 1, piece.Top, piece.Right, piece.Bottom});

    // The pieces of this week row, for the client written once over them.
    const int rowFirstDay = (row - 1) * 7 + Info.FirstIndexOffset;
    int partLeft = piece.Left;
    int partRight = piece.Right;
    for (int c = 0; c < 7; ++c) {
        if (rowFirstDay + c < booking.FirstIndex || rowFirstDay + c > booking.LastIndex) continue;
        const TRect other = BarPiece(c, row, lineIndex, booking);
        if (other.Width() <= 0) continue;
        partLeft = std::min(partLeft, other.Left);
        partRight = std::max(partRight, other.Right);
    }
    canvas.Font().SetColor(textColor);
    canvas.Brush().Style = bsClear;
    int textLeft = partLeft + 2;
    int textRight = partRight - 2;
    canvas.Font().SetName(QStringLiteral("Arial"));
    canvas.Font().SetSize(6);
    SetBold(canvas, false);
    const int firstInRow = std::max(booking.FirstIndex, rowFirstDay);
    const int lastInRow = std::min(booking.LastIndex, rowFirstDay + 6);
    if (firstInRow == booking.FirstIndex && !booking.StartsBefore && !IsMidnight(booking.BookingStart)) {
        const QString start = FormatDateTime(TimeFormat, booking.BookingStart);
        if (first) canvas.TextRect(piece, piece.Left + 2, piece.Top + 1, start);
        textLeft += canvas.TextWidth(start) + 2;
    }
    if (lastInRow == booking.LastIndex && !booking.EndsAfter && !IsMidnight(booking.BookingEnd)) {
        const QString end = FormatDateTime(TimeFormat, booking.BookingEnd);
        const int endWidth = canvas.TextWidth(end);
        if (last) canvas.TextRect(piece, piece.Right - 2 - endWidth, piece.Top + 1, end);
        textRight -= endWidth + 2;
    }
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(textColor);
    SetBold(canvas, BoldClient);
    const int clientWidth = canvas.TextWidth(booking.Client);
    SetBold(canvas, false);
    const QString description = BookingText(booking);
    const int total = clientWidth + canvas.TextWidth(description);
    const int x = std::max(textLeft, (partLeft + partRight) / 2 - total / 2);
    // Every piece writes the same text at the same place, clipped to itself: the row shows it once.
    const TRect clip{std::max(piece.Left, textLeft), piece.Top, std::min(piece.Right, std::max(textLeft, textRight)),
                     piece.Bottom};
    if (clip.Width() > 0) {
        SetBold(canvas, BoldClient);
        canvas.TextRect(clip, x, piece.Top, booking.Client);
        SetBold(canvas, false);
        if (!description.isEmpty()) canvas.TextRect(clip, x + clientWidth, piece.Top, description);
    }
    canvas.Brush().Style = bsSolid;
}
