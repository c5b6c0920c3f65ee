// The real program's booking windows behind the main window, over a real database file: a booking made from a
// double click on the day grid, a booking opened by its id, the booking window's delete and its repeat, a
// booking's group in the group list, and the search and settings windows.
#include "app/main/BookingViewsFixture.h"
#include "app/main/BookingWindows.h"
#include "app/main/MainFormTasks.h"
#include "booking/BookingForm.h"
#include "booking/FindForm.h"
#include "booking/FindSearchDateForm.h"
#include "booking/GroupBooking.h"
#include "booking/RepeatBooking.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwDBEdit.h"
#include "controls/grid/Wwdbgrid.h"
#include "mail/AddressBookForm.h"
#include "platform/db/Field.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Lists.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ModalRunner.h"
#include "support/TempDesktop.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QTest>

namespace {

class BookingWindowsTest : public testing_env::BookingViewsTest {
protected:
    std::unique_ptr<TMainForm> OpenOn(const QString& resource) {
        TMainWindowServices services;
        InstallBookingWindows(services);
        auto form = Open(QStringLiteral("day"), std::move(services));
        Select(*form, form->ResourcesNode, resource);
        data.UserId = QStringLiteral("jsmith");
        testing_env::Messages().Clear();
        return form;
    }

    // The query's rows, the fields of each joined by blanks.
    QStringList Rows(const QString& sql) {
        TADOQuery query;
        query.SetConnection(&data.ADOConnection);
        query.SQL.SetText(sql);
        query.Open();
        QStringList rows;
        for (; !query.Eof(); query.Next()) {
            QStringList fields;
            for (int i = 0; i < query.FieldCount(); ++i) fields << query.Fields()[i]->AsString();
            rows << fields.join(QLatin1Char(' '));
        }
        query.Close();
        return rows;
    }

    // "Booking Id..." with the id typed.
    static void OpenBookingId(TMainForm& form, int id) {
        testing_env::Messages().QueueAnswer(mrOk, QString::number(id));
        form.Item(QStringLiteral("BookingIdItem"))->Click();
    }
};

TEST_F(BookingWindowsTest, ADoubleClickOnAFreeSlotBooksItThroughTheBookingWindowAndTheGridShowsIt) {
    auto form = OpenOn(QStringLiteral("Room A"));
    ui::ScopedScriptedRunner runner;
    QString shownResource;
    runner->OnShown<TBookingForm>(QStringLiteral("BookingForm"), [&](TBookingForm& window) {
        shownResource = window.ResourceName;
        window.ClientDBEdit->SetFocus();
        QTest::keyClicks(window.ClientDBEdit, QStringLiteral("Ames"));
        // Leaving the edit writes its text into the row; the offscreen window never takes the focus itself.
        window.ClientDBEdit->UpdateFieldData();
        window.OkButton->Click();
    });
    form->DayGrid->SetTopRow(1);
    const TRect first = form->DayGrid->CellRect(1, 1);
    const QPoint centre((first.Left + first.Right) / 2, (first.Top + first.Bottom) / 2);
    QTest::mouseClick(form->DayGrid->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(form->DayGrid->viewport(), Qt::LeftButton, {}, centre);

    EXPECT_EQ(runner->Runs(), std::vector<QString>{QStringLiteral("BookingForm")});
    const QStringList made = Rows(QStringLiteral("SELECT BookingId, ResourceId FROM Bookings WHERE Client = 'Ames'"));
    ASSERT_EQ(made.size(), 1);
    const QString id = made[0].section(QLatin1Char(' '), 0, 0);
    EXPECT_EQ(made[0].section(QLatin1Char(' '), 1), QStringLiteral("2"));
    EXPECT_EQ(Rows(QStringLiteral("SELECT HistoryCode FROM History WHERE BookingId = ") + id),
              QStringList{QStringLiteral("1")});
    // The grid was loaded again after the window closed: the new booking lies in Room A's column.
    EXPECT_TRUE(ColumnIds(*form->DayGrid, 1).contains(id.toInt()));
    for (const QString& text : testing_env::Messages().Texts()) ADD_FAILURE() << text.toStdString();
}

// A booking changed from the Reminders tab is the one "Last Modified Booking" opens afterwards.
TEST_F(BookingWindowsTest, ABookingChangedFromItsReminderBecomesTheLastModifiedBooking) {
    auto form = OpenOn(QStringLiteral("Room A"));
    data.ADOConnection.Execute(QStringLiteral("UPDATE Bookings SET Reminder = 'Call' WHERE BookingId = 10"));
    form->DataPageControl->SetActivePage(form->RemindersTabSheet);
    ASSERT_TRUE(form->RemindersQuery.Locate(QStringLiteral("BookingId"), 10));
    ui::ScopedScriptedRunner runner;
    runner->OnShown<TBookingForm>(QStringLiteral("BookingForm"), [&](TBookingForm& window) {
        window.ClientDBEdit->SetFocus();
        QTest::keyClicks(window.ClientDBEdit, QStringLiteral("Ames"));
        window.ClientDBEdit->UpdateFieldData();
        window.OkButton->Click();
    });
    TwwDBGrid& reminders = *form->TaskLists->ReminderDBGrid;
    reminders.OnDblClick(&reminders);
    ASSERT_EQ(runner->Runs(), std::vector<QString>{QStringLiteral("BookingForm")});

    EXPECT_TRUE(form->Item(QStringLiteral("LastModifiedBookingItem"))->Enabled());
    qint64 shownId = 0;
    runner->OnShown<TBookingForm>(QStringLiteral("BookingForm"), [&](TBookingForm& window) {
        shownId = data.BookingsTable.FieldByName(QStringLiteral("BookingId")).AsInteger();
        window.CancelButton->Click();
    });
    form->Item(QStringLiteral("LastModifiedBookingItem"))->Click();
    EXPECT_EQ(shownId, 10);
    for (const QString& text : testing_env::Messages().Texts()) ADD_FAILURE() << text.toStdString();
}

TEST_F(BookingWindowsTest, BookingIdOpensTheBookingWindowOnThatBooking) {
    auto form = OpenOn(QStringLiteral("Room A"));
    ui::ScopedScriptedRunner runner;
    QString client;
    qint64 shownId = 0;
    runner->OnShown<TBookingForm>(QStringLiteral("BookingForm"), [&](TBookingForm& window) {
        shownId = data.BookingsTable.FieldByName(QStringLiteral("BookingId")).AsInteger();
        client = window.ClientDBEdit->Text();
        window.CancelButton->Click();
    });
    OpenBookingId(*form, 12);
    EXPECT_EQ(runner->Runs(), std::vector<QString>{QStringLiteral("BookingForm")});
    EXPECT_EQ(shownId, 12);
    EXPECT_EQ(client, Rows(QStringLiteral("SELECT Client FROM Bookings WHERE BookingId = 12")).value(0));
}

TEST_F(BookingWindowsTest, TheClientSearchPicksACardOfTheAddressBookIntoTheBooking) {
    auto form = OpenOn(QStringLiteral("Room A"));
    TAddressBookCard card;
    card.FirstName = QStringLiteral("Ann");
    card.LastName = QStringLiteral("Lee");
    card.DisplayName = QStringLiteral("Ann Lee");
    card.EmailAddress = QStringLiteral("ann@x.org");
    card.Phone = QStringLiteral("555 0100");
    card.Company = QStringLiteral("Acme");
    card.City = QStringLiteral("Leeds");
    data.AddressBook->AddCard(card);
    ui::ScopedScriptedRunner runner;
    bool pickerButtonsShown = false;
    runner->OnShown<TBookingForm>(QStringLiteral("BookingForm"), [](TBookingForm& window) {
        window.ClientSearchButton->Click();
        EXPECT_EQ(window.ClientDBEdit->Text(), QStringLiteral("Ann Lee"));
        window.OkButton->Click();
    });
    runner->OnShown<TAddressBookForm>(QStringLiteral("AddressBookForm"), [&](TAddressBookForm& book) {
        pickerButtonsShown = book.SelectButton->Visible() && book.CancelButton->Visible();
        book.SelectButton->Click();
    });
    OpenBookingId(*form, 12);
    EXPECT_TRUE(pickerButtonsShown);
    EXPECT_EQ(Rows(QStringLiteral("SELECT Client, Email, Phone FROM Bookings WHERE BookingId = 12")),
              QStringList{QStringLiteral("Ann Lee ann@x.org 555 0100")});
    EXPECT_EQ(Rows(QStringLiteral("SELECT Address FROM Bookings WHERE BookingId = 12")),
              QStringList{QStringLiteral("Acme\r\nLeeds")});
}

TEST_F(BookingWindowsTest, TheBookingWindowsDeleteRemovesTheBookingAndClosesTheWindow) {
    auto form = OpenOn(QStringLiteral("Room A"));
    ui::ScopedScriptedRunner runner;
    bool deleteEnabled = false;
    runner->OnShown<TBookingForm>(QStringLiteral("BookingForm"), [&](TBookingForm& window) {
        deleteEnabled = window.Item(QStringLiteral("DeleteItem"))->Enabled();
        // The delete question is answered with OK.
        window.Item(QStringLiteral("DeleteItem"))->Click();
    });
    OpenBookingId(*form, 10);
    EXPECT_TRUE(deleteEnabled);
    EXPECT_TRUE(Rows(QStringLiteral("SELECT BookingId FROM Bookings WHERE BookingId = 10")).isEmpty());
    EXPECT_EQ(Rows(QStringLiteral("SELECT HistoryCode FROM History WHERE BookingId = 10")),
              QStringList{QStringLiteral("3")});
    const std::vector<QString> texts = testing_env::Messages().Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_TRUE(texts.back().startsWith(QStringLiteral("Delete booking 10\r\r"))) << texts.back().toStdString();
    // The window closed by itself; the grid no longer shows the booking.
    EXPECT_EQ(runner->Runs(), std::vector<QString>{QStringLiteral("BookingForm")});
    EXPECT_FALSE(ColumnIds(*form->DayGrid, 1).contains(10));
}

TEST_F(BookingWindowsTest, TheMainWindowsDeleteOfACellDeletesItsBookingThroughTheBookingWindow) {
    auto form = OpenOn(QStringLiteral("Room B"));
    ui::ScopedScriptedRunner runner;
    // Room B's 8:00 booking lies in the first row.
    TTimeIntervalBookingGrid& grid = *form->DayGrid;
    grid.ClickedCol = grid.ClickedRow = 1;
    grid.ClickInFixedCols = grid.ClickInFixedRows = false;
    TGridRect cell;
    cell.Left = cell.Right = cell.Top = cell.Bottom = 1;
    grid.SetSelection(cell);
    form->Item(QStringLiteral("DeleteBookingItem"))->Click();
    // Only the question was asked; no window showed.
    EXPECT_TRUE(runner->Runs().empty());
    const std::vector<QString> texts = testing_env::Messages().Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Delete booking 12\r\r"))) << texts[0].toStdString();
    EXPECT_TRUE(Rows(QStringLiteral("SELECT BookingId FROM Bookings WHERE BookingId = 12")).isEmpty());
    EXPECT_EQ(Rows(QStringLiteral("SELECT HistoryCode FROM History WHERE BookingId = 12")),
              QStringList{QStringLiteral("3")});
    EXPECT_FALSE(ColumnIds(grid, 1).contains(12));
}

TEST_F(BookingWindowsTest, RepeatOpensTheRepeatWindowWithTheBookingsTimeAndResource) {
    auto form = OpenOn(QStringLiteral("Room A"));
    ui::ScopedScriptedRunner runner;
    QStringList times, resources;
    runner->OnShown<TBookingForm>(QStringLiteral("BookingForm"), [&](TBookingForm& window) {
        window.Item(QStringLiteral("RepeatItem"))->Click();
        window.CancelButton->Click();
    });
    runner->OnShown<TRepeatBookingForm>(QStringLiteral("RepeatBookingForm"), [&](TRepeatBookingForm& repeat) {
        for (int i = 0; i < repeat.TimeListBox->Items().Count(); ++i) times << repeat.TimeListBox->Items()[i];
        for (int i = 0; i < repeat.ResourceListBox->Items().Count(); ++i)
            resources << repeat.ResourceListBox->Items()[i];
        repeat.CancelButton->Click();
    });
    OpenBookingId(*form, 10);
    EXPECT_EQ(runner->Runs(),
              (std::vector<QString>{QStringLiteral("BookingForm"), QStringLiteral("RepeatBookingForm")}));
    EXPECT_EQ(times.size(), 1);
    EXPECT_EQ(resources, QStringList{QStringLiteral("Room A")});
    // Nothing was repeated.
    EXPECT_EQ(Rows(QStringLiteral("SELECT COUNT(*) FROM Bookings")), QStringList{QStringLiteral("4")});
}

TEST_F(BookingWindowsTest, ANewBookingRepeatedAndAcceptedReadsAsAStoredOne) {
    auto form = OpenOn(QStringLiteral("Room A"));
    ui::ScopedScriptedRunner runner;
    QString caption, status;
    runner->OnShown<TBookingForm>(QStringLiteral("BookingForm"), [&](TBookingForm& window) {
        window.ClientDBEdit->SetFocus();
        QTest::keyClicks(window.ClientDBEdit, QStringLiteral("Ames"));
        window.ClientDBEdit->UpdateFieldData();
        window.Item(QStringLiteral("RepeatItem"))->Click();
        caption = window.Caption();
        status = window.StatusBar->SimpleText();
        window.CancelButton->Click();
    });
    runner->OnShown<TRepeatBookingForm>(QStringLiteral("RepeatBookingForm"),
                                        [](TRepeatBookingForm& repeat) { repeat.OkButton->Click(); });
    runner->OnShown<TGroupBookingForm>(QStringLiteral("GroupBookingForm"),
                                       [](TGroupBookingForm& results) { results.OkButton->Click(); });
    form->DayGrid->SetTopRow(1);
    const TRect first = form->DayGrid->CellRect(1, 1);
    const QPoint centre((first.Left + first.Right) / 2, (first.Top + first.Bottom) / 2);
    QTest::mouseClick(form->DayGrid->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(form->DayGrid->viewport(), Qt::LeftButton, {}, centre);

    const QStringList made = Rows(QStringLiteral("SELECT BookingId FROM Bookings WHERE Client = 'Ames'"));
    ASSERT_EQ(made.size(), 1);
    EXPECT_TRUE(caption.endsWith(QStringLiteral(" (unmodified)"))) << caption.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("Owner: jsmith   Created: "))) << status.toStdString();
    EXPECT_FALSE(status.contains(QStringLiteral("n/a"))) << status.toStdString();
}

TEST_F(BookingWindowsTest, GroupBookingsShowsTheBookingsGroupInTheGroupList) {
    auto form = OpenOn(QStringLiteral("Room A"));
    data.ADOConnection.Execute(QStringLiteral("UPDATE Bookings SET GroupBookingId = 12 WHERE BookingId IN (10, 12)"));
    data.BookingsTable.Requery();
    ui::ScopedScriptedRunner runner;
    int mode = 0;
    QStringList rows;
    runner->OnShown<TGroupBookingForm>(QStringLiteral("GroupBookingForm"), [&](TGroupBookingForm& list) {
        mode = list.Mode;
        for (int i = 0; i < list.BookingList->ItemCount(); ++i) {
            rows << list.BookingList->Item(i).SubItem(TGroupBookingForm::siBookingId);
        }
        list.OkButton->Click();
    });
    testing_env::Messages().QueueAnswer(mrOk, QStringLiteral("10"));
    form->Item(QStringLiteral("GroupBookingsItem"))->Click();
    EXPECT_EQ(runner->Runs(), std::vector<QString>{QStringLiteral("GroupBookingForm")});
    EXPECT_EQ(mode, gbmViewGroup);
    // The group's bookings by start: Room B's at 8:00, then Room A's at 9:00.
    EXPECT_EQ(rows, (QStringList{QStringLiteral("12"), QStringLiteral("10")}));
}

TEST_F(BookingWindowsTest, TheSearchAndSettingsCommandsOpenTheirWindows) {
    auto form = OpenOn(QStringLiteral("Room A"));
    const struct {
        const char* item;
        const char* window;
    } cases[] = {{"SearchBookingsItem", "FindForm"},
                 {"DeletedBookingsItem", "FindDeletedForm"},
                 {"HistoryItem", "FindHistoryForm"},
                 {"GoToDateItem", "SearchDateForm"},
                 {"UserSettingsItem", "UserSettingsForm"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        ui::ScopedScriptedRunner runner;
        runner->Answer(QString::fromLatin1(c.window), mrCancel);
        TMenuItem* item = form->Item(QString::fromLatin1(c.item));
        EXPECT_TRUE(item->Enabled());
        item->Click();
        EXPECT_EQ(runner->Runs(), std::vector<QString>{QString::fromLatin1(c.window)});
    }

    // The search starts on the calendar's date, and "Go to Date" moves the calendar to the date chosen.
    ui::ScopedScriptedRunner runner;
    TDateTime from = 0, to = 0;
    runner->OnShown<TFindForm>(QStringLiteral("FindForm"), [&](TFindForm& find) {
        from = find.FromDatePicker->Date();
        to = find.ToDatePicker->Date();
        find.Close();
    });
    form->Item(QStringLiteral("SearchBookingsItem"))->Click();
    EXPECT_EQ(from, testing_env::kViewsDay);
    EXPECT_EQ(to, testing_env::kViewsDay);
    runner->OnShown<TSearchDateForm>(QStringLiteral("SearchDateForm"), [](TSearchDateForm& search) {
        search.DatePicker->SetDate(testing_env::kViewsDay + 9);
        search.OkButton->Click();
    });
    form->Item(QStringLiteral("GoToDateItem"))->Click();
    EXPECT_EQ(DateOf(form->Calendar->Date()), testing_env::kViewsDay + 9);
}

}  // namespace

namespace {

TEST_F(BookingWindowsTest, ComposeHandsTheBookingToTheDefaultMailProgramAndRecordsIt) {
    auto form = OpenOn(QStringLiteral("Room A"));
    testing_env::TempDesktop desktop;
    desktop.InstallXdgEmail(0);
    TDvMapiConnection& mapi = data.DvMapiConnection;
    mapi.SimpleMapiInstalled = true;
    data.InternetConnected = [] { return true; };
    data.EMailSettings.SenderAddress = QStringLiteral("desk@x.org");
    data.EMailSettings.BCCSender = true;
    data.EMailSettings.Subject = QStringLiteral("S");
    data.ADOConnection.Execute(QStringLiteral("UPDATE Bookings SET Email = 'b@x.org' WHERE BookingId = 12"));
    ui::ScopedScriptedRunner runner;
    std::vector<bool> enabled;
    for (const bool found : {false, true}) {
        mapi.DefaultClientFound = found;
        runner->OnShown<TBookingForm>(QStringLiteral("BookingForm"), [&](TBookingForm& window) {
            TMenuItem* compose = window.Item(QStringLiteral("ComposeItem"));
            enabled.push_back(compose->Enabled());
            if (compose->Enabled()) compose->Click();
            window.CancelButton->Click();
        });
        OpenBookingId(*form, 12);
    }
    EXPECT_EQ(enabled, (std::vector<bool>{false, true}));
    const QStringList arguments = desktop.XdgEmailArguments();
    ASSERT_EQ(arguments.size(), 8);
    EXPECT_EQ(arguments.mid(0, 6), (QStringList{"--utf8", "--bcc", "desk@x.org", "--subject", "S", "--body"}));
    EXPECT_TRUE(arguments[6].contains(QStringLiteral("\nDetails for Booking Id: 12\n")));
    EXPECT_EQ(arguments[7], QStringLiteral("b@x.org"));
    EXPECT_EQ(Rows(QStringLiteral("SELECT HistoryCode, Userid, Description FROM History WHERE BookingId = 12")),
              QStringList{QStringLiteral("42 jsmith Mapi email compose")});
}

}  // namespace
