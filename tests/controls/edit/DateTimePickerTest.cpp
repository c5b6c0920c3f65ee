// The date/time picker on a form: a date picker and a time picker on one column of a real database file,
// the setters' bounds, paste, a null field, the button and clicks on parts.
#include "BoundEditFixture.h"

#include "controls/edit/DateTimePicker.h"
#include "controls/edit/PopupCalendar.h"
#include "controls/edit/WwComboButton.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Form.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TDateTime PickerAt(int y, int mo, int d, int h = 0, int mi = 0) { return EncodeDateTime(y, mo, d, h, mi, 0, 0); }

class BoundPickers : public controls_test::BoundEditTest {
protected:
    rtl::ScopedService<rtl::Clock, rtl::FakeClock> clock{
        rtl::ClockSlot(), std::make_shared<rtl::FakeClock>(PickerAt(2026, 2, 20, 10, 30))};
    TwwDBDateTimePicker* datePicker = new TwwDBDateTimePicker(&form);
    TwwDBDateTimePicker* timePicker = new TwwDBDateTimePicker(&form);

    void SetUp() override {
        // The first task is due at half past nine; the second has no due date.
        connection.Execute("UPDATE Tasks SET DueDate = #2/20/2026 9:30 am#");
        connection.Execute("INSERT INTO Tasks (Subject) VALUES (\"Order paper\")");
        query.Close();
        query.Open();
        datePicker->SetBounds(10, 10, 120, 21);
        timePicker->SetBounds(140, 10, 100, 21);
        other->SetBounds(10, 40, 100, 21);
        for (TwwDBDateTimePicker* picker : {datePicker, timePicker}) {
            picker->SetDataSource(&source);
            picker->SetDataField("DueDate");
        }
        datePicker->SetDisplayFormat("mmm d yyyy");
        timePicker->SetDisplayFormat("h:mm am/pm");
        ShowForm();
    }

    void Focus(TControl* control) {
        control->SetFocus();
        QApplication::processEvents();
    }
};

TEST_F(BoundPickers, EachPickerOfAPairEditsOnlyItsHalfOfTheColumn) {
    EXPECT_EQ(datePicker->text(), "Feb 20 2026");
    EXPECT_EQ(timePicker->text(), "9:30 am");
    EXPECT_TRUE(datePicker->ShowsDateOnly());
    EXPECT_TRUE(timePicker->IsTimeOnly());
    EXPECT_TRUE(datePicker->Button().isVisible());
    EXPECT_FALSE(timePicker->Button().isVisible());

    Focus(datePicker);
    EXPECT_EQ(datePicker->selectedText(), "Feb 20 2026");
    QTest::keyClick(datePicker, Qt::Key_Right);
    EXPECT_EQ(datePicker->CurrentPart(), 2);
    EXPECT_EQ(datePicker->selectedText(), "20");
    QTest::keyClick(datePicker, Qt::Key_2);
    EXPECT_EQ(datePicker->text(), "Feb 2 2026");
    EXPECT_NEAR(datePicker->Time(), EncodeTime(9, 30, 0, 0), OneSecond);
    Focus(timePicker);
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_NEAR(query.FieldByName("DueDate").AsDateTime(), PickerAt(2026, 2, 2, 9, 30), OneSecond);
    EXPECT_EQ(timePicker->text(), "9:30 am");

    QTest::keyClick(timePicker, Qt::Key_Up);
    EXPECT_EQ(timePicker->text(), "10:30 am");
    QTest::keyClick(timePicker, Qt::Key_Right);
    QTest::keyClick(timePicker, Qt::Key_Right);
    QTest::keyClick(timePicker, Qt::Key_P);
    EXPECT_EQ(timePicker->text(), "10:30 pm");
    Focus(other);
    EXPECT_NEAR(query.FieldByName("DueDate").AsDateTime(), PickerAt(2026, 2, 2, 22, 30), OneSecond);
    EXPECT_EQ(datePicker->text(), "Feb 2 2026");
    query.Post();
    EXPECT_NEAR(Stored("DueDate").toDouble(), PickerAt(2026, 2, 2, 22, 30), OneSecond);
}

TEST_F(BoundPickers, ANullFieldShowsNothingAndTheFirstKeyStartsToday) {
    query.Next();
    EXPECT_EQ(datePicker->text(), "");
    EXPECT_EQ(timePicker->text(), "");
    Focus(datePicker);
    QTest::keyClick(datePicker, Qt::Key_Right);
    EXPECT_EQ(datePicker->text(), "Feb 20 2026");
    EXPECT_EQ(datePicker->CurrentPart(), 2);
    Focus(other);
    EXPECT_EQ(query.FieldByName("DueDate").AsDateTime(), PickerAt(2026, 2, 20));
    query.Cancel();
    EXPECT_EQ(datePicker->text(), "");
    EXPECT_TRUE(query.FieldByName("DueDate").IsNull());
}

TEST_F(BoundPickers, EscapeReloadsTheField) {
    Focus(datePicker);
    QTest::keyClick(datePicker, Qt::Key_Right);
    QTest::keyClick(datePicker, Qt::Key_Up);
    EXPECT_EQ(datePicker->text(), "Feb 21 2026");
    QTest::keyClick(datePicker, Qt::Key_Escape);
    EXPECT_EQ(datePicker->text(), "Feb 20 2026");
    EXPECT_FALSE(datePicker->Modified());
    EXPECT_EQ(datePicker->CurrentPart(), 1);
}

TEST_F(BoundPickers, AReadOnlyPickerDropsItsKeys) {
    datePicker->SetReadOnly(true);
    Focus(datePicker);
    QTest::keyClick(datePicker, Qt::Key_Up);
    QTest::keyClick(datePicker, Qt::Key_5);
    EXPECT_EQ(datePicker->text(), "Feb 20 2026");
    EXPECT_EQ(query.State(), dsBrowse);
}

TEST_F(BoundPickers, AClickSelectsThePartUnderIt) {
    Focus(datePicker);
    const QFontMetrics metrics(datePicker->font());
    // The middle of the year: right of "Feb 20 20".
    const int left = datePicker->TextLeft();
    QTest::mouseClick(datePicker, Qt::LeftButton, {}, QPoint(left + metrics.horizontalAdvance("Feb 20 20"), 10));
    EXPECT_EQ(datePicker->CurrentPart(), 3);
    EXPECT_EQ(datePicker->selectedText(), "2026");
    QTest::mouseClick(datePicker, Qt::LeftButton, {}, QPoint(left + metrics.horizontalAdvance("F"), 10));
    EXPECT_EQ(datePicker->CurrentPart(), 1);
    EXPECT_EQ(datePicker->selectedText(), "Feb");
}

class UnboundPicker : public ::testing::Test {
protected:
    rtl::ScopedService<rtl::Clock, rtl::FakeClock> clock{
        rtl::ClockSlot(), std::make_shared<rtl::FakeClock>(PickerAt(2026, 2, 20, 10, 30))};
    TForm form;
    TwwDBDateTimePicker* picker = new TwwDBDateTimePicker(&form);
};

TEST_F(UnboundPicker, SettersPastMaxDateRaiseAndKeepTheOldValue) {
    picker->SetUnboundDataType(wwDTEdtDate);
    picker->SetDisplayFormat("mmm d yyyy");
    picker->SetMaxDate(PickerAt(2026, 3, 31));
    picker->SetDate(PickerAt(2026, 3, 10));
    EXPECT_EQ(picker->text(), "Mar 10 2026");
    picker->SetDate(PickerAt(2026, 3, 31));
    EXPECT_EQ(picker->text(), "Mar 31 2026");
    try {
        picker->SetDate(PickerAt(2026, 4, 1));
        ADD_FAILURE() << "no error";
    } catch (const EDateTimeError& e) {
        EXPECT_EQ(e.Message(), "Date exceeds maximum of 3/31/2026");
    }
    EXPECT_EQ(picker->Date(), PickerAt(2026, 3, 31));
    EXPECT_EQ(picker->text(), "Mar 31 2026");
}

TEST_F(UnboundPicker, DateTimeKindKeepsTheTimeWhenTheDateIsSetToTheMaximum) {
    picker->SetDisplayFormat("mmm d yyyy h:nn");
    picker->SetDate(PickerAt(2026, 3, 10));
    picker->SetTime(EncodeTime(14, 45, 0, 0));
    picker->SetMaxDate(PickerAt(2026, 3, 31));
    picker->SetDate(PickerAt(2026, 3, 31));
    EXPECT_EQ(picker->text(), "Mar 31 2026 14:45");
    EXPECT_THROW(picker->SetDate(PickerAt(2026, 4, 1)), EDateTimeError);
    EXPECT_EQ(picker->DateTime(), PickerAt(2026, 3, 31, 14, 45));
}

TEST_F(UnboundPicker, PasteOfADateFollowedByWordsTakesTheDate) {
    picker->SetUnboundDataType(wwDTEdtDate);
    picker->SetDisplayFormat("mmm d yyyy");
    picker->SetDate(PickerAt(2026, 2, 20));
    form.Show();
    picker->SetFocus();
    QApplication::processEvents();
    QApplication::clipboard()->setText("3/15/2026 board meeting");
    QTest::keyClick(picker, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(picker->text(), "Mar 15 2026");
    EXPECT_EQ(picker->Date(), PickerAt(2026, 3, 15));
    EXPECT_TRUE(picker->Modified());

    QApplication::clipboard()->setText("not a date");
    QTest::keyClick(picker, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(picker->text(), "Mar 15 2026");

    picker->SetMaxDate(PickerAt(2026, 3, 31));
    testing_env::Messages().Clear();
    QApplication::clipboard()->setText("4/2/2026");
    QTest::keyClick(picker, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"Date exceeds maximum of 3/31/2026."});
    EXPECT_EQ(picker->text(), "Mar 15 2026");
    EXPECT_EQ(picker->Date(), PickerAt(2026, 3, 15));
}

TEST_F(UnboundPicker, ATimePickerShowsMidnightForTimeZeroAndHasNoButton) {
    picker->SetUnboundDataType(wwDTEdtTime);
    picker->SetDisplayFormat("h:mm am/pm");
    EXPECT_EQ(picker->text(), "");
    picker->SetTime(0);
    EXPECT_EQ(picker->text(), "12:00 am");
    EXPECT_EQ(picker->Date(), 0);
    form.Show();
    EXPECT_FALSE(picker->Button().isVisible());
}

TEST_F(UnboundPicker, TheDefaultFormatIsTheGeneralOneAndHidesAMidnightTime) {
    picker->SetDate(PickerAt(2026, 2, 20));
    EXPECT_EQ(picker->EffectiveDisplayFormat(), "c");
    EXPECT_EQ(picker->text(), "2/20/2026");
    picker->SetTime(EncodeTime(14, 5, 0, 0));
    EXPECT_EQ(picker->text(), "2/20/2026 2:05:00 PM");
}

}  // namespace

namespace {

TEST_F(BoundPickers, TheDropDownOfAnEmptyPickerFillsTodayAndEscapeRestoresEmpty) {
    query.Next();
    Focus(datePicker);
    QTest::keyClick(datePicker, Qt::Key_F4);
    ASSERT_TRUE(datePicker->IsDroppedDown());
    EXPECT_TRUE(datePicker->hasFocus());
    EXPECT_TRUE(datePicker->Calendar()->isWindow());
    EXPECT_EQ(datePicker->text(), "Feb 20 2026");
    EXPECT_EQ(DateOf(datePicker->Calendar()->Date()), PickerAt(2026, 2, 20));
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_TRUE(datePicker->Modified());
    // Keys go to the calendar and the picker follows at every step.
    QTest::keyClick(datePicker, Qt::Key_Right);
    EXPECT_EQ(datePicker->text(), "Feb 21 2026");
    QTest::keyClick(datePicker, Qt::Key_Down);
    EXPECT_EQ(datePicker->text(), "Feb 28 2026");
    QTest::keyClick(datePicker, Qt::Key_Escape);
    EXPECT_FALSE(datePicker->IsDroppedDown());
    EXPECT_EQ(datePicker->text(), "");
    EXPECT_TRUE(datePicker->hasFocus());
    Focus(other);
    EXPECT_TRUE(query.FieldByName("DueDate").IsNull());
}

TEST_F(BoundPickers, AClickedDateClosesTheCalendarKeepingTheTimeOfDay) {
    Focus(datePicker);
    QTest::mouseClick(&datePicker->Button(), Qt::LeftButton, {}, datePicker->Button().rect().center());
    ASSERT_TRUE(datePicker->IsDroppedDown());
    TwwPopupCalendar* calendar = datePicker->Calendar();
    const QPoint day =
        ui::ToQRect(calendar->Layout().DayRect(PickerAt(2026, 2, 11))).center() + calendar->contentsRect().topLeft();
    QTest::mouseClick(calendar, Qt::LeftButton, {}, day);
    EXPECT_FALSE(datePicker->IsDroppedDown());
    EXPECT_EQ(datePicker->text(), "Feb 11 2026");
    Focus(other);
    EXPECT_NEAR(query.FieldByName("DueDate").AsDateTime(), PickerAt(2026, 2, 11, 9, 30), OneSecond);
    EXPECT_EQ(timePicker->text(), "9:30 am");
}

TEST_F(BoundPickers, AClickElsewhereClosesTheCalendarAccepting) {
    Focus(datePicker);
    QTest::keyClick(datePicker, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(datePicker->IsDroppedDown());
    QTest::keyClick(datePicker, Qt::Key_Left);
    // A click on the picker's own text leaves it down.
    QTest::mouseClick(datePicker, Qt::LeftButton, {}, QPoint(datePicker->TextLeft() + 2, 10));
    EXPECT_TRUE(datePicker->IsDroppedDown());
    QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(datePicker->IsDroppedDown());
    EXPECT_NEAR(query.FieldByName("DueDate").AsDateTime(), PickerAt(2026, 2, 19, 9, 30), OneSecond);
}

TEST_F(BoundPickers, APickerNearTheBottomOfTheScreenOpensItsCalendarAbove) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    form.move(screen.left() + 20, screen.bottom() - 80);
    QApplication::processEvents();
    Focus(datePicker);
    QTest::keyClick(datePicker, Qt::Key_F4);
    ASSERT_TRUE(datePicker->IsDroppedDown());
    const QRect calendar = datePicker->Calendar()->frameGeometry();
    EXPECT_EQ(calendar.bottom() + 1, datePicker->mapToGlobal(QPoint(0, 0)).y());
    QTest::keyClick(datePicker, Qt::Key_F4);
    EXPECT_FALSE(datePicker->IsDroppedDown());
    form.move(screen.left() + 20, screen.top() + 20);
    QApplication::processEvents();
    QTest::keyClick(datePicker, Qt::Key_F4);
    EXPECT_GE(datePicker->Calendar()->frameGeometry().top(), datePicker->mapToGlobal(QPoint(0, 0)).y());
}

TEST_F(BoundPickers, TheCalendarTakesItsLookFromTheCalendarAttributesAtEachDropDown) {
    TwwCalendarOptions& attributes = datePicker->CalendarAttributes();
    EXPECT_EQ(attributes.Alignment, wwdtaLeft);
    EXPECT_TRUE(attributes.Options == TwwMonthOptions{mdoDayState});
    attributes.Colors().SetTitleBackColor(clMaroon);
    attributes.Options = TwwMonthOptions{mdoDayState, mdoWeekNumbers};
    attributes.PopupYearOptions.StartYear = 2000;
    attributes.PopupYearOptions.NumberColumns = 3;
    attributes.FirstDayOfWeek = wwdowMonday;
    attributes.Font().SetSize(12);
    attributes.Width = 500;
    Focus(datePicker);
    QTest::keyClick(datePicker, Qt::Key_F4);
    ASSERT_TRUE(datePicker->IsDroppedDown());
    TwwPopupCalendar* calendar = datePicker->Calendar();
    EXPECT_EQ(calendar->CalendarColor(controls::CalendarColor::TitleBack), ColorToRGB(clMaroon));
    EXPECT_TRUE(calendar->Options() == (TwwMonthOptions{mdoDayState, mdoWeekNumbers}));
    EXPECT_EQ(calendar->PopupYearOptions().StartYear, 2000);
    EXPECT_EQ(calendar->PopupYearOptions().NumberColumns, 3);
    EXPECT_EQ(calendar->FirstDayOfWeek(), wwdowMonday);
    EXPECT_EQ(calendar->Font().Size(), 12);
    EXPECT_EQ(calendar->width(), 500);
    EXPECT_EQ(calendar->height(), calendar->MinimumSize().height());
    // Changes wait for the next drop-down.
    attributes.FirstDayOfWeek = wwdowSunday;
    attributes.Width = 0;
    EXPECT_EQ(calendar->FirstDayOfWeek(), wwdowMonday);
    QTest::keyClick(datePicker, Qt::Key_F4);
    QTest::keyClick(datePicker, Qt::Key_F4);
    ASSERT_TRUE(datePicker->IsDroppedDown());
    EXPECT_EQ(calendar->FirstDayOfWeek(), wwdowSunday);
    EXPECT_EQ(calendar->width(), calendar->MinimumSize().width());
}

TEST_F(BoundPickers, TheCalendarOpensAlongThePickerAsItsAlignmentSays) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    form.move(screen.left() + 300, screen.top() + 20);
    QApplication::processEvents();
    Focus(datePicker);
    const auto openedAt = [this](TwwDTCalAlignment alignment) {
        datePicker->CalendarAttributes().Alignment = alignment;
        QTest::keyClick(datePicker, Qt::Key_F4);
        EXPECT_TRUE(datePicker->IsDroppedDown());
        const QRect placed = datePicker->Calendar()->geometry();
        QTest::keyClick(datePicker, Qt::Key_F4);
        return placed;
    };
    const int calendarWidth = openedAt(wwdtaLeft).width();
    const int button = std::max(VerticalScrollBarWidth(), 15);
    const int left = datePicker->mapToGlobal(QPoint(0, 0)).x();
    const int width = datePicker->width();
    EXPECT_EQ(openedAt(wwdtaLeft).left(), left + 1);
    // Its right edge one pixel left of the button.
    EXPECT_EQ(openedAt(wwdtaRight).left(), left + width - button - calendarWidth);
    EXPECT_EQ(openedAt(wwdtaCenter).left(), left + (width - calendarWidth - button - 1) / 2 + 1);
    // Near the screen's right edge every alignment ends with the picker's right edge.
    form.move(screen.right() - datePicker->width() - 15, screen.top() + 20);
    QApplication::processEvents();
    const int pickerRight = datePicker->mapToGlobal(QPoint(datePicker->width(), 0)).x();
    for (const TwwDTCalAlignment alignment : {wwdtaLeft, wwdtaRight, wwdtaCenter})
        EXPECT_EQ(openedAt(alignment).right() + 1, pickerRight) << alignment;
}

TEST_F(BoundPickers, ATimePickerHasNoCalendar) {
    Focus(timePicker);
    QTest::keyClick(timePicker, Qt::Key_F4);
    EXPECT_FALSE(timePicker->IsDroppedDown());
    EXPECT_EQ(timePicker->Calendar(), nullptr);
}

}  // namespace

namespace {

// Under a real X server:  TAVORIN_PICKER_SCREENSHOT=/tmp/picker.png QT_QPA_PLATFORM=xcb xvfb-run -a
//   -s "-screen 0 800x600x24" build/tests/controls/edit/test_controls_edit --gtest_filter='PickerScreen.*'
TEST(PickerScreen, Screenshot) {
    rtl::ScopedService<rtl::Clock, rtl::FakeClock> clock(
        rtl::ClockSlot(), std::make_shared<rtl::FakeClock>(PickerAt(2026, 2, 20, 10, 30)));
    TForm form;
    auto* date = new TwwDBDateTimePicker(&form);
    auto* time = new TwwDBDateTimePicker(&form);
    date->SetUnboundDataType(wwDTEdtDate);
    date->SetDisplayFormat("mmm d yyyy");
    date->SetDate(PickerAt(2026, 3, 5));
    time->SetUnboundDataType(wwDTEdtTime);
    time->SetDisplayFormat("h:mm am/pm");
    time->SetTime(EncodeTime(9, 30, 0, 0));
    date->SetBounds(8, 8, 120, 21);
    time->SetBounds(136, 8, 90, 21);
    form.SetClientWidth(256);
    form.SetClientHeight(224);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    date->SetFocus();
    QApplication::processEvents();
    QTest::keyClick(date, Qt::Key_F4);
    ASSERT_TRUE(date->IsDroppedDown());
    const QString path = qEnvironmentVariable("TAVORIN_PICKER_SCREENSHOT");
    if (path.isEmpty()) return;
    QTest::qWait(300);
    const QPoint origin = form.mapToGlobal(QPoint(0, 0));
    ASSERT_TRUE(form.screen()->grabWindow(0, origin.x(), origin.y(), form.width(), form.height()).save(path));
}

}  // namespace
