// Date and time entry in the booking window: the half-hour lists, the all-day box and the end date rules.
#include "BookingFormFixture.h"

#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwDBComboBox.h"
#include "platform/ui/Buttons.h"

#include <gtest/gtest.h>

using namespace booking_form_test;

namespace {

QStringList Items(TwwDBComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.Items().Count(); ++i) items << combo.Items()[i];
    return items;
}

}  // namespace

TEST_F(BookingFormTest, DurationTexts) {
    const std::pair<int, const char*> cases[] = {
        {30, "(30 minutes)"}, {60, "(1 hour)"}, {90, "(1.5 hours)"}, {120, "(2 hours)"}, {870, "(14.5 hours)"}};
    for (const auto& [minutes, text] : cases) EXPECT_EQ(TBookingForm::FormatDurationText(minutes), QLatin1String(text));
}

TEST_F(BookingFormTest, TheEndListOfAOneDayBookingCountsHalfHoursFromTheStart) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    OpenBooking(1001);
    form->EndTimeComboBox->DropDown();
    const QStringList items = Items(*form->EndTimeComboBox);
    ASSERT_EQ(items.size(), 29);
    EXPECT_EQ(items.first(), QStringLiteral("9:30 am  (30 minutes)"));
    EXPECT_EQ(items[1], QStringLiteral("10:00 am  (1 hour)"));
    EXPECT_EQ(items.last(), QStringLiteral("11:30 pm  (14.5 hours)"));
    EXPECT_EQ(form->EndTimeComboBox->ItemIndex(), 1);
    form->EndTimeComboBox->CloseUp(false);

    // Choosing the fourth entry ends the booking two hours after its start.
    form->EndTimeComboBox->DropDown();
    form->EndTimeComboBox->ListBox()->SetItemIndex(3);
    form->EndTimeComboBox->CloseUp(true);
    EXPECT_NEAR(End(), Jan(5, 11), OneMillisecond);
    EXPECT_TRUE(form->Edited);

    // The start list has every half hour and starts on the start time.
    form->StartTimeComboBox->DropDown();
    EXPECT_EQ(Items(*form->StartTimeComboBox).size(), 48);
    EXPECT_EQ(Items(*form->StartTimeComboBox).first(), QStringLiteral("12:00 am  "));
    EXPECT_EQ(form->StartTimeComboBox->ItemIndex(), 18);
    form->StartTimeComboBox->ListBox()->SetItemIndex(20);
    form->StartTimeComboBox->CloseUp(true);
    EXPECT_NEAR(Start(), Jan(5, 10), OneMillisecond);
}

TEST_F(BookingFormTest, TheEndListIsEmptyAfterHalfPastElevenAndPlainOverSeveralDays) {
    other->Book(1001, 1, Jan(5, 23, 30), Jan(5, 23, 45));
    other->Book(1002, 1, Jan(5, 9), Jan(7, 10));
    OpenBooking(1001);
    form->EndTimeComboBox->DropDown();
    EXPECT_TRUE(Items(*form->EndTimeComboBox).isEmpty());
    EXPECT_EQ(form->EndTimeComboBox->ItemIndex(), -1);
    form->EndTimeComboBox->CloseUp(true);
    EXPECT_NEAR(End(), Jan(5, 23, 45), OneMillisecond);

    ASSERT_TRUE(form->LocateBooking(1002));
    form->Init();
    form->EndTimeComboBox->DropDown();
    const QStringList items = Items(*form->EndTimeComboBox);
    ASSERT_EQ(items.size(), 48);
    EXPECT_EQ(items.last(), QStringLiteral("11:30 pm  "));
    EXPECT_EQ(form->EndTimeComboBox->ItemIndex(), 18);
    form->EndTimeComboBox->ListBox()->SetItemIndex(21);
    form->EndTimeComboBox->CloseUp(true);
    EXPECT_NEAR(End(), Jan(7, 10, 30), OneMillisecond);
}

TEST_F(BookingFormTest, AllDayTogglesTheTimesAndShowsTheLastDay) {
    struct Case {
        TDateTime start, end;
        TDateTime allDayStart, allDayEnd, lastDay, uncheckedEnd;
    } const cases[] = {
        {Jan(5, 9), Jan(5, 10), Jan(5), Jan(6), Jan(5), Jan(5, 23, 59)},
        {Jan(5, 9), Jan(7, 10), Jan(5), Jan(8), Jan(7), Jan(7, 23, 59)},
    };
    int id = 1001;
    for (const Case& c : cases) {
        SCOPED_TRACE(id);
        other->Book(id, 1, c.start, c.end);
        OpenBooking(id++);
        form->AllDayCheckBox->SetChecked(true);
        EXPECT_NEAR(Start(), c.allDayStart, OneMillisecond);
        EXPECT_NEAR(End(), c.allDayEnd, OneMillisecond);
        EXPECT_DOUBLE_EQ(DateOf(form->PhantomEndDatePicker->Date()), c.lastDay);
        EXPECT_TRUE(form->EndTimePicker->isHidden());
        EXPECT_TRUE(form->EndDatePicker->isHidden());
        EXPECT_EQ(form->PhantomEndDatePicker->isHidden(), c.lastDay == DateOf(c.start));
        EXPECT_TRUE(form->Edited);
        form->AllDayCheckBox->SetChecked(false);
        EXPECT_NEAR(Start(), c.allDayStart, OneMillisecond);
        EXPECT_NEAR(End(), c.uncheckedEnd, OneMillisecond);
        EXPECT_FALSE(form->EndTimePicker->isHidden());
        Bookings().Cancel();
    }
}

TEST_F(BookingFormTest, MovingTheStartDateOfAOneDayBookingMovesItsEnd) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    other->Book(1002, 1, Jan(5, 9), Jan(7, 10));
    OpenBooking(1001);
    EXPECT_FALSE(form->ToDateButton->isHidden());
    Type("BookingStart", Jan(8, 9));
    EXPECT_NEAR(End(), Jan(8, 10), OneMillisecond);
    Bookings().Cancel();

    // A shown end date stays unless the start passes it; then the start follows a moved end.
    ASSERT_TRUE(form->LocateBooking(1002));
    form->Init();
    EXPECT_FALSE(form->EndDatePicker->isHidden());
    EXPECT_TRUE(form->ToDateButton->isHidden());
    Type("BookingStart", Jan(6, 9));
    EXPECT_NEAR(End(), Jan(7, 10), OneMillisecond);
    Type("BookingStart", Jan(9, 9));
    EXPECT_NEAR(End(), Jan(9, 10), OneMillisecond);
    Type("BookingEnd", Jan(4, 12));
    EXPECT_NEAR(Start(), Jan(4, 9), OneMillisecond);
}

TEST_F(BookingFormTest, AlwaysShowEndDateShowsTheEndOfAOneDayBooking) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    Open();
    data->AlwaysShowEndDate = true;
    OpenBooking(1001);
    EXPECT_FALSE(form->EndDatePicker->isHidden());
    EXPECT_TRUE(form->ToDateButton->isHidden());
}
