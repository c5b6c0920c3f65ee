// The repeat window: its patterns, its lists and checks, and the staged run committed or rolled back whole.
#include "GroupBookingListFixture.h"

#include "booking/GroupBooking.h"
#include "booking/RepeatBooking.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/MonthCalendar.h"
#include "data/bookings/BookingRecord.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Lists.h"
#include "platform/ui/ModalRunner.h"
#include "support/FaultLoop.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace booking_test;
using bookings_test::At;

namespace {

QStringList DateTexts(const TDvDateTimeList& dates) {
    QStringList texts;
    for (int i = 0; i < dates.Count(); ++i) texts << FormatDateTime(QStringLiteral("mmm d yyyy"), dates.GetItem(i));
    return texts;
}

TDateTime Day(int year, int month, int day) { return EncodeDate(year, month, day); }

class RepeatBookingTest : public BookingEditorTest {
protected:
    std::unique_ptr<TRepeatBookingForm> form;

    // The window as the booking window prepares it for its current Bookings row.
    void MakeForm(TDateTime start, TDateTime end) {
        form = std::make_unique<TRepeatBookingForm>(nullptr, data, *sqlData);
        form->Show();
        form->SetStartDate(start);
        form->StartTimePicker->SetTime(TimeOf(start));
        form->EndTimePicker->SetTime(TimeOf(end));
        form->TimeListBox->Clear();
        form->SameDay = DateOf(start) == DateOf(end);
        if (form->SameDay) {
            form->AddTimeButtonClick();
        } else {
            form->StartTimes.Clear();
            form->StartTimes.Add(TimeOf(start));
            form->Duration = end - start;
        }
    }

    void AddDate(TDateTime date) {
        form->MonthCalendar->SetDate(date);
        form->AddDateButtonClick();
    }

    void AddResources(const QStringList& names) {
        for (const QString& name : names) form->ResourceListBox->Items().Add(name);
    }

    // The rows and status line the results window showed, and the Trans rows while it was shown.
    struct Shown {
        std::vector<QStringList> rows;
        QString status;
        QString staged;
    };

    Shown RunOk(bool accept) {
        Shown shown;
        ui::ScopedScriptedRunner runner;
        runner->OnShown<TGroupBookingForm>(QStringLiteral("GroupBookingForm"), [&](TGroupBookingForm& list) {
            for (int i = 0; i < list.BookingList->ItemCount(); ++i) {
                const TListItem& row = list.BookingList->Item(i);
                QStringList texts{row.Caption()};
                for (int s = 0; s < 6; ++s) texts << row.SubItem(s);
                shown.rows.push_back(texts);
            }
            shown.status = list.StatusBar->SimpleText();
            shown.staged = Rows(QStringLiteral("SELECT count(*) FROM Bookings WHERE Trans")).join(',');
            (accept ? list.OkButton : list.CancelButton)->Click();
        });
        form->OkButtonClick();
        return shown;
    }
};

TEST_F(RepeatBookingTest, WeeklyCountsWeeksFromTheFirstDateNotTheCalendar) {
    Open();
    MakeForm(At(7, 9), At(7, 10));  // a Wednesday
    form->WeeklyRadioButton->SetChecked(true);
    form->WeeklyWeeks->SetText("2");
    form->MonCheckBox->SetChecked(true);
    form->WeeklyEndAfterEdit->SetText("4");
    form->WeeklyEndAfterRadioButton->SetChecked(true);
    EXPECT_EQ(form->BuildPatternDates(form->Dates), 2);
    EXPECT_EQ(DateTexts(form->Dates), QStringList({"Jan 12 2026", "Jan 26 2026"}));

    form->WeeklyEndDate->SetDate(Day(2026, 2, 28));
    EXPECT_TRUE(form->WeeklyEndOnRadioButton->Checked());
    form->WedCheckBox->SetChecked(true);
    form->BuildPatternDates(form->Dates);
    EXPECT_EQ(DateTexts(form->Dates), QStringList({"Jan 7 2026", "Jan 12 2026", "Jan 21 2026", "Jan 26 2026",
                                                   "Feb 4 2026", "Feb 9 2026", "Feb 18 2026", "Feb 23 2026"}));
}

TEST_F(RepeatBookingTest, MonthlyOnADaySomeMonthsLackSaysSoOnce) {
    Open();
    MakeForm(At(5, 9), At(5, 10));
    form->MonthlyRadioButton->SetChecked(true);
    form->MonthlyStartDate->SetDate(Day(2026, 1, 1));
    form->MonthlyDayEdit->SetText("31");
    form->MonthlyMonthEdit->SetText("1");
    form->MonthlyEndAfterEdit->SetText("4");
    EXPECT_TRUE(form->MonthlyDayRadioButton->Checked());
    EXPECT_EQ(form->BuildPatternDates(form->Dates), 2);
    EXPECT_EQ(DateTexts(form->Dates), QStringList({"Jan 31 2026", "Mar 31 2026"}));
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"Some months have fewer than 31 days.  These months will not "
                                                   "have any bookings added."});

    // The second Tuesday of every other month, ending on a date.
    form->MonthlyOrdinalComboBox->SetItemIndex(1);
    form->MonthlyKindComboBox->SetItemIndex(5);
    form->MonthlyTheEdit->SetText("2");
    EXPECT_TRUE(form->MonthlyTheRadioButton->Checked());
    form->MonthlyEndDate->SetDate(Day(2026, 5, 12));
    form->BuildPatternDates(form->Dates);
    EXPECT_EQ(DateTexts(form->Dates), QStringList({"Jan 13 2026", "Mar 10 2026", "May 12 2026"}));
}

TEST_F(RepeatBookingTest, TheNthDayOfAMonth) {
    const struct {
        const char* ordinal;
        const char* kind;
        TDateTime month;
        TDateTime expected;
    } cases[] = {
        {"last", "weekday", Day(2026, 5, 10), Day(2026, 5, 29)},       // May ends on a Sunday
        {"fourth", "weekend day", Day(2026, 2, 3), Day(2026, 2, 14)},  // February starts on a Sunday
        {"second", "weekend day", Day(2026, 2, 3), Day(2026, 2, 7)},   //
        {"second", "weekend day", Day(2026, 1, 3), Day(2026, 1, 4)},   // January's first is a Saturday
        {"last", "weekend day", Day(2026, 1, 3), Day(2026, 1, 31)},    //
        {"first", "weekday", Day(2026, 2, 20), Day(2026, 2, 2)},       //
        {"third", "weekday", Day(2026, 1, 20), Day(2026, 1, 5)},       //
        {"third", "day", Day(2026, 1, 20), Day(2026, 1, 3)},           //
        {"last", "day", Day(2028, 2, 1), Day(2028, 2, 29)},            //
        {"second", "Tuesday", Day(2026, 1, 30), Day(2026, 1, 13)},     //
        {"First", "thursday", Day(2026, 1, 30), Day(2026, 1, 1)},      // the first day itself
        {"last", "Friday", Day(2026, 1, 2), Day(2026, 1, 30)},         //
        {"last", "Saturday", Day(2026, 1, 2), Day(2026, 1, 31)},       // the last day itself
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime("mmm d yyyy", NthDayOfMonth(c.ordinal, c.kind, c.month)),
                  FormatDateTime("mmm d yyyy", c.expected))
            << c.ordinal << ' ' << c.kind;
    EXPECT_EQ(WeekdayNameNumber("SATURDAY"), 7);
    EXPECT_EQ(WeekdayNameNumber("sun"), 0);
    EXPECT_EQ(NextWeekday(Day(2026, 1, 2)), Day(2026, 1, 5));
}

TEST_F(RepeatBookingTest, DailyPatterns) {
    Open();
    MakeForm(At(1, 9), At(1, 10));  // a Thursday
    form->DailyRadioButton->SetChecked(true);
    form->DailyDaysEdit->SetText("3");
    form->DailyEndAfterEdit->SetText("7");
    form->BuildPatternDates(form->Dates);
    EXPECT_EQ(DateTexts(form->Dates), QStringList({"Jan 1 2026", "Jan 4 2026", "Jan 7 2026"}));
    form->DailyWeekdayRadioButton->SetChecked(true);
    form->BuildPatternDates(form->Dates);
    EXPECT_EQ(DateTexts(form->Dates),
              QStringList({"Jan 1 2026", "Jan 2 2026", "Jan 5 2026", "Jan 6 2026", "Jan 7 2026"}));
    form->DailyWeekendRadioButton->SetChecked(true);
    form->BuildPatternDates(form->Dates);
    EXPECT_EQ(DateTexts(form->Dates), QStringList({"Jan 3 2026", "Jan 4 2026"}));
}

TEST_F(RepeatBookingTest, OkChecksItsInputInOrderBeforeAnythingBegins) {
    db->Book(1, At(5, 9), At(5, 10));
    Open();
    const QStringList before = BookingsAndHistory();
    data.BookingsTable.Locate("BookingId", 1000);
    MakeForm(At(5, 9), At(5, 10));
    form->TimeListBox->Clear();
    form->OkButtonClick();
    form->AddTimeButtonClick();
    form->OkButtonClick();
    AddResources({"Room 1"});
    form->DailyRadioButton->SetChecked(true);
    form->DailyEndAfterEdit->SetText("0");
    form->OkButtonClick();
    EXPECT_EQ(MessageTexts(), std::vector<QString>({"No times were specified.", "No resources were specified.",
                                                    "No dates were specified."}));
    form->DailyDaysEdit->SetText("1.5");
    try {
        form->OkButtonClick();
        ADD_FAILURE() << "no conversion error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "'1.5' is not a valid integer value");
    }
    form->MonthlyRadioButton->SetChecked(true);
    form->MonthlyDayEdit->SetText("0");
    EXPECT_THROW(form->OkButtonClick(), EConvertError);
    EXPECT_FALSE(data.BookingsTrans.Active);
    EXPECT_EQ(BookingsAndHistory(), before);
}

TEST_F(RepeatBookingTest, TimeAndDateEntriesStayInOrderOnce) {
    Open();
    MakeForm(At(5, 9), At(5, 10, 30));
    form->StartTimePicker->SetTime(EncodeTime(8, 0, 0, 0));
    form->EndTimePicker->SetTime(EncodeTime(9, 0, 0, 0));
    form->AddTimeButtonClick();
    form->AddTimeButtonClick();
    form->StartTimePicker->SetTime(EncodeTime(13, 0, 0, 0));
    form->EndTimePicker->SetTime(EncodeTime(12, 0, 0, 0));
    form->AddTimeButtonClick();
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"The start time can not come after the end time."});
    EXPECT_EQ(form->TimeListBox->Items().Text(), "08:00 am to 09:00 am\r\n09:00 am to 10:30 am\r\n");
    EXPECT_EQ(form->ParseTimeList(form->StartTimes, form->EndTimes), 2);
    EXPECT_EQ(form->EndTimes.GetItem(1), EncodeTime(10, 30, 0, 0));

    // The end-time list: every half hour after the start until midnight.
    form->StartTimePicker->SetTime(EncodeTime(9, 0, 0, 0));
    form->EndTimeListDropDown();
    const TStrings& ends = form->EndTimeComboBox->Items();
    ASSERT_EQ(ends.Count(), 29);
    EXPECT_EQ(ends[0], "9:30 am");
    EXPECT_EQ(ends[28], "11:30 pm");
    EXPECT_EQ(form->EndTimeComboBox->ItemIndex(), 1);
    form->EndTimeComboBox->SetItemIndex(3);
    form->EndTimeListCloseUp();
    EXPECT_EQ(FormatDateTime("h:mm am/pm", form->EndTimePicker->Time()), "11:00 am");
    form->StartTimePicker->SetTime(EncodeTime(23, 0, 0, 0));
    form->EndTimeListDropDown();
    EXPECT_EQ(ends.Count(), 1);
    EXPECT_EQ(form->EndTimeComboBox->ItemIndex(), 0);
    form->StartTimePicker->SetTime(EncodeTime(23, 30, 0, 0));
    form->EndTimeListDropDown();
    EXPECT_EQ(ends.Count(), 0);

    AddDate(Day(2026, 1, 3));
    AddDate(Day(2026, 1, 12));
    AddDate(Day(2026, 1, 5));
    EXPECT_EQ(form->DateListBox->Items().Text(), "1/3/2026\r\n1/5/2026\r\n1/12/2026\r\n");
}

TEST_F(RepeatBookingTest, ARunListsEveryOutcomeAndCancelLeavesTheTablesAsTheyWere) {
    // A booking over a day on Room 1, repeated on its own date and two more on every room. Room 2 is taken on
    // Jan 12, only managers book the Boardroom, the Annex takes no booking over several days, and February is
    // beyond the 30 days ahead that anyone may book.
    const int original = db->Book(1, At(5, 9), At(6, 9));
    db->Book(2, At(12, 9, 30), At(12, 10, 30));
    db->connection.Execute("UPDATE RanvelGlobal SET BookingRestrictMode = 2, BookingRestrictDaysAhead = 30");
    db->connection.Execute(
        "INSERT INTO Resources (ResourceName, MaxBookDays, BookingRestrictMode, MaxBookDaysRestrict) "
        "VALUES (\"Annex\", 0, 1, True)");
    Open();
    const QStringList before = BookingsAndHistory();
    ASSERT_TRUE(data.BookingsTable.Locate("BookingId", original));
    MakeForm(At(5, 9), At(6, 9));
    AddDate(Day(2026, 1, 12));
    AddDate(Day(2026, 2, 9));
    AddResources({"Room 1", "Room 2", "Boardroom", "Annex"});

    const Shown cancelled = RunOk(false);
    ASSERT_EQ(cancelled.rows.size(), 12u);
    EXPECT_EQ(cancelled.status, "Bookings: 3   Conflicts: 1   Denied: 6   Errors: 2");
    EXPECT_EQ(cancelled.staged, "2");
    QStringList outcomes;
    for (const QStringList& row : cancelled.rows)
        outcomes << row[2] + ' ' + row[4] + (row[5].isEmpty() ? QString() : QStringLiteral(" #")) +
                        (row[6].isEmpty() ? QString() : QStringLiteral(" ") + row[6]);
    EXPECT_EQ(outcomes,
              QStringList({"Annex Error", "Boardroom Denied Incorrect password", "Room 1 Original #", "Room 2 Ok #",
                           "Annex Error", "Boardroom Denied Incorrect password", "Room 1 Ok #", "Room 2 Conflict #",
                           "Annex Denied Exceeds global days ahead", "Boardroom Denied Incorrect password",
                           "Room 1 Denied Exceeds global days ahead", "Room 2 Denied Exceeds global days ahead"}));
    EXPECT_EQ(cancelled.rows[2].mid(0, 2), QStringList({"Jan 5 2026 9:00 am", "Jan 6 2026 9:00 am"}));
    EXPECT_EQ(BookingsAndHistory(), before);
    EXPECT_EQ(Rows("SELECT count(*) FROM tavorin_StagedOwner"), QStringList{"0"});
    EXPECT_FALSE(form->BookingsCreated);
    EXPECT_NE(form->ModalResult(), mrOk);
    EXPECT_EQ(data.BookingsTable.FieldByName("BookingId").AsInteger(), original);

    const Shown accepted = RunOk(true);
    EXPECT_EQ(accepted.status, cancelled.status);
    EXPECT_TRUE(form->BookingsCreated);
    EXPECT_EQ(form->ModalResult(), mrOk);
    EXPECT_EQ(form->OriginalBookingId, original);
    const QStringList made = Rows(QStringLiteral("SELECT BookingId, ResourceId, Trans FROM Bookings WHERE "
                                                 "GroupBookingId = %1 ORDER BY BookingStart, ResourceId")
                                      .arg(original));
    ASSERT_EQ(made.size(), 3);
    EXPECT_EQ(made[0], QStringLiteral("%1|1|0").arg(original));
    EXPECT_EQ(made[1], accepted.rows[3][5] + "|2|0");
    EXPECT_EQ(made[2], accepted.rows[6][5] + "|1|0");
    EXPECT_EQ(Rows("SELECT BookingId, HistoryCode, Trans FROM History ORDER BY BookingId"),
              QStringList({accepted.rows[3][5] + "|1|0", accepted.rows[6][5] + "|1|0"}));
    EXPECT_EQ(Rows("SELECT count(*) FROM Bookings"), QStringList{"4"});
}

// A one-day run with two times of day on two dates: each row shows its own start, and its end as a time.
TEST_F(RepeatBookingTest, AOneDayRunListsTheStartAndEndOfEachTime) {
    const int original = db->Book(1, At(5, 9), At(5, 10));
    Open();
    ASSERT_TRUE(data.BookingsTable.Locate("BookingId", original));
    MakeForm(At(5, 9), At(5, 10));
    form->StartTimePicker->SetTime(EncodeTime(14, 30, 0, 0));
    form->EndTimePicker->SetTime(EncodeTime(16, 0, 0, 0));
    form->AddTimeButtonClick();
    AddDate(Day(2026, 1, 7));
    AddResources({"Room 1"});
    const Shown shown = RunOk(false);
    QStringList times;
    for (const QStringList& row : shown.rows) times << row[0] + " - " + row[1];
    EXPECT_EQ(times, QStringList({"Jan 5 2026 9:00 am - 10:00 am", "Jan 5 2026 2:30 pm - 4:00 pm",
                                  "Jan 7 2026 9:00 am - 10:00 am", "Jan 7 2026 2:30 pm - 4:00 pm"}));
}

TEST_F(RepeatBookingTest, TheBookingWindowsUnsavedEditsGoIntoTheSeriesAndStayPending) {
    const int original = db->Book(1, At(5, 9), At(5, 10));
    Open();
    TADOTable& bookings = data.BookingsTable;
    ASSERT_TRUE(bookings.Locate("BookingId", original));
    bookings.Edit();
    bookings.FieldByName("Client").SetAsString("Jones");
    MakeForm(At(5, 9), At(5, 10));
    AddDate(Day(2026, 1, 6));
    AddResources({"Room 1"});
    const QStringList before = BookingsAndHistory();
    RunOk(false);
    EXPECT_EQ(BookingsAndHistory(), before);
    EXPECT_EQ(bookings.State(), dsEdit);
    EXPECT_EQ(bookings.FieldByName("Client").AsString(), "Jones");

    const Shown shown = RunOk(true);
    ASSERT_EQ(shown.rows.size(), 2u);
    EXPECT_EQ(shown.rows[1][4], "Ok");
    EXPECT_EQ(Rows("SELECT BookingId, GroupBookingId, Client FROM Bookings ORDER BY BookingStart"),
              QStringList({QStringLiteral("%1|%1|Smith").arg(original),
                           QStringLiteral("%1|%2|Jones").arg(shown.rows[1][5]).arg(original)}));
    EXPECT_EQ(bookings.State(), dsEdit);
    EXPECT_EQ(bookings.FieldByName("Client").AsString(), "Jones");
    EXPECT_EQ(bookings.FieldByName("GroupBookingId").AsInteger(), original);
}

TEST_F(RepeatBookingTest, ANewBookingWhoseSeriesFailsComesBack) {
    db->connection.Execute("UPDATE RanvelGlobal SET BookingRestrictMode = 2, BookingRestrictDaysAhead = 30");
    Open();
    const QStringList before = BookingsAndHistory();
    TADOTable& bookings = data.BookingsTable;
    bookings.Insert();
    bookings.FieldByName("ResourceId").SetAsInteger(1);
    bookings.FieldByName("BookingStart").SetAsDateTime(At(1, 9) + 60);
    bookings.FieldByName("BookingEnd").SetAsDateTime(At(1, 10) + 60);
    bookings.FieldByName("Client").SetAsString("New");
    MakeForm(At(1, 9) + 60, At(1, 10) + 60);
    AddResources({"Room 1"});
    const Shown shown = RunOk(true);
    ASSERT_EQ(shown.rows.size(), 1u);
    EXPECT_EQ(shown.rows[0][4], "Denied");
    EXPECT_EQ(bookings.State(), dsInsert);
    EXPECT_EQ(bookings.FieldByName("Client").AsString(), "New");
    EXPECT_EQ(form->OriginalBookingId, -1);
    bookings.Cancel();
    EXPECT_EQ(BookingsAndHistory(), before);
}

TEST_F(RepeatBookingTest, ANewBookingOverSeveralDaysBecomesTheFirstOfItsSeries) {
    Open();
    TADOTable& bookings = data.BookingsTable;
    bookings.Insert();
    bookings.FieldByName("ResourceId").SetAsInteger(2);
    bookings.FieldByName("BookingStart").SetAsDateTime(At(5, 9));
    bookings.FieldByName("BookingEnd").SetAsDateTime(At(7, 9));
    bookings.FieldByName("Client").SetAsString("New");
    MakeForm(At(5, 9), At(7, 9));
    EXPECT_FALSE(form->SameDay);
    const TDateTime end = form->EndTimePicker->Time();
    form->Hide();  // shown again, as the booking window shows it once it has set SameDay
    form->Show();
    // Hiding closed the lists that never dropped down, which chooses nothing.
    EXPECT_EQ(form->ResourceListBox->Items().Count(), 0);
    EXPECT_EQ(form->EndTimePicker->Time(), end);
    EXPECT_FALSE(form->TimesGroup->Visible());
    EXPECT_EQ(form->ResourcesGroup->Top(), 7);
    EXPECT_EQ(form->ClientHeight(), form->OkButton->Top() + form->OkButton->Height() + 14);
    AddDate(Day(2026, 1, 12));
    AddResources({"Room 2"});
    const Shown shown = RunOk(true);
    ASSERT_EQ(shown.rows.size(), 2u);
    EXPECT_EQ(shown.rows[0][0], "Jan 5 2026 9:00 am");
    EXPECT_EQ(shown.rows[0][1], "Jan 7 2026 9:00 am");
    const int first = form->OriginalBookingId;
    EXPECT_GT(first, 0);
    EXPECT_EQ(Rows("SELECT GroupBookingId, Client, BookingEnd - BookingStart FROM Bookings"),
              QStringList({QStringLiteral("%1|New|2").arg(first), QStringLiteral("%1|New|2").arg(first)}));
}

// A disk error at any point of an accepted run leaves nothing staged behind for others to meet, and every booking
// written with its History row. A slot that meets the error during staging is listed as an error and the others
// go on, so the series may be written without it; an error in the commit writes none of it.
TEST_F(RepeatBookingTest, ADiskErrorAnywhereInAnAcceptedRunLeavesNoneOrAll) {
    const int original = db->Book(1, At(5, 9), At(5, 10));
    db.reset();
    const QString file = QDir(testing_env::TempDir()).filePath(QStringLiteral("faults.tvd"));
    std::unique_ptr<TData> module;
    std::unique_ptr<TSQLData> lookups;
    std::unique_ptr<TRepeatBookingForm> window;
    const auto close = [&] {
        window.reset();
        lookups.reset();
        module.reset();
    };
    const auto run = [&] {
        window = std::make_unique<TRepeatBookingForm>(nullptr, *module, *lookups);
        window->Show();
        window->SetStartDate(At(5, 9));
        window->StartTimePicker->SetTime(EncodeTime(9, 0, 0, 0));
        window->EndTimePicker->SetTime(EncodeTime(10, 0, 0, 0));
        window->TimeListBox->Clear();
        window->AddTimeButtonClick();
        window->MonthCalendar->SetDate(Day(2026, 1, 6));
        window->AddDateButtonClick();
        window->ResourceListBox->Items().Add("Room 1");
        window->ResourceListBox->Items().Add("Room 2");
        ui::ScopedScriptedRunner runner;
        runner->Answer(QStringLiteral("GroupBookingForm"), mrOk);
        window->OkButtonClick();
    };
    const auto prepare = [&] {
        close();
        QFile::remove(file);
        ASSERT_TRUE(QFile::copy(bookings_test::DatabasePath(), file));
        module = std::make_unique<TData>();
        ASSERT_TRUE(module->ConnectDatabase(file, {}));
        module->AdministratorMode = false;
        lookups = std::make_unique<TSQLData>(*module);
        ASSERT_TRUE(module->BookingsTable.Locate("BookingId", original));
    };
    prepare();
    const QStringList before = BookingsAndHistory(file);
    run();
    const QStringList after = BookingsAndHistory(file);
    ASSERT_EQ(after.size(), before.size() + 3 + 3);
    int failures = 0, none = 0;
    testing_env::LoopOverFaults(prepare, run, [&](int n) {
        ++failures;
        SCOPED_TRACE("fault " + std::to_string(n));
        const sql::Connection engine(sql::ConnectOptions{file, {}});
        const auto count = [&engine](const QString& sql) { return engine.Native().QueryValue(sql).toInt(); };
        EXPECT_EQ(count("SELECT count(*) FROM Bookings WHERE Trans <> 0"), 0);
        EXPECT_EQ(count("SELECT count(*) FROM History WHERE Trans <> 0"), 0);
        const int made = count(QStringLiteral("SELECT count(*) FROM Bookings WHERE BookingId <> %1").arg(original));
        EXPECT_EQ(count("SELECT count(*) FROM History"), made);
        EXPECT_EQ(count("SELECT count(*) FROM Bookings WHERE BookingId NOT IN (SELECT BookingId FROM History)"), 1);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Bookings WHERE GroupBookingId = %1").arg(original)),
                  made > 0 ? made + 1 : 0);
        if (made == 0) {
            ++none;
            EXPECT_EQ(BookingsAndHistory(file), before);
        }
        testing_env::Messages().Clear();
    });
    close();
    EXPECT_GT(none, 0);
    EXPECT_GT(failures, none);
}

TEST_F(RepeatBookingTest, TheWindowShowsItsTextsWhole) {
    Open();
    testing_env::AtEachTestFont([&] {
        MakeForm(At(5, 9), At(5, 10));
        for (TRadioButton* pattern :
             {form->DatesRadioButton, form->DailyRadioButton, form->WeeklyRadioButton, form->MonthlyRadioButton}) {
            pattern->SetChecked(true);
            testing_env::ExpectTextsWhole(*form);
        }
        form.reset();
    });
}

}  // namespace
