// The month calendar paints its months from the layout, in its six slot colours.
#include "controls/edit/MonthCalendar.h"

#include "platform/rtl/FormatSettings.h"
#include "platform/ui/Dispatch.h"

#include <QPainter>
#include <QPolygon>

namespace {

// A triangle pointing left or right, centred in the arrow's square.
void DrawArrow(QPainter& painter, const QRect& box, bool right, const QColor& color) {
    const int half = box.height() / 4;
    const QPoint centre = box.center();
    const int tip = right ? half / 2 : -half / 2;
    const QPolygon triangle({QPoint(centre.x() + tip, centre.y()), QPoint(centre.x() - tip, centre.y() - half),
                             QPoint(centre.x() - tip, centre.y() + half)});
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPolygon(triangle);
    painter.setBrush(Qt::NoBrush);
}

}  // namespace

void TwwMonthCalendar::paintEvent(QPaintEvent*) {
    ui::Dispatch(this, [&] {
        const auto color = [this](controls::CalendarColor slot) { return ui::ToQColor(CalendarColor(slot)); };
        using Slot = controls::CalendarColor;
        QPainter painter(this);
        painter.fillRect(rect(), color(Slot::Background));
        if (borderStyle_ == bsSingle) {
            painter.setPen(ui::ToQColor(clWindowFrame));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
        painter.translate(contentsRect().topLeft());
        const controls::MonthCalendarLayout layout = Layout();
        QFont titleFont = font();
        titleFont.setBold(true);
        const TDateTime today = DateOf(rtl::CurrentClock().Now());
        const controls::YearMonth firstState{YearOf(layout.FirstShownDate()), MonthOf(layout.FirstShownDate())};
        const int stateCount = (YearOf(layout.LastShownDate()) - firstState.Year) * 12 +
                               MonthOf(layout.LastShownDate()) - firstState.Month + 1;
        const std::vector<quint32> bold = DayStates(firstState, stateCount);
        const auto isBold = [&](TDateTime date) {
            const int index = (YearOf(date) - firstState.Year) * 12 + MonthOf(date) - firstState.Month;
            return index >= 0 && size_t(index) < bold.size() && (bold[size_t(index)] >> (DayOf(date) - 1)) & 1u;
        };
        for (int index = 0; index < layout.MonthCount(); ++index) {
            const QRect month = ui::ToQRect(layout.MonthRect(index));
            const QRect title = ui::ToQRect(layout.TitleRect(index));
            painter.fillRect(month.adjusted(0, title.height(), 0, 0), color(Slot::MonthBack));
            painter.fillRect(title, color(Slot::TitleBack));
            painter.setFont(titleFont);
            painter.setPen(color(Slot::TitleText));
            painter.drawText(ui::ToQRect(layout.TitleMonthRect(index)), int(Qt::AlignLeft | Qt::AlignVCenter),
                             layout.TitleMonthText(index));
            painter.drawText(ui::ToQRect(layout.TitleYearRect(index)), int(Qt::AlignLeft | Qt::AlignVCenter),
                             layout.TitleYearText(index));
            if (index == 0) DrawArrow(painter, ui::ToQRect(layout.PrevArrowRect()), false, color(Slot::TitleText));
            if (index == layout.NextArrowMonth())
                DrawArrow(painter, ui::ToQRect(layout.NextArrowRect()), true, color(Slot::TitleText));
            painter.setFont(font());
            painter.setPen(color(Slot::TitleBack));
            const QRect header = ui::ToQRect(layout.DayHeaderRect(index));
            for (int column = 0; column < 7; ++column) {
                const QString name = FormatSettings.ShortDayNames[size_t((layout.DayOfColumn(column) + 1) % 7)];
                painter.drawText(ui::ToQRect(layout.CellRect(index, 0, column)).translated(0, -header.height()),
                                 int(Qt::AlignCenter), name);
            }
            painter.drawLine(header.left(), header.bottom() - 1, header.right(), header.bottom() - 1);
            for (int row = 0; row < controls::MonthCalendarLayout::kWeeks; ++row) {
                if (options_.Contains(mdoWeekNumbers))
                    painter.drawText(ui::ToQRect(layout.WeekNumberRect(index, row)), int(Qt::AlignCenter),
                                     QString::number(layout.WeekNumber(index, row)));
                for (int column = 0; column < 7; ++column) {
                    if (!layout.CellShown(index, row, column)) continue;
                    const TDateTime date = layout.CellDate(index, row, column);
                    const QRect cell = ui::ToQRect(layout.CellRect(index, row, column));
                    const bool own = MonthOf(date) == layout.Month(index).Month;
                    QColor text = color(own ? Slot::Text : Slot::TrailingText);
                    if (IsDaySelected(date)) {
                        painter.fillRect(cell, color(Slot::TitleBack));
                        text = color(Slot::TitleText);
                    }
                    if (date == today && !options_.Contains(mdoNoTodayCircle)) {
                        painter.setPen(ui::ToQColor(clRed));
                        painter.drawRect(cell.adjusted(0, 0, -1, -1));
                    }
                    QFont dayFont = font();
                    dayFont.setBold(isBold(date));
                    painter.setFont(dayFont);
                    painter.setPen(text);
                    painter.drawText(cell, int(Qt::AlignCenter), QString::number(DayOf(date)));
                }
            }
            painter.setFont(font());
        }
        const QRect todayLine = ui::ToQRect(layout.TodayLineRect());
        if (todayLine.isEmpty()) return;
        // The today mark is as wide as a day cell, as around today's date.
        const int markWidth = layout.CellRect(0, 0, 0).Width();
        painter.setPen(ui::ToQColor(clRed));
        painter.drawRect(QRect(todayLine.left() + 2, todayLine.top() + 3, markWidth - 5, todayLine.height() - 7));
        painter.setFont(titleFont);
        painter.setPen(color(Slot::Text));
        painter.drawText(todayLine.adjusted(markWidth + 4, 0, 0, 0), int(Qt::AlignLeft | Qt::AlignVCenter),
                         Shape().TodayText);
    });
}
