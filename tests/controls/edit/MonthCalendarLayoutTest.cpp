// The calendar's geometry: which date each cell shows for either first day of the week, what a point hits,
// several months side by side, and room for every text at each test font.
#include "controls/edit/MonthCalendarLayout.h"
#include "platform/rtl/FormatSettings.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFontMetrics>

namespace {

using controls::CalendarHit;
using controls::MonthCalendarLayout;

constexpr int kMonday = 0;
constexpr int kSunday = 6;

controls::CalendarShape ShapeFrom(int firstDay, bool weekNumbers = false) {
    return {firstDay, weekNumbers, QStringLiteral("Today: 2/20/2026")};
}

MonthCalendarLayout OneMonth(int firstDay, controls::YearMonth month, bool weekNumbers = false) {
    const MonthCalendarLayout probe(QApplication::font(), ShapeFrom(firstDay, weekNumbers), {}, month);
    return MonthCalendarLayout(QApplication::font(), ShapeFrom(firstDay, weekNumbers), probe.MinimumSize(), month);
}

TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

struct FirstDayCase {
    int firstDay;
    int firstColumnWeekday;  // 0 = Monday
    TDateTime firstCell;
    int columnOfThe1st;
};

class MonthCalendarLayoutFirstDay : public ::testing::TestWithParam<FirstDayCase> {};

// April 2026 begins on a Wednesday.
TEST_P(MonthCalendarLayoutFirstDay, AprilStartsInTheColumnOfItsWeekday) {
    const FirstDayCase c = GetParam();
    const MonthCalendarLayout layout = OneMonth(c.firstDay, {2026, 4});
    EXPECT_EQ(layout.DayOfColumn(0), c.firstColumnWeekday);
    EXPECT_EQ(layout.CellDate(0, 0, 0), c.firstCell);
    EXPECT_EQ(layout.CellDate(0, 0, c.columnOfThe1st), EncodeDate(2026, 4, 1));
    EXPECT_EQ(layout.FirstShownDate(), c.firstCell);
    EXPECT_EQ(layout.LastShownDate(), c.firstCell + 41);
    // A one-month calendar shows the greyed days on both sides.
    EXPECT_TRUE(layout.CellShown(0, 0, 0));
    EXPECT_TRUE(layout.CellShown(0, MonthCalendarLayout::kWeeks - 1, 6));
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(DayOfTheWeek(layout.CellDate(0, 2, column)), layout.DayOfColumn(column) + 1);
}

INSTANTIATE_TEST_SUITE_P(Weeks, MonthCalendarLayoutFirstDay,
                         ::testing::Values(FirstDayCase{kSunday, 6, EncodeDate(2026, 3, 29), 3},
                                           FirstDayCase{kMonday, 0, EncodeDate(2026, 3, 30), 2}));

TEST(MonthCalendarLayout, EveryShownDayIsHitAtItsOwnCellWithItsKind) {
    const MonthCalendarLayout layout = OneMonth(kSunday, {2026, 4});
    for (TDateTime date = layout.FirstShownDate(); date <= layout.LastShownDate(); date += 1) {
        const controls::CalendarHitInfo hit = layout.HitTest(Centre(layout.DayRect(date)));
        EXPECT_EQ(hit.Date, date);
        const CalendarHit kind = MonthOf(date) == 3   ? CalendarHit::PrevMonthDate
                                 : MonthOf(date) == 4 ? CalendarHit::Date
                                                      : CalendarHit::NextMonthDate;
        EXPECT_EQ(hit.Hit, kind) << DayOf(date) << "/" << MonthOf(date);
    }
}

TEST(MonthCalendarLayout, TitleHeaderTodayLineAndOutsideAreTheirOwnHits) {
    const MonthCalendarLayout layout = OneMonth(kSunday, {2026, 4}, true);
    const struct {
        TRect rect;
        CalendarHit hit;
    } cases[] = {
        {layout.PrevArrowRect(), CalendarHit::PrevArrow},    {layout.NextArrowRect(), CalendarHit::NextArrow},
        {layout.TitleMonthRect(0), CalendarHit::TitleMonth}, {layout.TitleYearRect(0), CalendarHit::TitleYear},
        {layout.DayHeaderRect(0), CalendarHit::DayHeader},   {layout.WeekNumberRect(0, 3), CalendarHit::WeekNumber},
        {layout.TodayLineRect(), CalendarHit::TodayLine}};
    for (const auto& c : cases) EXPECT_EQ(layout.HitTest(Centre(c.rect)).Hit, c.hit) << int(c.hit);
    const TRect title = layout.TitleRect(0);
    EXPECT_EQ(layout.HitTest({title.Left + title.Width() / 2, title.Top + 1}).Hit, CalendarHit::TitleBackground);
    EXPECT_EQ(layout.HitTest(Centre(layout.TitleYearRect(0))).Date, EncodeDate(2026, 4, 1));
    EXPECT_EQ(layout.HitTest({-1, 5}).Hit, CalendarHit::Nowhere);
    EXPECT_EQ(layout.TitleMonthText(0), QStringLiteral("April"));
    EXPECT_EQ(layout.TitleYearText(0), QStringLiteral("2026"));
    // 1 April 2026 lies in ISO week 14.
    EXPECT_EQ(layout.WeekNumber(0, 0), 14);
}

TEST(MonthCalendarLayout, MonthsSideBySideGreyOnlyTheOuterNeighbourDaysAndShareTheArrows) {
    const MonthCalendarLayout one = OneMonth(kSunday, {2026, 4});
    const QSize twoWide(one.MinimumSize().width() * 2 + 10, one.MinimumSize().height());
    const MonthCalendarLayout layout(QApplication::font(), ShapeFrom(kSunday), twoWide, {2026, 4});
    ASSERT_EQ(layout.MonthCount(), 2);
    EXPECT_EQ(layout.Month(1), (controls::YearMonth{2026, 5}));
    // May's grid starts with 26 April, which April already shows.
    EXPECT_FALSE(layout.CellShown(1, 0, 0));
    EXPECT_FALSE(layout.CellShown(0, 5, 6));
    EXPECT_EQ(layout.HitTest(Centre(layout.CellRect(1, 0, 0))).Hit, CalendarHit::Background);
    EXPECT_EQ(layout.FirstShownDate(), EncodeDate(2026, 3, 29));
    EXPECT_EQ(layout.LastShownDate(), EncodeDate(2026, 6, 6));
    EXPECT_EQ(layout.HitTest(Centre(layout.NextArrowRect())).MonthIndex, 1);
    EXPECT_EQ(layout.DayRect(EncodeDate(2026, 4, 30)), layout.CellRect(0, 4, 4));
    EXPECT_EQ(layout.DayRect(EncodeDate(2026, 5, 1)), layout.CellRect(1, 0, 5));
    EXPECT_EQ(layout.DayRect(EncodeDate(2026, 6, 7)), TRect{});
}

TEST(MonthCalendarLayout, TheLastMonthShowsNoDaysBeyondTheYear9999) {
    const MonthCalendarLayout layout = OneMonth(kSunday, {9999, 12});
    EXPECT_EQ(layout.LastShownDate(), EncodeDate(9999, 12, 31));
    EXPECT_FALSE(layout.CellShown(0, 5, 6));
}

// Every text the calendar paints fits its place at the minimum size.
TEST(MonthCalendarLayout, EveryTextFitsAtTheMinimumSizeAtEachTestFont) {
    testing_env::AtEachTestFont([] {
        for (int firstDay : {kMonday, kSunday}) {
            const MonthCalendarLayout layout = OneMonth(firstDay, {2026, 9}, true);
            QFont bold = QApplication::font();
            bold.setBold(true);
            const QFontMetrics metrics(QApplication::font());
            const QFontMetrics title(bold);
            const TRect cell = layout.CellRect(0, 0, 0);
            for (const QString& name : FormatSettings.ShortDayNames)
                EXPECT_LE(metrics.horizontalAdvance(name), cell.Width()) << name.toStdString();
            EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("30")), cell.Width());
            EXPECT_LE(metrics.height(), cell.Height());
            EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("53")), layout.WeekNumberRect(0, 0).Width());
            for (const QString& month : FormatSettings.LongMonthNames) {
                const int text = title.horizontalAdvance(month + QStringLiteral(" 2026"));
                EXPECT_LE(text, layout.NextArrowRect().Left - layout.PrevArrowRect().Right) << month.toStdString();
            }
            EXPECT_GE(layout.TitleMonthRect(0).Left, layout.PrevArrowRect().Right);
            EXPECT_LE(layout.TitleYearRect(0).Right, layout.NextArrowRect().Left);
            const TRect today = layout.TodayLineRect();
            EXPECT_LE(cell.Width() + 4 + title.horizontalAdvance(QStringLiteral("Today: 2/20/2026")), today.Width());
            EXPECT_LE(title.height(), today.Height());
            const QSize size = layout.MinimumSize();
            for (const TRect& r : {layout.MonthRect(0), today, layout.CellRect(0, 5, 6)}) {
                EXPECT_GE(r.Left, 0);
                EXPECT_LE(r.Right, size.width());
                EXPECT_LE(r.Bottom, size.height());
            }
        }
    });
}

}  // namespace
