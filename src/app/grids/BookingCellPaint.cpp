// The booking cell painters. F, the grid font's size in points, serves as a pixel measure throughout.
#include "app/grids/BookingCellPaint.h"

#include "platform/ui/CustomGrid.h"

#include <algorithm>
#include <cmath>
#include <vector>

using grids::DayFraction;
using grids::kYellow;
using grids::SetBold;

namespace {

constexpr TColor kRed = 0x000000FF;
constexpr TColor kGrey = 0x808080;

// Keeps the canvas font of the caller: the painters write with the grid's font and restore it at the end.
class FontScope {
public:
    FontScope(TCanvas& canvas, const TFont& font) : canvas_(canvas) {
        saved_.Assign(canvas.Font());
        canvas.Font().Assign(font);
    }
    ~FontScope() { canvas_.Font().Assign(saved_); }

private:
    TCanvas& canvas_;
    TFont saved_;
};

void Line(TCanvas& canvas, std::initializer_list<TPoint> points) {
    auto it = points.begin();
    canvas.MoveTo(it->X, it->Y);
    for (++it; it != points.end(); ++it) canvas.LineTo(it->X, it->Y);
}

// The timeline marks of a time-slot cell.
class Timeline {
public:
    Timeline(TCanvas& canvas, const TRect& cell, int f, bool selected, TColor bookingColor)
        : canvas_(canvas),
          cell_(cell),
          x_(cell.Left + f / 2),
          k_(f / 4),
          f_(f),
          selected_(selected),
          bookingColor_(bookingColor) {}

    int H() const { return cell_.Height(); }
    int T() const { return cell_.Top; }
    int B() const { return cell_.Bottom; }
    int M() const { return cell_.Top + H() / 2; }

    void Through() { Line(canvas_, {{x_, T()}, {x_, B()}}); }
    void Start(int y) { Line(canvas_, {{x_ + k_, y}, {x_, y}, {x_, B()}}); }
    void End(int y, int tick) { Line(canvas_, {{x_, T()}, {x_, y}, {x_ + tick, y}}); }
    void End(int y) { End(y, k_ + 1); }
    void Bracket(int y1, int y2) { Line(canvas_, {{x_ + k_, y1}, {x_, y1}, {x_, y2}, {x_ + k_ + 1, y2}}); }
    void Marker(int y1, int y2) {
        const TColor fill = canvas_.Brush().Color;
        canvas_.Brush().Color = selected_ ? bookingColor_ : clHighlight;
        canvas_.FillRect({x_, y1, x_ + k_ + 1, y2});
        canvas_.Brush().Color = fill;
    }
    // The marker for several bookings, then "<more>".
    void MarkerAndMore() {
        Marker(M() - H() / 6, B() - H() / 2 + H() / 6);
        canvas_.Brush().Style = bsClear;
        canvas_.TextRect(cell_, cell_.Left + f_, T(), QStringLiteral("<more>"));
        canvas_.Brush().Style = bsSolid;
    }
    void Red() {
        canvas_.Brush().Color = kRed;
        canvas_.FillRect({x_, M(), x_ + k_ + 1, M() + 3});
    }

    void Draw(data::CellState state) {
        const int h = H();
        switch (state) {
            case data::kStartsAndEnds: Bracket(T() + h / 3, B() - (h / 3 + 1)); break;
            case data::kContinues:
            case data::kResumes: Through(); break;
            case data::kSeveralStartAndEnd: MarkerAndMore(); break;
            case data::kStartsAndGoesOn: Start(M()); break;
            case data::kEnds: End(M()); break;
            case data::kEndsWithOneStartingAndEnding:
                End(T() + h / 4);
                Bracket(M(), M() + h / 4);
                break;
            case data::kStartsAndEndsWithOneGoingOn:
                Bracket(M() - h / 4, M());
                Start(B() - h / 4 - 1);
                break;
            case data::kEndsWithOneStartingAndEndingAndOneGoingOn:
                End(T() + h / 4);
                Marker(T() + h / 3, B() - h / 3);
                Start(B() - h / 4);
                break;
            case data::kEndsWithOneGoingOn:
                End(T() + h / 3);
                Start(B() - h / 3);
                break;
            case data::kEndsWithSeveralStartingAndEnding:
                End(T() + h / 4);
                MarkerAndMore();
                break;
            case data::kSeveralStartAndEndWithOneGoingOn:
                Start(B() - h / 4);
                MarkerAndMore();
                break;
            case data::kEndsWithSeveralAndOneGoingOn:
                End(T() + h / 4, k_);
                Start(B() - h / 4);
                MarkerAndMore();
                break;
            case data::kOtherMeeting: Red(); break;
            case data::kNotPlaced: break;
        }
    }

private:
    TCanvas& canvas_;
    TRect cell_;
    int x_;
    int k_;
    int f_;
    bool selected_;
    TColor bookingColor_;
};

bool BeginsHere(data::CellState state) {
    switch (state) {
        case data::kStartsAndEnds:
        case data::kResumes:
        case data::kStartsAndGoesOn:
        case data::kEndsWithOneStartingAndEnding:
        case data::kEndsWithOneStartingAndEndingAndOneGoingOn:
        case data::kEndsWithOneGoingOn: return true;
        default: return false;
    }
}

// The client and its time text of a cell where a booking begins.
void DrawClientAndTime(TCanvas& canvas, const TBookingCell& cell, const TRect& rect, const TRect& area, int f,
                       bool boldClient, TColor fill) {
    const int last = cell.Count() - 1;
    const QString client = cell.Clients[last];
    SetBold(canvas, boldClient);
    const int clientWidth = canvas.TextWidth(client);
    canvas.TextRect(area, rect.Left + f, rect.Top + 1, client);
    const QString time = last < cell.TimeTexts.Count() ? cell.TimeTexts[last] : QString();
    if (time.isEmpty()) return;
    canvas.Font().SetName(QStringLiteral("Arial"));
    canvas.Font().SetSize(std::max(1, f - 1));
    SetBold(canvas, false);
    const int l = rect.Left;
    const int r = rect.Right;
    const int e = l + f + clientWidth;
    const int w = canvas.TextWidth(time);
    if (e + w < r) {
        canvas.TextRect(area, e, rect.Top + 1, time);
        return;
    }
    // Right-aligned over the end of the client, on a patch of the cell's colour.
    const QString shown = l + (r - l) / 2 < r - w ? time : QStringLiteral("***");
    const int shownWidth = canvas.TextWidth(shown);
    const TRect patch{r - shownWidth, rect.Top, r, rect.Bottom};
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = fill;
    canvas.FillRect(patch);
    canvas.Brush().Style = bsClear;
    canvas.TextRect(rect, r - shownWidth, rect.Top + 1, shown);
}

}  // namespace

void grids::SetBold(TCanvas& canvas, bool bold) { canvas.Font().SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{}); }

void DrawBookingCell(TCanvas& Canvas, const TFont& GridFont, const grids::CellPaintOptions& Options, int Col, int Row,
                     const TBookingCell* Cell, bool Selected, const TRect& CellRect) {
    if (Col == 0 || Row == 0) return;
    const FontScope font(Canvas, GridFont);
    const int f = GridFont.Size();
    const bool empty = !Cell || Cell->State == data::kNotPlaced;
    TColor text = Options.TextColor;
    TColor fill = clWindow;
    if (empty) {
        if (Selected) text = clWindow, fill = clHighlight;
    } else if (Selected) {
        fill = clHighlight;
        if (!Cell->AllStaged) text = clWindow;
    } else {
        fill = Cell->AllStaged ? kYellow : Cell->AnyReminder ? Options.ReminderColor : Options.BookingColor;
    }
    Canvas.Font().SetColor(text);
    Canvas.Pen().Color = text;
    Canvas.Brush().Color = fill;
    Canvas.Brush().Style = bsSolid;
    Canvas.FillRect(CellRect);
    if (empty) return;

    Timeline(Canvas, CellRect, f, Selected, Options.BookingColor).Draw(Cell->State);
    Canvas.Brush().Color = fill;

    if (Cell->Overlap || Cell->Clients.Count() == 0) return;
    const TRect area{CellRect.Left + f, CellRect.Top, CellRect.Right - f / 3, CellRect.Bottom};
    Canvas.Brush().Style = bsClear;
    if (BeginsHere(Cell->State)) {
        DrawClientAndTime(Canvas, *Cell, CellRect, area, f, Options.BoldClient, fill);
    } else {
        const int last = Cell->Clients.Count() - 1;
        if (Options.ShowDescription && last < Cell->Descriptions.Count() && !Cell->Descriptions[last].isEmpty())
            Canvas.TextRect(area, CellRect.Left + f, CellRect.Top + 1, Cell->Descriptions[0]);
    }
    Canvas.Brush().Style = bsSolid;
}

namespace {

bool StartsAtCellLeft(data::CellState state) {
    switch (state) {
        case data::kContinues:
        case data::kResumes:
        case data::kEnds:
        case data::kEndsWithOneStartingAndEnding:
        case data::kEndsWithOneStartingAndEndingAndOneGoingOn:
        case data::kEndsWithOneGoingOn:
        case data::kEndsWithSeveralStartingAndEnding:
        case data::kEndsWithSeveralAndOneGoingOn: return true;
        default: return false;
    }
}

// The pixels of a date strip that each booking takes, with the colour of the last booking on each.
std::vector<TColor> Occupancy(const TBookingCell& cell, int w, int h, const grids::CellPaintOptions& options) {
    std::vector<TColor> pixels(static_cast<size_t>(w), clNone);
    for (int i = 0; i < cell.Count(); ++i) {
        const TDateTime start = cell.StartTimes.GetItem(i);
        const TDateTime end = cell.EndTimes.GetItem(i);
        int x0 = StartsAtCellLeft(cell.State) ? 0 : static_cast<int>(std::trunc(DayFraction(start) * w));
        int x1 = std::floor(end) > std::floor(start) ? w : static_cast<int>(std::trunc(DayFraction(end) * w));
        // A short booking still shows: it grows towards the middle of the cell.
        if (x1 - x0 < h) {
            if (x0 > w / 2) x0 = std::max(0, x0 - h);
            else x1 = std::min(x1 + h, w);
        }
        if (x1 >= w) x1 = w - 1;
        const TColor colour = cell.HasReminder.GetItem(i) ? options.ReminderColor : options.BookingColor;
        for (int x = std::max(0, x0); x <= x1; ++x) pixels[static_cast<size_t>(x)] = colour;
    }
    return pixels;
}

// Whether the clicked cell and this one show the same single booking.
bool SameBooking(const TBookingCell* clicked, const TBookingCell& cell) {
    return clicked && clicked->Count() == 1 && cell.Count() == 1 &&
           clicked->BookingIds.GetItem(0) == cell.BookingIds.GetItem(0);
}

// The pixels the n columns before col take with their lines.
int WidthBefore(const TCustomGrid* grid, int col, int n) {
    if (!grid) return 0;
    int width = 0;
    for (int c = col - 1; c >= col - n && c >= 0; --c) width += grid->Horz().Step(c);
    return width;
}

}  // namespace

void DrawDayIntervalCell(TCanvas& Canvas, const TFont& GridFont, const grids::CellPaintOptions& Options, int Col,
                         int Row, const TBookingCell* Cell, bool Selected, const TRect& CellRect) {
    if (Col == 0 || Row == 0) return;
    const FontScope font(Canvas, GridFont);
    const int f = GridFont.Size();
    const int l = CellRect.Left;
    const int t = CellRect.Top;
    const int r = CellRect.Right;
    const int b = CellRect.Bottom;
    const int m = t + CellRect.Height() / 2;
    const int q = CellRect.Height() / 4;
    const int v = (r - l) / 5;
    const int h = f / 2;
    const int w = std::max(0, r - l);
    Canvas.Brush().Style = bsSolid;
    if (!Cell || Cell->State == data::kNotPlaced) {
        if (Selected) {
            Canvas.Brush().Color = clHighlight;
            Canvas.Font().SetColor(clHighlightText);
            Canvas.FillRect(CellRect);
        }
        return;
    }
    const std::vector<TColor> pixels = Occupancy(*Cell, w, h, Options);

    TColor background = clWindow;
    TColor text = Options.TextColor;
    if (Selected || SameBooking(Options.ClickedCell, *Cell)) {
        if (!Cell->AllStaged) background = kGrey, text = clHighlightText;
    }
    Canvas.Font().SetColor(text);
    Canvas.Pen().Color = text;
    Canvas.Brush().Color = background;
    Canvas.FillRect(CellRect);
    for (int x = 0; x < w;) {
        int end = x + 1;
        while (end < w && pixels[static_cast<size_t>(end)] == pixels[static_cast<size_t>(x)]) ++end;
        if (pixels[static_cast<size_t>(x)] != clNone) {
            Canvas.Brush().Color = pixels[static_cast<size_t>(x)];
            Canvas.FillRect({l + x, t, std::min(l + end, r - 1), b});
        }
        x = end;
    }

    if (!Cell->Overlap) {
        TRect area = CellRect;
        int p = l;
        QString name;
        QString description;
        const bool continuation = Cell->State == data::kContinues || Cell->State == data::kEnds;
        if (continuation && Cell->HeadCell) {
            const TBookingCell& head = *Cell->HeadCell;
            const data::CellState hs = head.State;
            const bool headEndsOne =
                hs == data::kStartsAndEndsWithOneGoingOn || hs == data::kEndsWithOneStartingAndEndingAndOneGoingOn ||
                hs == data::kSeveralStartAndEndWithOneGoingOn || hs == data::kEndsWithSeveralAndOneGoingOn;
            const int n = headEndsOne ? Cell->ContinuationIndex - 1 : Cell->ContinuationIndex;
            const int lastClient = head.Clients.Count() - 1;
            if (lastClient >= 0) {
                name = headEndsOne ? head.Clients[lastClient] : head.Clients[0];
                if (lastClient < head.Descriptions.Count()) description = head.Descriptions[lastClient];
            }
            p -= WidthBefore(Options.Grid, Col, n);
        } else if ((Cell->State == data::kEndsWithOneStartingAndEnding || Cell->State == data::kEndsWithOneGoingOn) &&
                   Cell->Clients.Count() == 2) {
            name = Cell->Clients[1];
            description = Cell->Descriptions.Count() > 1 ? Cell->Descriptions[1] : QString();
            area.Left += f;
        } else if (Cell->Clients.Count() > 0) {
            name = Cell->Clients[0];
            description = Cell->Descriptions.Count() > 0 ? Cell->Descriptions[0] : QString();
            area.Left += f;
        }
        area.Right = Cell->IsLastCell ? r - f / 3 : r + 1;
        if (!name.isEmpty()) {
            SetBold(Canvas, Options.BoldClient);
            Canvas.Brush().Style = bsClear;
            const int nameWidth = Canvas.TextWidth(name);
            Canvas.TextRect(area, p + f, t + 1, name);
            if (Options.ShowDescription && !description.trimmed().isEmpty()) {
                SetBold(Canvas, false);
                Canvas.TextRect(area, p + nameWidth + 2 * f, t + 1, QStringLiteral(" - ") + description);
            }
            Canvas.Brush().Style = bsSolid;
        }
    }

    const auto vbar = [&](int x) { Line(Canvas, {{x, t + q}, {x, b - q}}); };
    const auto dash = [&](int x0, int x1) { Line(Canvas, {{x0, m}, {x1, m}}); };
    switch (Cell->State) {
        case data::kResumes: dash(l, l + h); break;
        case data::kEndsWithOneStartingAndEnding:
        case data::kEndsWithOneGoingOn:
        case data::kEndsWithSeveralStartingAndEnding:
            dash(l, l + h);
            vbar(l + h);
            break;
        case data::kStartsAndEndsWithOneGoingOn:
            vbar(l + 2 * v);
            dash(l + 2 * v, l + 3 * v);
            vbar(l + 3 * v);
            vbar(r - v);
            dash(r - v, r);
            break;
        case data::kEndsWithOneStartingAndEndingAndOneGoingOn:
            dash(l, l + v);
            vbar(l + v);
            vbar(l + 2 * v);
            dash(l + 2 * v, l + 3 * v);
            vbar(l + 3 * v);
            vbar(r - v);
            dash(r - v, r);
            break;
        case data::kSeveralStartAndEndWithOneGoingOn:
            vbar(r - v);
            dash(r - v, r);
            break;
        case data::kEndsWithSeveralAndOneGoingOn:
            dash(l, l + v);
            vbar(l + v);
            vbar(r - v);
            dash(r - v, r);
            break;
        case data::kOtherMeeting:
            Canvas.Brush().Color = kRed;
            Canvas.FillRect(CellRect);
            break;
        default: break;
    }
    Canvas.Brush().Style = bsSolid;
}

void DrawEllipsisButtonRect(TCanvas& Canvas, int X, int Y, const TRect& Rect) {
    const TColor brush = Canvas.Brush().Color;
    const TColor pen = Canvas.Pen().Color;
    TRect r{X, Y, X + Rect.Width(), Y + Rect.Height()};
    Canvas.Brush().Color = clBtnFace;
    Canvas.Brush().Style = bsSolid;
    Canvas.Rectangle(r);
    // The flat raised edge: a shadow frame outside, the face inside; the rectangle shrinks by both.
    Canvas.Brush().Color = clBtnShadow;
    Canvas.FrameRect(r);
    r = {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
    Canvas.Pen().Color = clBlack;
    Canvas.Brush().Color = clBlack;
    const int cx = r.Left + (r.Right - r.Left) / 2;
    const int cy = r.Top + (r.Bottom - r.Top) / 2;
    for (int dx : {-3, 0, 3}) Canvas.FillRect({cx + dx, cy, cx + dx + 1, cy + 1});
    Canvas.Brush().Color = brush;
    Canvas.Pen().Color = pen;
}

void DrawEllipsisButton(TCanvas& Canvas, const TRect& Rect) {
    DrawEllipsisButtonRect(Canvas, Rect.Left, Rect.Top, Rect);
}

void DrawEllipsisButtonAt(TCanvas& Canvas, const TRect& Rect, int DX, int DY) {
    DrawEllipsisButtonRect(Canvas, Rect.Left + DX, Rect.Top + DY, Rect);
}
