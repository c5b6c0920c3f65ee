// The month calendar control: clicks at the computed cells, keys within the bounds, the title's arrows
// and menus, bound errors, colours, bold days and the notices it fires.
#include "controls/edit/MonthCalendar.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Form.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

namespace {

using controls::CalendarMenuView;

QPoint Centre(const TRect& r, const TwwMonthCalendar& calendar) {
    return ui::ToQRect(r).center() + calendar.contentsRect().topLeft();
}

class MonthCalendar : public ::testing::Test {
protected:
    // Friday 20 February 2026, half past ten.
    rtl::ScopedService<rtl::Clock, rtl::FakeClock> clock{
        rtl::ClockSlot(), std::make_shared<rtl::FakeClock>(EncodeDate(2026, 2, 20) + 10.5 / 24)};
    TForm form;
    TwwMonthCalendar* calendar = new TwwMonthCalendar(&form);
    int changes = 0;

    MonthCalendar() {
        calendar->OnChange = [this](QObject*) { ++changes; };
    }

    void Key(Qt::Key key) { QTest::keyClick(calendar, key); }
    void ClickAt(const TRect& r) { QTest::mouseClick(calendar, Qt::LeftButton, {}, Centre(r, *calendar)); }
    void ClickDay(TDateTime date) { ClickAt(calendar->Layout().DayRect(date)); }
};

TEST_F(MonthCalendar, StartsOnTodayWithTheDefaultsAndNeverSmallerThanItsMinimum) {
    EXPECT_EQ(calendar->Date(), EncodeDate(2026, 2, 20) + 10.5 / 24);
    EXPECT_TRUE(calendar->Options() == TwwMonthOptions{mdoDayState});
    EXPECT_EQ(calendar->FirstDayOfWeek(), wwdowLocaleDefault);
    EXPECT_EQ(calendar->PopupYearOptions().StartYear, 1990);
    EXPECT_TRUE(calendar->TabStop());
    EXPECT_EQ(calendar->size(), calendar->MinimumSize());
    calendar->SetBounds(0, 0, 20, 20);
    EXPECT_EQ(calendar->size(), calendar->MinimumSize());
    calendar->SetBorderStyle(bsSingle);
    EXPECT_EQ(calendar->size(), calendar->MinimumSize());
}

TEST_F(MonthCalendar, WithAMaximumKeysAndClicksStopAtIt) {
    calendar->SetMaxDate(EncodeDate(2026, 3, 15));
    Key(Qt::Key_PageDown);
    EXPECT_EQ(calendar->Date(), EncodeDate(2026, 3, 15) + 10.5 / 24);
    EXPECT_EQ(changes, 1);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(calendar->Date(), EncodeDate(2026, 3, 15) + 10.5 / 24);
    EXPECT_EQ(changes, 1);
    Key(Qt::Key_Left);
    ClickDay(EncodeDate(2026, 3, 20));
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 3, 15));
    EXPECT_EQ(changes, 3);
    Key(Qt::Key_End);
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 3, 15));
}

TEST_F(MonthCalendar, WithAMinimumKeysStepBackOnlyAsFarAsIt) {
    calendar->SetMinDate(EncodeDate(2026, 2, 15));
    Key(Qt::Key_Up);
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 20));
    Key(Qt::Key_Home);
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 15));
    Key(Qt::Key_Left);
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 15));
    Key(Qt::Key_PageUp);
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 15));
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 23));
    ClickDay(EncodeDate(2026, 2, 1));
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 15));
    EXPECT_EQ(changes, 4);
}

TEST_F(MonthCalendar, PageUpFromTheEndOfMarchGivesTheEndOfFebruary) {
    for (const auto& [year, lastOfFebruary] : {std::pair{2026, 28}, std::pair{2028, 29}}) {
        calendar->SetDate(EncodeDate(year, 3, 31));
        Key(Qt::Key_PageUp);
        EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(year, 2, lastOfFebruary));
        EXPECT_EQ(calendar->Layout().Month(0), (controls::YearMonth{year, 2}));
    }
}

TEST_F(MonthCalendar, DatesBeyondTheBoundsRaiseAndLeaveTheDate) {
    calendar->SetMaxDate(EncodeDate(2026, 3, 15));
    calendar->SetMinDate(EncodeDate(2026, 2, 1));
    const TDateTime before = calendar->Date();
    // Whole days count: the maximum itself with any time of day is allowed.
    calendar->SetDate(EncodeDate(2026, 3, 15) + 0.9);
    EXPECT_EQ(calendar->Date(), EncodeDate(2026, 3, 15) + 10.5 / 24);
    calendar->SetDate(before);
    const struct {
        TDateTime date;
        const char* message;
    } cases[] = {{EncodeDate(2026, 3, 16), "Date exceeds maximum of 3/15/2026"},
                 {EncodeDate(2026, 1, 31), "Date is less than minimum of 2/1/2026"}};
    for (const auto& c : cases) {
        try {
            calendar->SetDate(c.date);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const EDateTimeError& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.message));
        }
        EXPECT_EQ(calendar->Date(), before);
    }
    EXPECT_THROW(calendar->SetMaxDate(EncodeDate(2026, 1, 1)), EDateTimeError);
    EXPECT_THROW(calendar->SetMinDate(EncodeDate(2026, 4, 1)), EDateTimeError);
    EXPECT_EQ(calendar->MaxDate(), EncodeDate(2026, 3, 15));
    // A calendar date beyond a bound becomes the bound.
    calendar->SetCalendarDate(EncodeDate(2027, 1, 1));
    EXPECT_EQ(calendar->Date(), EncodeDate(2026, 3, 15));
    EXPECT_EQ(changes, 0);
}

TEST_F(MonthCalendar, TheTitleArrowsMoveAMonthWithTheDayLimited) {
    calendar->SetDate(EncodeDate(2026, 1, 31));
    ClickAt(calendar->Layout().NextArrowRect());
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 28));
    EXPECT_EQ(changes, 1);
    ClickAt(calendar->Layout().PrevArrowRect());
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 1, 28));
    calendar->SetMinDate(EncodeDate(2026, 1, 10));
    ClickAt(calendar->Layout().PrevArrowRect());
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 1, 10));
    EXPECT_EQ(changes, 3);
}

TEST_F(MonthCalendar, TheTodayLineSelectsTodayAndATrailingDayShowsItsMonth) {
    calendar->SetDate(EncodeDate(2026, 5, 5));
    ClickAt(calendar->Layout().TodayLineRect());
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 20));
    // February 2026 ends on a Saturday, so the first greyed day is 1 March.
    ClickDay(EncodeDate(2026, 3, 1));
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 3, 1));
    EXPECT_EQ(calendar->Layout().Month(0), (controls::YearMonth{2026, 3}));
    EXPECT_EQ(changes, 2);
}

TEST_F(MonthCalendar, TheYearMenuListsTwentyYearsInTwoColumnsAndMovesToTheChosenYear) {
    ui::ScopedScriptedRunner runner;
    calendar->SetMaxDate(EncodeDate(2005, 6, 30));
    calendar->SetDate(EncodeDate(2004, 3, 10));
    std::vector<QString> captions;
    std::vector<int> lefts;
    std::vector<bool> enabled;
    runner->OnShown<CalendarMenuView>("YearMenu", [&](CalendarMenuView& view) {
        EXPECT_TRUE(calendar->IsPopupMenuShowing());
        for (int i = 0; i < view.ItemCount(); ++i) {
            captions.push_back(view.Item(i).Caption);
            lefts.push_back(view.ItemRect(i).Left);
            enabled.push_back(view.Item(i).Enabled);
        }
        EXPECT_TRUE(view.Item(14).Checked);
        view.Choose(5);
    });
    ClickAt(calendar->Layout().TitleYearRect(0));
    ASSERT_EQ(captions.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(captions[size_t(i)], QString::number(1990 + i));
        // Ten years a column, each column to the right of the one before.
        EXPECT_EQ(lefts[size_t(i)], lefts[size_t(i < 10 ? 0 : 10)]);
        EXPECT_EQ(enabled[size_t(i)], 1990 + i <= 2005);
    }
    EXPECT_GT(lefts[10], lefts[0]);
    EXPECT_FALSE(calendar->IsPopupMenuShowing());
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(1995, 3, 10));
    EXPECT_EQ(calendar->Layout().Month(0), (controls::YearMonth{1995, 3}));
    EXPECT_EQ(changes, 1);
}

TEST_F(MonthCalendar, TheMonthMenuTicksTheShownMonthAndDisablesMonthsBeyondTheBounds) {
    ui::ScopedScriptedRunner runner;
    calendar->SetMaxDate(EncodeDate(2026, 3, 15));
    std::vector<bool> enabled;
    runner->OnShown<CalendarMenuView>("MonthMenu", [&](CalendarMenuView& view) {
        ASSERT_EQ(view.ItemCount(), 12);
        EXPECT_EQ(view.Item(0).Caption, QStringLiteral("January"));
        EXPECT_TRUE(view.Item(1).Checked);
        for (int i = 0; i < 12; ++i) enabled.push_back(view.Item(i).Enabled);
        view.Choose(3);  // disabled: nothing is chosen
        view.Choose(0);
    });
    ClickAt(calendar->Layout().TitleMonthRect(0));
    // 20 March lies beyond the maximum, so March is offered no more than April.
    EXPECT_EQ(enabled,
              (std::vector<bool>{true, true, false, false, false, false, false, false, false, false, false, false}));
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 1, 20));
    EXPECT_EQ(changes, 1);
    // A closed menu changes nothing.
    ClickAt(calendar->Layout().TitleMonthRect(0));
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 1, 20));
    EXPECT_EQ(runner->UnansweredCount(), 1);
}

TEST_F(MonthCalendar, BoldDaysAreAskedForEveryShownMonthWithDayState) {
    calendar->SetFirstDayOfWeek(wwdowMonday);
    int asked = 0;
    calendar->OnCalcBoldDay = [&](QObject*, TDateTime date, int month, int day, int year, bool& accept) {
        ++asked;
        EXPECT_EQ(date, EncodeDate(year, month, day));
        accept = DayOfWeek(date) == 1;
    };
    TDateTime first = 0, last = 0;
    // February 2026 begins on a Sunday: with Monday first the grid starts with 26 January.
    EXPECT_EQ(calendar->GetMonthRange(first, last, true), 1);
    EXPECT_EQ(first, EncodeDate(2026, 1, 26));
    calendar->GetMonthRange(first, last, false);
    EXPECT_EQ(first, EncodeDate(2026, 2, 1));
    EXPECT_EQ(last, EncodeDate(2026, 2, 28));
    const std::vector<quint32> masks = calendar->DayStates({2026, 1}, 3);
    ASSERT_EQ(masks.size(), 3u);
    for (int m = 0; m < 3; ++m)
        for (int day = 1; day <= DaysInAMonth(2026, m + 1); ++day)
            EXPECT_EQ((masks[size_t(m)] >> (day - 1)) & 1u, DayOfWeek(EncodeDate(2026, m + 1, day)) == 1 ? 1u : 0u);
    EXPECT_EQ(asked, 31 + 28 + 31);
    EXPECT_TRUE(calendar->DayStates({2026, 1}, 15).empty());
    calendar->SetOptions({});
    EXPECT_EQ(calendar->DayStates({2026, 1}, 2), (std::vector<quint32>{0, 0}));
    EXPECT_EQ(asked, 31 + 28 + 31);
}

TEST_F(MonthCalendar, ColoursGoToTheirSlotsAndAssignCopiesAllButTheBackground) {
    calendar->CalColors().SetTitleBackColor(clRed);
    EXPECT_EQ(calendar->CalendarColor(controls::CalendarColor::TitleBack), clRed);
    TwwDateTimeColors other;
    other.SetColor(controls::CalendarColor::Background, clYellow);
    other.SetTrailingTextColor(clGreen);
    calendar->SetCalColors(other);
    EXPECT_EQ(calendar->CalendarColor(controls::CalendarColor::TrailingText), clGreen);
    EXPECT_EQ(calendar->CalendarColor(controls::CalendarColor::TitleBack), ColorToRGB(clActiveCaption));
    EXPECT_EQ(calendar->CalendarColor(controls::CalendarColor::Background), ColorToRGB(clWindow));
}

TEST_F(MonthCalendar, EveryTextIsWholeAtEachTestFont) {
    testing_env::AtEachTestFont([this] {
        TForm window;
        window.SetName(QStringLiteral("CalendarWindow"));
        auto* shown = new TwwMonthCalendar(&window);
        shown->SetName(QStringLiteral("Calendar"));
        shown->SetBorderStyle(bsSingle);
        window.SetClientWidth(shown->Width());
        window.SetClientHeight(shown->Height());
        EXPECT_EQ(shown->Layout().MonthCount(), 1);
        EXPECT_GE(shown->Layout().TitleMonthRect(0).Left, shown->Layout().PrevArrowRect().Right);
        testing_env::ExpectTextsWhole(window);
    });
}

class MonthCalendarRange : public MonthCalendar {
protected:
    MonthCalendarRange() { calendar->SetOptions({mdoDayState, mdoMultiSelect}); }

    QPoint DayPoint(TDateTime date) { return Centre(calendar->Layout().DayRect(date), *calendar); }
    // A move with the left button held, as a drag delivers it.
    void DragTo(TDateTime date) {
        QMouseEvent move(QEvent::MouseMove, DayPoint(date), calendar->mapToGlobal(DayPoint(date)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(calendar, &move);
    }
    void ExpectRange(TDateTime start, TDateTime end) {
        EXPECT_EQ(calendar->RangeStart(), start);
        EXPECT_EQ(calendar->RangeEnd(), end);
    }
};

TEST_F(MonthCalendarRange, SettingTheRangeOrItsEndsStoresWholeDaysInOrder) {
    ExpectRange(EncodeDate(2026, 2, 20), EncodeDate(2026, 2, 20));
    EXPECT_EQ(calendar->MaxSelectCount(), 31);
    calendar->SetSelectionRange(EncodeDate(2026, 2, 25) + 0.5, EncodeDate(2026, 2, 22));
    ExpectRange(EncodeDate(2026, 2, 22), EncodeDate(2026, 2, 25));
    calendar->SetRangeEnd(EncodeDate(2026, 2, 27) + 0.25);
    ExpectRange(EncodeDate(2026, 2, 22), EncodeDate(2026, 2, 27));
    // A start after the end: the two are put in order.
    calendar->SetRangeStart(EncodeDate(2026, 2, 28));
    ExpectRange(EncodeDate(2026, 2, 27), EncodeDate(2026, 2, 28));
    EXPECT_TRUE(calendar->IsDaySelected(EncodeDate(2026, 2, 27)));
    EXPECT_FALSE(calendar->IsDaySelected(EncodeDate(2026, 2, 26)));
    // An end beyond a bound raises and leaves the range.
    calendar->SetMaxDate(EncodeDate(2026, 3, 15));
    calendar->SetMinDate(EncodeDate(2026, 2, 10));
    try {
        calendar->SetRangeEnd(EncodeDate(2026, 3, 16));
        ADD_FAILURE() << "no error";
    } catch (const EDateTimeError& e) {
        EXPECT_EQ(e.Message(), "Date exceeds maximum of 3/15/2026");
    }
    EXPECT_THROW(calendar->SetRangeStart(EncodeDate(2026, 2, 9)), EDateTimeError);
    ExpectRange(EncodeDate(2026, 2, 27), EncodeDate(2026, 2, 28));
    // Selecting a date makes it the whole range.
    calendar->SetDate(EncodeDate(2026, 3, 3));
    ExpectRange(EncodeDate(2026, 3, 3), EncodeDate(2026, 3, 3));
    EXPECT_EQ(changes, 0);
}

TEST_F(MonthCalendarRange, ADragSelectsARangeUpToMaxSelectCountAndTellsOfItOnTheRelease) {
    QTest::mousePress(calendar, Qt::LeftButton, {}, DayPoint(EncodeDate(2026, 2, 10)));
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 10));
    EXPECT_EQ(changes, 1);
    DragTo(EncodeDate(2026, 2, 13));
    ExpectRange(EncodeDate(2026, 2, 10), EncodeDate(2026, 2, 13));
    EXPECT_EQ(changes, 1);
    QTest::mouseRelease(calendar, Qt::LeftButton, {}, DayPoint(EncodeDate(2026, 2, 13)));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 10));
    // A drag back before the anchor, no longer than three days.
    calendar->SetMaxSelectCount(3);
    QTest::mousePress(calendar, Qt::LeftButton, {}, DayPoint(EncodeDate(2026, 2, 20)));
    DragTo(EncodeDate(2026, 2, 12));
    QTest::mouseRelease(calendar, Qt::LeftButton, {}, DayPoint(EncodeDate(2026, 2, 12)));
    ExpectRange(EncodeDate(2026, 2, 18), EncodeDate(2026, 2, 20));
    EXPECT_EQ(changes, 4);
    // Shift and a click extend from the selected date; a plain click on it selects it alone again.
    QTest::mouseClick(calendar, Qt::LeftButton, Qt::ShiftModifier, DayPoint(EncodeDate(2026, 2, 21)));
    ExpectRange(EncodeDate(2026, 2, 20), EncodeDate(2026, 2, 21));
    EXPECT_EQ(changes, 5);
    QTest::mouseClick(calendar, Qt::LeftButton, {}, DayPoint(EncodeDate(2026, 2, 20)));
    ExpectRange(EncodeDate(2026, 2, 20), EncodeDate(2026, 2, 20));
    EXPECT_EQ(changes, 6);
    // A drag stops at a bound.
    calendar->SetMaxSelectCount(31);
    calendar->SetMaxDate(EncodeDate(2026, 2, 24));
    QTest::mousePress(calendar, Qt::LeftButton, {}, DayPoint(EncodeDate(2026, 2, 20)));
    DragTo(EncodeDate(2026, 2, 27));
    QTest::mouseRelease(calendar, Qt::LeftButton, {}, DayPoint(EncodeDate(2026, 2, 27)));
    ExpectRange(EncodeDate(2026, 2, 20), EncodeDate(2026, 2, 24));
}

TEST_F(MonthCalendarRange, ShiftWithTheArrowsMovesTheEndAwayFromTheDateAndPagingWaitsForOneDay) {
    QTest::keyClick(calendar, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(calendar, Qt::Key_Right, Qt::ShiftModifier);
    ExpectRange(EncodeDate(2026, 2, 20), EncodeDate(2026, 2, 22));
    QTest::keyClick(calendar, Qt::Key_Left, Qt::ShiftModifier);
    ExpectRange(EncodeDate(2026, 2, 20), EncodeDate(2026, 2, 21));
    EXPECT_EQ(changes, 3);
    // Down seven days from the moving end, then Up back past the date: the date stays one end.
    QTest::keyClick(calendar, Qt::Key_Down, Qt::ShiftModifier);
    ExpectRange(EncodeDate(2026, 2, 20), EncodeDate(2026, 2, 28));
    QTest::keyClick(calendar, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(calendar, Qt::Key_Up, Qt::ShiftModifier);
    ExpectRange(EncodeDate(2026, 2, 14), EncodeDate(2026, 2, 20));
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 20));
    // A range of several days does not page.
    QTest::keyClick(calendar, Qt::Key_PageDown);
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 20));
    ExpectRange(EncodeDate(2026, 2, 14), EncodeDate(2026, 2, 20));
    // A plain arrow moves the date and selects it alone; now paging works.
    QTest::keyClick(calendar, Qt::Key_Right);
    ExpectRange(EncodeDate(2026, 2, 21), EncodeDate(2026, 2, 21));
    QTest::keyClick(calendar, Qt::Key_PageDown);
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 3, 21));
    EXPECT_EQ(changes, 8);
}

// The press that closes a menu goes no further, wherever it falls.
TEST_F(MonthCalendar, ASecondClickOnTheTitleYearOrADayOnlyClosesTheMenu) {
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ui::ScopedScriptedRunner runner;
    const auto pressAt = [this](QPoint calendarPoint) {
        return [this, calendarPoint](CalendarMenuView& view) {
            // Through the window system, as a real press outside a pop-up arrives.
            QTest::mouseClick(view.windowHandle(), Qt::LeftButton, {},
                              view.mapFromGlobal(calendar->mapToGlobal(calendarPoint)));
        };
    };
    const QPoint year = Centre(calendar->Layout().TitleYearRect(0), *calendar);
    const QPoint day = Centre(calendar->Layout().DayRect(EncodeDate(2026, 2, 11)), *calendar);
    runner->OnShown<CalendarMenuView>("YearMenu", pressAt(year));
    runner->OnShown<CalendarMenuView>("YearMenu", pressAt(day));
    QTest::mouseClick(calendar, Qt::LeftButton, {}, year);
    QTest::qWait(50);
    EXPECT_EQ(runner->Runs().size(), 1u);
    QTest::mouseClick(calendar, Qt::LeftButton, {}, year);
    QTest::qWait(50);
    EXPECT_EQ(runner->Runs().size(), 2u);
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 20));
    EXPECT_EQ(changes, 0);
}

// Under a real X server:  TAVORIN_CALENDAR_SCREENSHOT=/tmp/calendar.png QT_QPA_PLATFORM=xcb xvfb-run -a
//   -s "-screen 0 800x600x24" build/tests/controls/edit/test_controls_edit --gtest_filter='MonthCalendarScreen.*'
TEST(MonthCalendarScreen, Screenshot) {
    rtl::ScopedService<rtl::Clock, rtl::FakeClock> clock(rtl::ClockSlot(),
                                                         std::make_shared<rtl::FakeClock>(EncodeDate(2026, 2, 20)));
    TForm form;
    auto* calendar = new TwwMonthCalendar(&form);
    calendar->SetBorderStyle(bsSingle);
    calendar->SetMaxDate(EncodeDate(2026, 3, 15));
    calendar->SetDate(EncodeDate(2026, 3, 5));
    calendar->SetLeft(8);
    calendar->SetTop(8);
    form.SetClientWidth(calendar->Width() + 16);
    form.SetClientHeight(calendar->Height() + 16);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(calendar->size(), calendar->MinimumSize());
    const QString path = qEnvironmentVariable("TAVORIN_CALENDAR_SCREENSHOT");
    if (path.isEmpty()) return;
    QTest::qWait(200);
    const QPoint origin = form.mapToGlobal(QPoint(0, 0));
    ASSERT_TRUE(form.screen()->grabWindow(0, origin.x(), origin.y(), form.width(), form.height()).save(path));
}

}  // namespace
