// Saving in the booking window: validation, the overlap check, History, group edits and failed commits.
#include "BookingFormFixture.h"

#include "controls/grid/Wwdblook.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Messages.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace booking_form_test;

namespace {

const QString kConflict = QStringLiteral("This booking conflicts with booking %1");

}  // namespace

class BookingFormSaveTest : public BookingFormTest {
protected:
    // Presses OK on the shown window; true when it closed.
    bool PressOk() {
        if (form->isHidden()) form->Show();
        form->OkButtonClick();
        return form->isHidden();
    }
};

TEST_F(BookingFormSaveTest, ABlankClientIsRefusedAndNothingIsWritten) {
    OpenNew(Jan(5, 9), Jan(5, 10), QString());
    EXPECT_FALSE(PressOk());
    EXPECT_EQ(Shown(), std::vector<QString>{QStringLiteral("You must enter a name for the \"Client\" field")});
    EXPECT_TRUE(Stored().isEmpty());
    // The entry stays for the user to finish.
    EXPECT_EQ(Bookings().State(), dsInsert);
    EXPECT_EQ(form->LastAction, kBookingNothing);
}

TEST_F(BookingFormSaveTest, AnEntryLeftUnsavedWhenTheWindowClosesIsDropped) {
    OpenNew(Jan(5, 9), Jan(5, 10), QString());
    EXPECT_FALSE(PressOk());
    ASSERT_EQ(Bookings().State(), dsInsert);
    // The window's run ended some other way than through its close query.
    TCloseAction action = caHide;
    form->OnClose(form.get(), action);
    EXPECT_EQ(Bookings().State(), dsBrowse);
    EXPECT_TRUE(Stored().isEmpty());
}

TEST_F(BookingFormSaveTest, ANewBookingWritesItsRowAndOneHistoryRow) {
    OpenNew(Jan(5, 9), Jan(5, 10));
    // The id is drawn by the save, inside its write transaction.
    EXPECT_EQ(form->BookingId, 0);
    EXPECT_TRUE(PressOk());
    const int id = form->BookingId;
    EXPECT_GE(id, 1000);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(Stored(), (QStringList{QStringLiteral("%1|1|Jan 5 9:00|Jan 5 10:00|Jones|0").arg(id),
                                     QStringLiteral("%1|1|0").arg(id)}));
    EXPECT_TRUE(other->Rows(QStringLiteral("SELECT Description FROM History"))
                    .value(0)
                    .contains(QStringLiteral("Resource(Room A)")));
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(form->LastAction, kBookingCreated);
    EXPECT_EQ(form->LastModifiedBookingId, id);
}

TEST_F(BookingFormSaveTest, AnOverlapIsRefusedAndTheValuesStay) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    const QStringList before = Stored();
    OpenNew(Jan(5, 9, 30), Jan(5, 10, 30));
    EXPECT_FALSE(PressOk());
    EXPECT_EQ(Shown(), std::vector<QString>{kConflict.arg(1001)});
    EXPECT_EQ(Stored(), before);
    EXPECT_EQ(Bookings().State(), dsInsert);
    EXPECT_NEAR(Start(), Jan(5, 9, 30), OneMillisecond);
    EXPECT_TRUE(form->NewBooking);
    EXPECT_FALSE(form->IsModified());
    EXPECT_EQ(form->LastAction, kBookingNothing);

    // Moved clear of it, the same entry saves.
    Type("BookingStart", Jan(5, 10));
    Type("BookingEnd", Jan(5, 11));
    EXPECT_TRUE(PressOk());
    EXPECT_EQ(other->Count(QStringLiteral("Bookings")), 2);
}

// Each refusal of the checks before the post, by its text; nothing is stored and the entry stays.
TEST_F(BookingFormSaveTest, EachValidationRefusalShowsItsOwnText) {
    const QString beyond = QStringLiteral("\r\rThis booking ends beyond that date.");
    const QString limitDate = QString::number(Jan(3), 'f', 6);
    struct Case {
        QString setUp;
        TDateTime start, end;
        QString client;
        QString text;
    };
    const Case cases[] = {
        {{}, Jan(5, 9), Jan(5, 10), {}, QStringLiteral("You must enter a name for the \"Client\" field")},
        {{}, Jan(5, 9), Jan(4, 10), QStringLiteral("Jones"), QStringLiteral("The start date exceeds the end date.")},
        {{},
         Jan(5, 10),
         Jan(5, 10),
         QStringLiteral("Jones"),
         QStringLiteral("The start time equals or exceeds the end time.")},
        {QStringLiteral("UPDATE Resources SET MaxBookDaysRestrict = True, MaxBookDays = 1"), Jan(5, 9), Jan(7, 10),
         QStringLiteral("Jones"),
         QStringLiteral("This booking exceeds the maximum number of days the resource can be booked")},
        {QStringLiteral("DELETE FROM Resources WHERE ResourceId = 1"), Jan(5, 9), Jan(5, 10), QStringLiteral("Jones"),
         QStringLiteral("The resource is blank or could not be found")},
        {QStringLiteral("UPDATE RanvelGlobal SET BookingRestrictMode = 2, BookingRestrictDaysAhead = 3"), Jan(5, 9),
         Jan(5, 10), QStringLiteral("Jones"),
         QStringLiteral("The database owner has limited bookings up to a maximum of 3 days from today.") + beyond},
        {QStringLiteral("UPDATE RanvelGlobal SET BookingRestrictMode = 3, BookingRestrictUntilDate = %1")
             .arg(limitDate),
         Jan(5, 9), Jan(5, 10), QStringLiteral("Jones"),
         QStringLiteral("The database owner has limited bookings up to and including Jan 03 2026.") + beyond},
        {QStringLiteral("UPDATE Resources SET BookingRestrictMode = 2, BookingRestrictDaysAhead = 3"), Jan(5, 9),
         Jan(5, 10), QStringLiteral("Jones"),
         QStringLiteral("The resource can only be booked 3 days in advance.") + beyond},
        {QStringLiteral("UPDATE Resources SET BookingRestrictMode = 3, BookingRestrictUntilDate = %1").arg(limitDate),
         Jan(5, 9), Jan(5, 10), QStringLiteral("Jones"),
         QStringLiteral("The resource can only be booked up to and including Jan 03 2026.") + beyond},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        TearDown();
        other.reset();
        ASSERT_TRUE(QFile::remove(DatabasePath()));
        SetUp();
        if (!c.setUp.isEmpty()) other->Execute(c.setUp);
        const QStringList before = Stored();
        OpenNew(c.start, c.end, c.client);
        EXPECT_FALSE(PressOk());
        EXPECT_EQ(Shown(), std::vector<QString>{c.text});
        EXPECT_EQ(Stored(), before);
        EXPECT_EQ(Bookings().State(), dsInsert);
    }
}

TEST_F(BookingFormSaveTest, OkOnAnUnchangedBookingWritesNothing) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    const QStringList before = Stored();
    OpenBooking(1001);
    EXPECT_TRUE(PressOk());
    EXPECT_EQ(Stored(), before);
    EXPECT_FALSE(form->IsModified());
}

TEST_F(BookingFormSaveTest, AChangeOverlappingOnlyItsOwnEarlierTimeIsSavedWithHistory) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    OpenBooking(1001);
    Type("BookingStart", Jan(5, 9, 30));
    Type("BookingEnd", Jan(5, 10, 30));
    Type("Client", QStringLiteral("Brown"));
    form->OnModify();
    EXPECT_TRUE(PressOk());
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(Stored(),
              (QStringList{QStringLiteral("1001|1|Jan 5 9:30|Jan 5 10:30|Brown|0"), QStringLiteral("1001|2|0")}));
    EXPECT_EQ(form->LastAction, kBookingModified);
}

TEST_F(BookingFormSaveTest, AChangeOverlappingItsOwnEarlierTimeAndAnotherBookingIsRefused) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    other->Book(1002, 1, Jan(5, 10, 30), Jan(5, 11, 30));
    const QStringList before = Stored();
    OpenBooking(1001);
    Type("BookingStart", Jan(5, 9, 30));
    Type("BookingEnd", Jan(5, 11));
    form->OnModify();
    EXPECT_FALSE(PressOk());
    EXPECT_EQ(Shown(), std::vector<QString>{kConflict.arg(1002)});
    EXPECT_EQ(Stored(), before);
    EXPECT_NEAR(Start(), Jan(5, 9, 30), OneMillisecond);
}

TEST_F(BookingFormSaveTest, ABookingAnotherProgramDeletedMeanwhileIsNotReportedAsSaved) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    OpenBooking(1001);
    Type("Client", QStringLiteral("Brown"));
    form->OnModify();
    other->Execute(QStringLiteral("DELETE FROM Bookings"));
    EXPECT_FALSE(PressOk());
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(form->LastAction, kBookingNothing);
    EXPECT_EQ(Bookings().FieldByName(QStringLiteral("Client")).AsString(), QStringLiteral("Brown"));
    EXPECT_EQ(other->Count(QStringLiteral("History")), 0);
}

// Three bookings of group 77 on Jan 5; the window shows the first.
class BookingFormGroupTest : public BookingFormSaveTest {
protected:
    std::vector<TGroupBookingReview> reviews;
    bool reviewAnswer = true;
    std::function<void()> duringReview;

    void SetUp() override {
        BookingFormSaveTest::SetUp();
        other->Book(1001, 1, Jan(5, 9), Jan(5, 10), QStringLiteral("Smith"), 77);
        other->Book(1002, 2, Jan(5, 11), Jan(5, 12), QStringLiteral("Smith"), 77);
        other->Book(1003, 1, Jan(5, 14), Jan(5, 15, 30), QStringLiteral("Smith"), 77);
    }

    // Opens the first member with every member chosen in the group list.
    void OpenGroup() {
        Open();
        form->Hooks.AskGroupQuestion = [](const QString&, const QString&) { return int(mrYes); };
        form->Hooks.ChooseGroupBookings = [](const TGroupBookingChoice& choice, QList<qint32>& ids, bool&) {
            EXPECT_EQ(choice.GroupBookingId, 77);
            EXPECT_EQ(choice.ListMode, 3);
            ids = {1001, 1002, 1003};
            return true;
        };
        form->Hooks.ReviewGroupUpdate = [this](const TGroupBookingReview& review) {
            reviews.push_back(review);
            if (duringReview) duringReview();
            return reviewAnswer;
        };
        OpenBooking(1001);
        Type("BookingStart", Jan(8, 9));
        form->OnModify();
    }

    QStringList Members() {
        return other->Rows(
            QStringLiteral("SELECT BookingId, BookingStart, BookingEnd FROM Bookings WHERE "
                           "GroupBookingId = 77 ORDER BY BookingId"));
    }
    static QString Member(int id, TDateTime start, TDateTime end) {
        return QStringLiteral("%1|%2|%3")
            .arg(id)
            .arg(FormatDateTime(QStringLiteral("mmm d h:nn"), start),
                 FormatDateTime(QStringLiteral("mmm d h:nn"), end));
    }
};

TEST_F(BookingFormGroupTest, MovingTheDateMovesEveryChosenMemberKeepingItsTime) {
    OpenGroup();
    EXPECT_TRUE(PressOk());
    EXPECT_TRUE(Shown().empty());
    EXPECT_TRUE(reviews.empty());
    EXPECT_EQ(Members(), (QStringList{Member(1001, Jan(8, 9), Jan(8, 10)), Member(1002, Jan(8, 11), Jan(8, 12)),
                                      Member(1003, Jan(8, 14), Jan(8, 15, 30))}));
    EXPECT_EQ(other->Rows(QStringLiteral("SELECT BookingId, HistoryCode, Trans FROM History ORDER BY BookingId")),
              (QStringList{QStringLiteral("1001|2|0"), QStringLiteral("1002|2|0"), QStringLiteral("1003|2|0")}));
    EXPECT_EQ(other->Count(QStringLiteral("Bookings")), 3);
}

TEST_F(BookingFormGroupTest, AConflictingMemberIsReviewedAndOkKeepsTheOthers) {
    other->Book(2000, 1, Jan(8, 15), Jan(8, 16));
    OpenGroup();
    EXPECT_TRUE(PressOk());
    EXPECT_EQ(Shown(), std::vector<QString>{QStringLiteral("Some bookings were not updated.\r\rPlease review the "
                                                           "update list.")});
    ASSERT_EQ(reviews.size(), 1u);
    EXPECT_EQ(reviews[0].Ids, (QList<qint32>{1001, 1002, 1003}));
    EXPECT_EQ(reviews[0].Results[0].Status, kConflictNone);
    EXPECT_EQ(reviews[0].Results[1].Status, kConflictNone);
    EXPECT_EQ(reviews[0].Results[2].Status, kConflictFound);
    EXPECT_EQ(Members(), (QStringList{Member(1001, Jan(8, 9), Jan(8, 10)), Member(1002, Jan(8, 11), Jan(8, 12)),
                                      Member(1003, Jan(5, 14), Jan(5, 15, 30))}));
    EXPECT_EQ(other->Rows(QStringLiteral("SELECT BookingId FROM History ORDER BY BookingId")),
              (QStringList{QStringLiteral("1001"), QStringLiteral("1002")}));
    EXPECT_EQ(other->Rows(QStringLiteral("SELECT Count(*) FROM Bookings WHERE Trans = True")),
              QStringList{QStringLiteral("0")});
}

TEST_F(BookingFormGroupTest, CancellingTheReviewKeepsNoneAndTheWindowOpen) {
    other->Book(2000, 1, Jan(8, 15), Jan(8, 16));
    const QStringList before = Stored();
    reviewAnswer = false;
    OpenGroup();
    EXPECT_FALSE(PressOk());
    EXPECT_EQ(reviews.size(), 1u);
    EXPECT_EQ(Stored(), before);
    EXPECT_NEAR(Start(), Jan(8, 9), OneMillisecond);
    EXPECT_EQ(form->LastAction, kBookingNothing);
}

TEST_F(BookingFormGroupTest, ACommitFailingBecauseTheBookingWasDeletedShowsWhyAndKeepsTheEntry) {
    other->Book(2000, 1, Jan(8, 15), Jan(8, 16));
    duringReview = [this] { other->Execute(QStringLiteral("DELETE FROM Bookings WHERE BookingId = 1001")); };
    OpenGroup();
    EXPECT_FALSE(PressOk());
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_TRUE(Shown()[1].contains(QStringLiteral("1001"))) << Shown()[1].toStdString();
    EXPECT_EQ(testing_env::Messages().Requests()[1].type, mtError);
    EXPECT_EQ(form->LastAction, kBookingNothing);
    EXPECT_NE(form->LastModifiedBookingId, 1001);
    // The typed values are still in the window's row, and only the member that could be applied was.
    EXPECT_NEAR(Start(), Jan(8, 9), OneMillisecond);
    EXPECT_EQ(Members(), (QStringList{Member(1002, Jan(8, 11), Jan(8, 12)), Member(1003, Jan(5, 14), Jan(5, 15, 30))}));
    EXPECT_EQ(other->Rows(QStringLiteral("SELECT BookingId FROM History ORDER BY BookingId")),
              QStringList{QStringLiteral("1002")});
}

TEST_F(BookingFormGroupTest, NoToTheGroupQuestionChangesOnlyThisBooking) {
    OpenGroup();
    form->Hooks.AskGroupQuestion = [](const QString& caption, const QString& text) {
        EXPECT_EQ(caption, QStringLiteral("Update booking"));
        EXPECT_EQ(text, QStringLiteral("This booking belongs to a group booking. Do you want to update any of the "
                                       "group bookings?"));
        return int(mrNo);
    };
    EXPECT_TRUE(PressOk());
    EXPECT_EQ(Members(), (QStringList{Member(1001, Jan(8, 9), Jan(8, 10)), Member(1002, Jan(5, 11), Jan(5, 12)),
                                      Member(1003, Jan(5, 14), Jan(5, 15, 30))}));
}

TEST_F(BookingFormGroupTest, AWorkingCopyThatCannotBeStoredLosesNoBooking) {
    // The counter hands out the ids of the stored members, so no working copy can be stored.
    other->Execute(QStringLiteral("ALTER TABLE NextBookingId ALTER COLUMN NextBookingId AUTOINCREMENT (1001,1)"));
    OpenGroup();
    PressOk();
    ASSERT_EQ(reviews.size(), 1u);
    for (const TBookingConflictResult& result : reviews[0].Results) EXPECT_EQ(result.Status, kPostFailed);
    EXPECT_EQ(Members(), (QStringList{Member(1001, Jan(5, 9), Jan(5, 10)), Member(1002, Jan(5, 11), Jan(5, 12)),
                                      Member(1003, Jan(5, 14), Jan(5, 15, 30))}));
    EXPECT_EQ(other->Rows(QStringLiteral("SELECT Count(*) FROM Bookings WHERE Trans = True")),
              QStringList{QStringLiteral("0")});
}

TEST_F(BookingFormSaveTest, SavingBeforeACommandAsksOnlyWhenThereIsSomethingToSave) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    OpenBooking(1001);
    EXPECT_EQ(form->SaveBeforeProceeding(false), kProceedUnchanged);
    EXPECT_TRUE(Shown().empty());
    Type("Client", QStringLiteral("Brown"));
    form->OnModify();
    testing_env::Messages().QueueAnswer(mrCancel);
    EXPECT_EQ(form->SaveBeforeProceeding(false), kProceedCancelled);
    EXPECT_EQ(Shown(), std::vector<QString>{QStringLiteral("Do you want to save the booking before proceeding?")});
    EXPECT_EQ(other->Count(QStringLiteral("History")), 0);
    testing_env::Messages().QueueAnswer(mrYes);
    EXPECT_EQ(form->SaveBeforeProceeding(false), kProceedSaved);
    EXPECT_EQ(other->Rows(QStringLiteral("SELECT Client FROM Bookings")), QStringList{QStringLiteral("Brown")});
    EXPECT_EQ(form->Caption(), QStringLiteral("Booking Id: 1001   Room A (unmodified)"));
    EXPECT_FALSE(form->isHidden());
}

TEST_F(BookingFormSaveTest, ABlankUserIdBlocksTheSaveBeforeValidation) {
    OpenNew(Jan(5, 9), Jan(5, 10), QString());
    data->UserId.clear();
    EXPECT_FALSE(PressOk());
    EXPECT_EQ(Shown(),
              std::vector<QString>{QStringLiteral("User identification is blank. The booking cannot be updated.")});
    EXPECT_TRUE(Stored().isEmpty());
}

TEST_F(BookingFormSaveTest, AResourceChosenInTheComboIsSaved) {
    other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    OpenBooking(1001);
    TADOTable& rooms = form->ResourceLookupTable;
    ASSERT_TRUE(rooms.Locate(QStringLiteral("ResourceName"), QStringLiteral("Room B")));
    form->ResourceNameLookupCombo->OnCloseUp(form->ResourceNameLookupCombo, &rooms, nullptr, true);
    EXPECT_TRUE(form->Edited);
    EXPECT_TRUE(PressOk());
    EXPECT_EQ(other->Rows(QStringLiteral("SELECT ResourceId FROM Bookings")), QStringList{QStringLiteral("2")});
    EXPECT_TRUE(
        other->Rows(QStringLiteral("SELECT Description FROM History")).value(0).contains(QStringLiteral("Room B")));
}
