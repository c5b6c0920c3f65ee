// The group booking list: result rows and counts, choosing members, refusals, column widths, Edit and Print.
#include "GroupBookingListFixture.h"

#include "booking/GroupBooking.h"
#include "data/bookings/BookingRecord.h"
#include "data/bookings/Trans.h"
#include "platform/db/Field.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <algorithm>

using namespace booking_test;
using bookings_test::At;

namespace {

QStringList RowTexts(const TListItem& row) {
    QStringList texts{row.Caption()};
    for (int i = 0; i < 6; ++i) texts << row.SubItem(i);
    return texts;
}

QStringList SelectedIds(const TGroupBookingForm& form) {
    QStringList ids;
    for (int i = 0; i < form.BookingList->ItemCount(); ++i)
        if (form.BookingList->Item(i).Selected()) ids << form.BookingList->Item(i).SubItem(4);
    return ids;
}

class GroupBookingListTest : public BookingEditorTest {
protected:
    // Runs the window through the scripted runner, doing what while it is shown.
    int Show(TGroupBookingForm& form, std::function<void(TGroupBookingForm&)> what) {
        ui::ScopedScriptedRunner runner;
        runner->OnShown<TGroupBookingForm>(QStringLiteral("GroupBookingForm"), what);
        return form.ShowModal();
    }

    // Three members of one group on Room 1, the first the original; answers their ids.
    std::vector<int> BookGroup() {
        std::vector<int> ids{db->Book(1, At(5, 9), At(5, 10)), db->Book(1, At(12, 9), At(12, 10)),
                             db->Book(1, At(19, 11), At(19, 12))};
        db->connection.Execute(QStringLiteral("UPDATE Bookings SET GroupBookingId = %1").arg(ids[0]));
        return ids;
    }
};

TEST_F(GroupBookingListTest, StatusAndDenialTexts) {
    const QStringList statuses = {"", "Ok", "Original", "Conflict", "", "Try later", "Denied", "Denied", "Error", ""};
    for (int status = 0; status < statuses.size(); ++status)
        EXPECT_EQ(BookingStatusText(status), statuses[status]) << status;
    const QStringList reasons = {"",
                                 "Exceeds global days ahead",
                                 "Exceeds global until date",
                                 "Exceeds resource max days ahead",
                                 "Exceeds resource until date",
                                 ""};
    for (int reason = 6; reason <= 11; ++reason) EXPECT_EQ(DenialReasonText(reason), reasons[reason - 6]) << reason;
}

TEST_F(GroupBookingListTest, RepeatResultsShowTheirRowsAndCountsAndOkNeedsNoSelection) {
    Open();
    TGroupBookingForm form(nullptr, data, *sqlData);
    form.Mode = gbmRepeatResults;
    const TDateTime nine = EncodeTime(9, 0, 0, 0), half10 = EncodeTime(10, 30, 0, 0);
    form.AddResultRow("Room 1", "Smith", 1001, 0, 2, half10, nine, At(5, 0));
    for (int i = 0; i < 5; ++i) form.AddResultRow("Room 2", "Smith", 1002 + i, 0, 1, half10, nine, At(6 + i, 0));
    form.AddResultRow("Room 1", "Smith", 1010, 0, 3, half10, nine, At(12, 0));
    form.AddResultRow("Room 2", "Smith", 1011, 0, 3, half10, nine, At(12, 0));
    form.AddResultRow("Room 9", "Smith", -1, 6, 8, half10, nine, At(13, 0));
    form.AddResultRow("Room 1", "Smith", -1, 7, 7, half10, nine, At(28, 0));
    form.AddResultRowSpan("Room 1", "Smith", 1020, 0, 1, 1.0, 0, At(29, 0));
    form.AddResultRowSpan("Room 1", "Smith", 0, 11, 6, 1.5, EncodeTime(12, 0, 0, 0), At(30, 0));

    EXPECT_EQ(RowTexts(form.BookingList->Item(0)),
              QStringList({"Jan 5 2026 9:00 am", "10:30 am", "Room 1", "Smith", "Original", "1001", ""}));
    EXPECT_EQ(RowTexts(form.BookingList->Item(9)), QStringList({"Jan 28 2026 9:00 am", "10:30 am", "Room 1", "Smith",
                                                                "Denied", "", "Exceeds global days ahead"}));
    EXPECT_EQ(RowTexts(form.BookingList->Item(10)),
              QStringList({"Jan 29 2026", "All Day", "Room 1", "Smith", "Ok", "1020", ""}));
    EXPECT_EQ(RowTexts(form.BookingList->Item(11)),
              QStringList({"Jan 30 2026 12:00 pm", "Feb 1 2026 12:00 am", "Room 1", "Smith", "Denied", "",
                           "Incorrect password"}));

    QString status;
    const int result = Show(form, [&](TGroupBookingForm& shown) {
        EXPECT_EQ(shown.Caption(), "Repeat booking results");
        EXPECT_EQ(shown.OkButton->Caption(), "&Ok");
        EXPECT_TRUE(shown.CancelButton->Visible());
        EXPECT_FALSE(shown.EditButton->Visible() || shown.SelectAllButton->Visible() || shown.HelpButton->Visible());
        EXPECT_TRUE(shown.PrintButton->Visible() && shown.PreviewButton->Visible());
        // This list has no report layout to print with.
        EXPECT_FALSE(shown.PrintButton->Enabled() || shown.PreviewButton->Enabled());
        status = shown.StatusBar->SimpleText();
        shown.OkButton->Click();
    });
    EXPECT_EQ(status, "Bookings: 7   Conflicts: 2   Denied: 2   Errors: 1");
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(form.SelectedIds.isEmpty());
}

TEST_F(GroupBookingListTest, TheMembersOfAGroupAreListedAndChosenByRule) {
    const std::vector<int> ids = BookGroup();
    db->Book(1, At(20, 9), At(20, 10));  // not a member
    Open();
    TGroupBookingForm form(nullptr, data, *sqlData);
    form.Mode = gbmSelectUpdate;
    const auto flags = data.NewBookingRecord(data.BookingsTable);
    const auto reference = data.NewBookingRecord(data.BookingsTable);
    ASSERT_EQ(form.LoadGroup(ids[0]), 3);
    EXPECT_EQ(form.FillFromQuery(4, ids[1], *flags, *reference), 3);
    form.CloseGroup();
    EXPECT_EQ(SelectedIds(form), QStringList{QString::number(ids[1])});
    EXPECT_EQ(RowTexts(form.BookingList->Item(2)),
              QStringList({"Jan 19 2026 11:00 am", "12:00 pm", "Room 1", "Smith", "", QString::number(ids[2]), ""}));

    // Rule 3: the members that hold the edited booking's earlier value in every changed field.
    flags->StartTimeChanged = true;
    reference->StartTime = EncodeTime(9, 0, 0, 0);
    form.LoadGroup(ids[0]);
    form.FillFromQuery(3, ids[0], *flags, *reference);
    EXPECT_EQ(SelectedIds(form), QStringList({QString::number(ids[0]), QString::number(ids[1])}));
    flags->ClientChanged = true;
    reference->Client = "smith";  // texts compare with case
    form.LoadGroup(ids[0]);
    form.FillFromQuery(3, ids[0], *flags, *reference);
    EXPECT_TRUE(SelectedIds(form).isEmpty());
    form.LoadGroup(ids[0]);
    form.FillFromQuery(2, ids[0], *flags, *reference);
    EXPECT_EQ(SelectedIds(form).size(), 3);
    form.SelectOriginalButtonClick();
    EXPECT_EQ(SelectedIds(form), QStringList{QString::number(ids[0])});
    form.SelectAllButtonClick();
    EXPECT_EQ(SelectedIds(form).size(), 3);
}

TEST_F(GroupBookingListTest, OkRefusesStagedAndForbiddenMembersAndKeepsTheWindowOpen) {
    std::vector<int> ids = BookGroup();
    db->Book(3, At(26, 9), At(26, 10));
    db->connection.Execute(QStringLiteral("UPDATE Bookings SET GroupBookingId = %1").arg(ids[0]));
    Open();
    // Another save's staged row in the group.
    data.ADOConnection.Execute(QStringLiteral("INSERT INTO Bookings (BookingId, ResourceId, GroupBookingId, Trans, "
                                              "Client, BookingStart, BookingEnd) VALUES (5000, 2, %1, True, "
                                              "\"Jones\", #1/7/2026 9:00#, #1/7/2026 10:00#)")
                                   .arg(ids[0]));
    TGroupBookingForm form(nullptr, data, *sqlData);
    form.Mode = gbmSelectDelete;
    const auto record = data.NewBookingRecord(data.BookingsTable);
    ASSERT_EQ(form.LoadGroup(ids[0]), 5);
    form.FillFromQuery(2, ids[0], *record, *record);

    form.OkButtonClick();
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"Transaction bookings can not be modified. These bookings have been "
                                                   "unselected."});
    EXPECT_NE(form.ModalResult(), mrOk);
    EXPECT_EQ(SelectedIds(form),
              QStringList({QString::number(ids[0]), QString::number(ids[1]), QString::number(ids[2])}));
    EXPECT_EQ(RowTexts(form.BookingList->Item(4))[4], "Not authorized");

    testing_env::Messages().Clear();
    form.SelectAllButtonClick();
    form.BookingList->Item(1).SetSelected(false);  // the staged one
    form.OkButtonClick();
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"You are not authorized to modify some of the selected bookings. "
                                                   "These bookings have been unselected."});

    testing_env::Messages().Clear();
    form.OkButtonClick();
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(form.SelectedIds, QVector<qint32>({ids[0], ids[1], ids[2]}));

    // A caller that may not change its booking accepts nothing.
    form.SetModalResult(mrNone);
    form.ReadOnly = true;
    form.SelectAllButtonClick();
    form.OkButtonClick();
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"You have not selected any bookings."});
    EXPECT_NE(form.ModalResult(), mrOk);
}

TEST_F(GroupBookingListTest, ColumnWidthsAreKeptButNotTheHiddenOnes) {
    Open();
    {
        TGroupBookingForm form(nullptr, data, *sqlData);
        form.Mode = gbmViewGroup;
        Show(form, [](TGroupBookingForm& shown) {
            shown.BookingList->Column(3).SetWidth(140);
            shown.BookingList->Column(0).SetWidth(150);
            shown.OkButton->Click();
        });
    }
    {
        TGroupBookingForm form(nullptr, data, *sqlData);
        form.Mode = gbmChooseView;
        Show(form, [](TGroupBookingForm& shown) {
            EXPECT_EQ(shown.BookingList->Column(0).Width(), 0);
            EXPECT_EQ(shown.BookingList->Column(2).Width(), 0);
            EXPECT_FALSE(shown.BookingList->MultiSelect());
            EXPECT_EQ(shown.CancelButton->Caption(), "&Close");
            EXPECT_FALSE(shown.OkButton->Visible());
            shown.CancelButton->Click();
        });
    }
    TGroupBookingForm form(nullptr, data, *sqlData);
    EXPECT_EQ(form.BookingList->Column(0).Width(), 150);
    EXPECT_EQ(form.BookingList->Column(2).Width(), 100);
    EXPECT_EQ(form.BookingList->Column(3).Width(), 140);
    EXPECT_EQ(form.BookingList->Column(6).Width(), 100);
}

TEST_F(GroupBookingListTest, EditShowsWhatBecameOfTheBooking) {
    const std::vector<int> ids = BookGroup();
    Open();
    data.ADOConnection.Execute(QStringLiteral("INSERT INTO Bookings (BookingId, ResourceId, GroupBookingId, Trans, "
                                              "Client, BookingStart, BookingEnd) VALUES (5000, 2, %1, True, "
                                              "\"Jones\", #1/7/2026 9:00#, #1/7/2026 10:00#)")
                                   .arg(ids[0]));
    std::vector<std::pair<qint32, bool>> edits;
    TGroupBookingHooks hooks;
    hooks.BookingForm = [&](qint32 id, bool single) {
        edits.emplace_back(id, single);
        data.ADOConnection.Execute(QStringLiteral("UPDATE Bookings SET Client = \"Brown\", ResourceId = 2 WHERE "
                                                  "BookingId = %1")
                                       .arg(id));
        return true;
    };
    TGroupBookingForm form(nullptr, data, *sqlData, hooks);
    form.Mode = gbmViewGroup;
    const auto record = data.NewBookingRecord(data.BookingsTable);
    form.LoadGroup(ids[0]);
    form.FillFromQuery(0, ids[0], *record, *record);
    const auto editRow = [&](int index) {
        form.BookingList->clearSelection();
        form.BookingList->Item(index).SetSelected(true);
        form.EditButtonClick();
        return RowTexts(form.BookingList->Item(index));
    };
    EXPECT_EQ(editRow(0), QStringList({"Jan 5 2026 9:00 am", "10:00 am", "Room 2", "Brown", "Modified",
                                       QString::number(ids[0]), ""}));
    EXPECT_TRUE(form.Changed);
    EXPECT_EQ(edits, (std::vector<std::pair<qint32, bool>>{{ids[0], true}}));

    editRow(1);  // the staged row
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"Transaction bookings can not be modified"});
    data.ADOConnection.Execute(QStringLiteral("DELETE FROM Bookings WHERE BookingId = %1").arg(ids[2]));
    EXPECT_EQ(editRow(3)[4], "Deleted");
    EXPECT_EQ(edits.size(), 1u);
    form.UpdateCounts();
    EXPECT_EQ(form.StatusBar->SimpleText(), "Bookings: 4");
}

TEST_F(GroupBookingListTest, AGroupUpdatesRowsFollowItsStagedChanges) {
    const std::vector<int> ids = BookGroup();
    Open();
    TGroupBookingForm form(nullptr, data, *sqlData);
    form.Mode = gbmUpdateResults;
    const auto record = data.NewBookingRecord(data.BookingsTable);
    form.LoadGroup(ids[0]);
    form.FillFromQuery(2, ids[0], *record, *record);
    form.CloseGroup();
    // The group edit stages a change of the second member and reports on it by its working row.
    data.BookingsTrans.BeginTrans();
    data.HistoryTrans.BeginTrans();
    ASSERT_TRUE(data.BookingsTable.Locate("BookingId", ids[1]));
    const int index = data.BookingsTrans.AddOperation(kOpModify);
    data.BookingsTable.FieldByName("Client").SetAsString("Brown");
    data.BookingsTable.Post();
    const qint32 working = data.BookingsTrans.WorkingIds[index];
    form.SetRowStatus(working, 3);
    form.RefreshRows();
    EXPECT_EQ(RowTexts(form.BookingList->Item(1)), QStringList({"Jan 12 2026 9:00 am", "10:00 am", "Room 1", "Brown",
                                                                "Conflict", QString::number(ids[1]), ""}));
    form.UpdateCounts();
    EXPECT_EQ(form.StatusBar->SimpleText(), "Bookings: 2   Conflicts: 1   Denied: 0   Errors: 0");
    data.BookingsTrans.RollbackTrans();
    data.HistoryTrans.RollbackTrans();
}

TEST_F(GroupBookingListTest, DeleteRunsTheBookingWindowsDeleteForABookingTheUserMayChange) {
    const int room = db->Book(1, At(5, 9), At(5, 10));
    const int boardroom = db->Book(3, At(5, 9), At(5, 10));
    Open();
    std::vector<qint32> deletes;
    TGroupBookingHooks hooks;
    hooks.BookingFormDelete = [&](qint32 id) {
        deletes.push_back(id);
        data.ADOConnection.Execute(QStringLiteral("DELETE FROM Bookings WHERE BookingId = %1").arg(id));
    };
    TGroupBookingForm form(nullptr, data, *sqlData, hooks);
    form.Mode = gbmChooseDelete;
    form.AddResultRow("Room 1", "Smith", room, 0, 0, EncodeTime(10, 0, 0, 0), EncodeTime(9, 0, 0, 0), At(5, 0));
    form.AddResultRow("Boardroom", "Smith", boardroom, 0, 0, EncodeTime(10, 0, 0, 0), EncodeTime(9, 0, 0, 0), At(5, 0));
    for (int row : {1, 0}) {
        form.BookingList->clearSelection();
        form.BookingList->Item(row).SetSelected(true);
        form.DeleteButtonClick();
    }
    EXPECT_EQ(deletes, std::vector<qint32>{room});
    EXPECT_EQ(form.BookingList->Item(0).SubItem(3), "Deleted");
    EXPECT_EQ(form.BookingList->Item(1).SubItem(3), "");
}

TEST_F(GroupBookingListTest, PrintAndPreviewGoToTheReportWithTheDatabaseTitle) {
    Open();
    std::vector<TGroupBookingHooks::PrintJob> jobs;
    TGroupBookingHooks hooks;
    hooks.RBGroupBookingsForm = [&](TGroupBookingForm&, const TGroupBookingHooks::PrintJob& job) {
        jobs.push_back(job);
    };
    TGroupBookingForm form(nullptr, data, *sqlData, hooks);
    form.Mode = gbmRepeatResults;
    Show(form, [](TGroupBookingForm& shown) {
        EXPECT_TRUE(shown.PrintButton->Enabled() && shown.PreviewButton->Enabled());
        shown.CancelButton->Click();
    });
    form.PreviewButton->Click();
    form.Mode = gbmSelectUpdate;
    form.PrintButton->Click();
    ASSERT_EQ(jobs.size(), 2u);
    const QString title = data.GetDatabaseTitle();
    EXPECT_EQ(jobs[0].DocumentName, title.isEmpty() ? QStringLiteral("Tavorin Group Bookings")
                                                    : QStringLiteral("Tavorin Group Bookings - ") + title);
    EXPECT_TRUE(jobs[0].Preview && jobs[0].ShowStatus);
    EXPECT_FALSE(jobs[1].Preview || jobs[1].ShowStatus);
}

TEST_F(GroupBookingListTest, EachModeHasItsCaptionAndButtonsRightAlignedInOrder) {
    Open();
    // The visible buttons from the right edge leftwards.
    const std::vector<std::pair<QString, QStringList>> modes = {
        {"Select group bookings to update",
         {"&Cancel", "&Update", "Select &All", "Select &Original", "&Print", "Pre&view"}},
        {"Select group bookings to delete",
         {"&Cancel", "&Delete", "Select &All", "Select &Original", "&Print", "Pre&view"}},
        {"Repeat booking results", {"&Cancel", "&Ok", "&Print", "Pre&view"}},
        {"Group Bookings", {"&Close", "&Edit", "Select &Original", "&Print", "Pre&view"}},
        {"Group booking update results", {"&Cancel", "&Accept", "&Edit", "Select &All", "&Print", "Pre&view"}},
        {"Choose Booking to View", {"&Close", "&Edit", "&Print", "Pre&view"}},
        {"Choose Booking to Delete", {"&Cancel", "&Delete", "&Print", "Pre&view"}},
    };
    testing_env::AtEachTestFont([&] {
        for (int mode = gbmSelectUpdate; mode <= gbmChooseDelete; ++mode) {
            SCOPED_TRACE(mode);
            TGroupBookingForm form(nullptr, data, *sqlData);
            form.Mode = mode;
            form.AddResultRow("Room 1", "Smith", 1001, 7, 7, EncodeTime(10, 0, 0, 0), EncodeTime(9, 0, 0, 0), At(5, 0));
            Show(form, [&](TGroupBookingForm& shown) {
                EXPECT_EQ(shown.Caption(), modes[size_t(mode - 1)].first);
                std::vector<TButton*> buttons;
                for (TButton* b : shown.findChildren<TButton*>())
                    if (b->Visible()) buttons.push_back(b);
                std::sort(buttons.begin(), buttons.end(), [](TButton* a, TButton* b) { return a->Left() > b->Left(); });
                QStringList captions;
                for (TButton* b : buttons) captions << b->Caption();
                EXPECT_EQ(captions, modes[size_t(mode - 1)].second);
                EXPECT_EQ(buttons.front()->Left() + buttons.front()->Width(), shown.ClientWidth() - 12);
                testing_env::ExpectTextsWhole(shown);
                shown.Close();
            });
        }
    });
}

}  // namespace
