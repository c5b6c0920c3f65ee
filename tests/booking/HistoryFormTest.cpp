// The booking history and deleted-bookings windows over a real database file: which History rows each choice
// lists, their captions and details, and the search windows that open them.
#include "FindFixture.h"

#include "booking/DeletedBookingsForm.h"
#include "booking/FindDeletedForm.h"
#include "booking/FindHistoryForm.h"
#include "booking/HistoryForm.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/grid/Wwdbgrid.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Label.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QTest>

using find_test::At;
using find_test::kDay;

namespace {

class HistoryFormTest : public find_test::FindTest {
protected:
    // Booking 10 belongs to group 5 with booking 11; booking 12 stands alone. Each has a creation row, 10 a change
    // and an e-mail row (code 6), 11 a deletion and an e-mail row; 12 was created and deleted the day before.
    void SetUp() override {
        Open([](TADOConnection& c) {
            booking_db::AddResource(c, 1, QStringLiteral("Room"));
            AddBooking(c, 10, 1, At(kDay, 9), At(kDay, 10), QStringLiteral("Smith"), QStringLiteral("5"));
            AddHistory(c, 1, QStringLiteral("10"), QStringLiteral("5"), At(kDay, 8), QStringLiteral("made 10"));
            AddHistory(c, 1, QStringLiteral("11"), QStringLiteral("5"), At(kDay, 8, 1), QStringLiteral("made 11"));
            AddHistory(c, 1, QStringLiteral("12"), QStringLiteral("NULL"), At(kDay - 1, 8), QStringLiteral("made 12"));
            AddHistory(c, 2, QStringLiteral("10"), QStringLiteral("5"), At(kDay, 9), QStringLiteral("moved 10"));
            AddHistory(c, 6, QStringLiteral("10"), QStringLiteral("5"), At(kDay, 9, 5), QStringLiteral("mailed 10"));
            AddHistory(c, 6, QStringLiteral("11"), QStringLiteral("5"), At(kDay, 9, 6), QStringLiteral("mailed 11"));
            AddHistory(c, 3, QStringLiteral("11"), QStringLiteral("5"), At(kDay, 10), QStringLiteral("gone 11"));
            AddHistory(c, 3, QStringLiteral("12"), QStringLiteral("NULL"), At(kDay - 1, 17), QStringLiteral("gone 12"));
            AddHistory(c, 11, QStringLiteral("NULL"), QStringLiteral("NULL"), At(kDay, 7), QStringLiteral("checked"));
        });
    }

    // The listed rows as "booking id:code:description".
    static QStringList Rows(THistoryListForm& form) {
        QStringList rows;
        TADOQuery& query = form.HistoryQuery;
        if (!query.Active()) form.OpenQuery();
        for (query.First(); !query.Eof(); query.Next())
            rows << QStringLiteral("%1:%2:%3")
                        .arg(query.FieldByName(QStringLiteral("BookingId")).AsString(),
                             query.FieldByName(QStringLiteral("HistoryCode")).AsString(),
                             query.FieldByName(QStringLiteral("Description")).AsString());
        query.First();
        return rows;
    }
};

TEST_F(HistoryFormTest, AGroupMembersHistoryListsItsOwnRowsAndItsGroupsButNeverCodeSix) {
    THistoryForm form(nullptr, data);
    form.SortOrder = QStringLiteral("bookingid");
    form.ShowBookingHistory(10, 5);
    EXPECT_EQ(form.Caption(), QStringLiteral("History Records for Booking Id 10"));
    // Always in HistoryId order, whatever the sort asked for.
    EXPECT_EQ(Rows(form), (QStringList{QStringLiteral("10:1:made 10"), QStringLiteral("11:1:made 11"),
                                       QStringLiteral("10:2:moved 10"), QStringLiteral("11:3:gone 11")}));
    EXPECT_EQ(form.HistoryLabel->Caption(), QStringLiteral("Mar 3 2026, 8:00 am Created by ann"));
    EXPECT_EQ(form.HistoryMemo->Text(), QStringLiteral("made 10"));
    // The grid's columns in their order, the stamp and the action as the user reads them.
    QStringList columns;
    for (int i = 0; i < form.HistoryDBGrid->GetFieldCount(); ++i)
        columns << form.HistoryDBGrid->GetFields(i)->FieldName();
    EXPECT_EQ(columns,
              (QStringList{QStringLiteral("HistoryTimeStamp"), QStringLiteral("BookingId"), QStringLiteral("TaskId"),
                           QStringLiteral("HistoryCode"), QStringLiteral("Userid"), QStringLiteral("Description")}));
    EXPECT_EQ(form.HistoryQuery.FieldByName(QStringLiteral("HistoryTimeStamp")).DisplayText(),
              QStringLiteral("Mar 3 2026 8:00 am"));
    EXPECT_EQ(form.HistoryQuery.FieldByName(QStringLiteral("HistoryCode")).DisplayText(), QStringLiteral("Created"));
    form.Show();
    testing_env::ExpectTextsWhole(form);

    // Without a group only the booking's own rows.
    form.ShowBookingHistory(10, -1);
    EXPECT_EQ(Rows(form), (QStringList{QStringLiteral("10:1:made 10"), QStringLiteral("10:2:moved 10")}));
}

TEST_F(HistoryFormTest, TheOtherKindsOfHistory) {
    THistoryForm form(nullptr, data);
    form.ShowMaintenanceHistory();
    EXPECT_EQ(form.Caption(), QStringLiteral("Database History Records"));
    EXPECT_EQ(Rows(form), QStringList{QStringLiteral(":11:checked")});

    form.SortOrder = QStringLiteral("bookingid");
    form.ShowDateRangeHistory(kDay - 1, kDay - 1);
    EXPECT_EQ(Rows(form), (QStringList{QStringLiteral("12:1:made 12"), QStringLiteral("12:3:gone 12")}));

    form.ShowAllHistory();
    EXPECT_EQ(form.Caption(), QStringLiteral("All History Records"));
    EXPECT_EQ(Rows(form).size(), 7);
    EXPECT_EQ(Rows(form).first(), QStringLiteral(":11:checked"));

    // An id nobody has: an empty list with empty details.
    form.ShowTaskHistory(1234);
    EXPECT_EQ(form.Caption(), QStringLiteral("History Records for Task Id 1234"));
    EXPECT_TRUE(Rows(form).isEmpty());
    form.ShowDetails();
    EXPECT_TRUE(form.HistoryLabel->Caption().isEmpty());
    EXPECT_TRUE(form.HistoryMemo->Text().isEmpty());
}

TEST_F(HistoryFormTest, DeletedBookingsOfOneDayListTheirWholeHistoryUnderTheOneDayCaption) {
    TDeletedBookingsForm form(nullptr, data);
    form.ShowDeletedBetween(kDay, kDay);
    EXPECT_EQ(form.Caption(), QStringLiteral("Bookings Deleted on Mar 3 2026"));
    EXPECT_EQ(Rows(form), (QStringList{QStringLiteral("11:1:made 11"), QStringLiteral("11:6:mailed 11"),
                                       QStringLiteral("11:3:gone 11")}));

    form.ShowDeletedBetween(kDay - 1, kDay);
    EXPECT_EQ(form.Caption(), QStringLiteral("Bookings deleted between Mar 2 2026 and Mar 3 2026"));
    EXPECT_EQ(Rows(form).size(), 5);

    form.ShowDeletedBooking(10, 5);
    EXPECT_EQ(form.Caption(), QStringLiteral("Deleted Booking Id 10"));
    EXPECT_EQ(Rows(form).size(), 3);

    form.ShowAllDeleted();
    EXPECT_EQ(form.Caption(), QStringLiteral("All Deleted Bookings"));
    EXPECT_EQ(Rows(form).size(), 5);
}

TEST_F(HistoryFormTest, TheFindWindowLooksUpTheGroupAndRefusesAnIdThatIsNoNumber) {
    TFindHistoryForm find(nullptr, data);
    EXPECT_TRUE(find.AllRadioButton->Checked());
    QTest::keyClicks(find.BookingIdEdit, QStringLiteral("10"));
    EXPECT_TRUE(find.BookingIdRadioButton->Checked());
    QStringList listed;
    QString caption;
    runner->OnShown<THistoryForm>(QStringLiteral("HistoryForm"), [&](THistoryForm& history) {
        caption = history.Caption();
        listed = Rows(history);
        history.CloseButton->Click();
    });
    find.OkButton->Click();
    EXPECT_EQ(caption, QStringLiteral("History Records for Booking Id 10"));
    EXPECT_EQ(listed.size(), 4);

    find.BookingIdEdit->SetText(QStringLiteral("ten"));
    find.OkButton->Click();
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{QStringLiteral("You have not entered a valid Booking Id")});
    EXPECT_EQ(runner->Runs().size(), 1u);

    // Moving either date past the other moves the other with it.
    find.ToDatePicker->SetDate(kDay);
    EXPECT_TRUE(find.DatesRadioButton->Checked());
    EXPECT_EQ(DateOf(find.FromDatePicker->Date()), kDay);
    find.FromDatePicker->SetDate(kDay + 3);
    EXPECT_EQ(DateOf(find.ToDatePicker->Date()), kDay + 3);
    find.ToDatePicker->SetDate(kDay);
    EXPECT_EQ(DateOf(find.FromDatePicker->Date()), kDay);
}

TEST_F(HistoryFormTest, TheFindDeletedWindowOpensTheListOfItsChoice) {
    TFindDeletedForm find(nullptr, data);
    find.FromDatePicker->SetDate(kDay);
    find.ToDatePicker->SetDate(kDay);
    QString caption;
    runner->OnShown<TDeletedBookingsForm>(QStringLiteral("DeletedBookingsForm"), [&](TDeletedBookingsForm& deleted) {
        caption = deleted.Caption();
        deleted.CloseButton->Click();
    });
    find.OkButton->Click();
    EXPECT_EQ(caption, QStringLiteral("Bookings Deleted on Mar 3 2026"));
}

TEST(HistoryWindowTexts, EveryTextIsWhole) {
    testing_env::AtEachTestFont([] {
        TData data;
        TFindHistoryForm findHistory(nullptr, data);
        testing_env::ExpectTextsWhole(findHistory);
        TFindDeletedForm findDeleted(nullptr, data);
        testing_env::ExpectTextsWhole(findDeleted);
        THistoryForm history(nullptr, data);
        history.HistoryLabel->SetCaption(QStringLiteral("Sep 30 2026, 12:59 pm Database Compacted by administrator"));
        testing_env::ExpectTextsWhole(history);
    });
}

}  // namespace
