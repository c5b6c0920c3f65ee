// Every text of the booking window and its group question is whole, at the pinned font and at a larger one.
#include "BookingFormFixture.h"

#include "booking/BookingFormShowGroup.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menus.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QApplication>

using namespace booking_form_test;
using testing_env::AtEachTestFont;
using testing_env::ExpectTextsWhole;

TEST_F(BookingFormTest, TheWindowShowsItsTextsWhole) {
    other->Execute(QStringLiteral("ALTER TABLE Bookings ADD COLUMN udf1Project TEXT(10)"));
    other->Book(1001, 1, Jan(5, 9), Jan(7, 10));
    other->Execute(QStringLiteral("UPDATE Bookings SET Description = \"Quarterly review\", Notes = \"Projector\""));
    AtEachTestFont([this] {
        form.reset();
        Open();
        data->FindCustomFields();
        OpenBooking(1001);
        QApplication::processEvents();  // the menu bar takes its height once its items are laid out
        ExpectTextsWhole(*form);
        form->AllDayCheckBox->SetChecked(true);
        ExpectTextsWhole(*form);
        form->Item(QStringLiteral("Layout2Item"))->Click();
        ExpectTextsWhole(*form);
        form->AllDayCheckBox->SetChecked(false);
        ExpectTextsWhole(*form);
        form->Item(QStringLiteral("Layout1Item"))->Click();
        // With the task panel below the fields.
        form->Item(QStringLiteral("AddTaskItem"))->Click();
        ExpectTextsWhole(*form);
        form->CancelButtonClick();
    });
}

TEST(ShowGroupForm, WrapsItsQuestionAndAnswersByButton) {
    AtEachTestFont([] {
        TShowGroupForm question;
        question.SetMessage(QStringLiteral(
            "This booking belongs to a group booking. Do you want to delete any of the group bookings?"));
        EXPECT_GE(question.InfoMemo->Text().count(QLatin1Char('\n')), 1);
        ExpectTextsWhole(question);
    });
    TShowGroupForm question;
    EXPECT_EQ(question.Caption(), QStringLiteral("Group Bookings"));
    EXPECT_EQ(question.NoButton->ModalResult(), mrNo);
    EXPECT_EQ(question.YesButton->ModalResult(), mrYes);
    EXPECT_EQ(question.CancelButton->ModalResult(), mrCancel);
}
