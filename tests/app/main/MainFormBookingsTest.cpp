// The main window's booking commands over a real database file: new bookings from the grids' selections, the
// refusals, viewing and deleting a cell's booking, going to a booking by id, the month cells and the calendar's
// scroll bar, with a recording booking window in place of the real one.
#include "app/grids/MonthGrid.h"
#include "app/main/BookingListForm.h"
#include "app/main/BookingViewsFixture.h"
#include "app/main/RecordingBookingWindow.h"
#include "data/bookings/BookingValidation.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Containers.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/Timer.h"
#include "support/OrdinaryUser.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QTest>

namespace {

using testing_env::At;
using testing_env::kViewsDay;
using testing_env::RecordingBookingWindow;

TGridRect Rows(int col, int top, int bottom) {
    TGridRect rect;
    rect.Left = rect.Right = col;
    rect.Top = top;
    rect.Bottom = bottom;
    return rect;
}

// The group booking list: its mode and rows, one text a row.
class RecordingGroupList : public TGroupBookingWindow {
public:
    explicit RecordingGroupList(QStringList& shown) : shown_(shown) {}
    void SetMode(int mode) override { mode_ = mode; }
    void AddResultRow(const QString& resourceName, const QString& client, int bookingId, int status, int reason,
                      TDateTime endTime, TDateTime startTime, TDateTime startDate) override {
        rows_ << QStringLiteral("%1 %2 %3 %4 %5-%6")
                     .arg(resourceName, client)
                     .arg(bookingId)
                     .arg(startDate)
                     .arg(startTime)
                     .arg(endTime);
    }
    int ShowModal() override {
        shown_ << QStringLiteral("mode %1: ").arg(mode_) + rows_.join(QStringLiteral(", "));
        return mrOk;
    }
    bool Changed() const override { return false; }

private:
    QStringList& shown_;
    QStringList rows_;
    int mode_ = 0;
};

class MainFormBookingsTest : public testing_env::BookingViewsTest {
protected:
    RecordingBookingWindow* window = nullptr;
    std::vector<int> deleted;
    QStringList groupLists;

    TMainWindowServices Services() {
        TMainWindowServices services;
        services.CreateBookingWindow = [this](TData& d) {
            auto made = std::make_unique<RecordingBookingWindow>(d);
            window = made.get();
            return made;
        };
        services.DeleteBookings = [this](TBookingWindow&) {
            deleted.push_back(
                static_cast<int>(data.BookingsTable.FieldByName(QStringLiteral("BookingId")).AsInteger()));
            return true;
        };
        services.CreateGroupBookingWindow = [this](TMainForm&) {
            return std::make_unique<RecordingGroupList>(groupLists);
        };
        return services;
    }

    std::unique_ptr<TMainForm> OpenOn(const QString& resource, const QString& view = QStringLiteral("day")) {
        auto form = Open(view, Services());
        Select(*form, form->ResourcesNode, resource);
        testing_env::Messages().Clear();
        return form;
    }

    // A press on the cell that leaves the selection as given, as the grid keeps them.
    static void Press(TBookingGrid& grid, int col, int row, const TGridRect& selection) {
        grid.ClickedCol = col;
        grid.ClickedRow = row;
        grid.ClickInFixedCols = grid.ClickInFixedRows = false;
        grid.SetSelection(selection);
    }
};

TEST_F(MainFormBookingsTest, ADaySelectionBooksItsRunAndADoubleClickOnAFreeFirstRowItsSlot) {
    auto form = OpenOn(QStringLiteral("Room B"));
    // Modal windows stop the refresh timer; it runs again afterwards, never with a zero interval.
    form->Preferences.RefreshEnabled = true;
    form->Preferences.RefreshMins = 0;
    std::vector<bool> timerWhileShown;
    window->OnShow = [&] { timerWhileShown.push_back(form->RefreshTimer->Enabled()); };

    // 30-minute rows from 8:00: rows 3 to 5 are 9:00 to 10:30.
    Press(*form->DayGrid, 1, 5, Rows(1, 3, 5));
    form->Item(QStringLiteral("NewBookingItem"))->Click();
    ASSERT_EQ(window->inserted.size(), 1u);
    EXPECT_EQ(window->inserted[0].resourceId, 1);
    EXPECT_EQ(window->inserted[0].start, At(kViewsDay, 9, 0));
    EXPECT_EQ(window->inserted[0].end, At(kViewsDay, 10, 30));
    EXPECT_EQ(window->inserted[0].focusField, QStringLiteral("Client"));

    Select(*form, form->ResourcesNode, QStringLiteral("Room A"));
    form->DayGrid->SetTopRow(1);
    const TRect first = form->DayGrid->CellRect(1, 1);
    const QPoint centre((first.Left + first.Right) / 2, (first.Top + first.Bottom) / 2);
    // The first press of a double click selects the cell, the second one books it.
    QTest::mouseClick(form->DayGrid->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(form->DayGrid->viewport(), Qt::LeftButton, {}, centre);
    ASSERT_EQ(window->inserted.size(), 2u);
    EXPECT_EQ(window->inserted[1].resourceId, 2);
    EXPECT_EQ(window->inserted[1].start, At(kViewsDay, 8, 0));
    EXPECT_EQ(window->inserted[1].end, At(kViewsDay, 8, 30));
    EXPECT_EQ(window->inserted[1].focusField, QStringLiteral("EndTime"));

    EXPECT_EQ(timerWhileShown, (std::vector<bool>{false, false}));
    EXPECT_TRUE(form->RefreshTimer->Enabled());
    EXPECT_EQ(form->RefreshTimer->Interval(), 60000);
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST_F(MainFormBookingsTest, ASelectionOverABookingIsRefusedWithoutAWindowAndRefreshes) {
    auto form = OpenOn(QStringLiteral("Room A"));
    const int loads = form->LoadCount;
    // Rows 2 to 4 reach into the 9:00 booking.
    Press(*form->DayGrid, 1, 4, Rows(1, 2, 4));
    form->Item(QStringLiteral("NewBookingItem"))->Click();
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{QStringLiteral("Could not create new booking because the selected time slot "
                                                  "overlaps with an existing booking.")});
    EXPECT_TRUE(window->inserted.empty());
    EXPECT_EQ(window->shows, 0);
    EXPECT_EQ(form->LoadCount, loads + 1);

    // A double click inside a run selected before books the whole run, and so is refused the same way.
    testing_env::Messages().Clear();
    Press(*form->DayGrid, 1, 3, Rows(1, 3, 3));
    form->DayGrid->PreviousSelection = Rows(1, 1, 3);
    form->DayGrid->OnDblClick(form->DayGrid);
    EXPECT_EQ(testing_env::Messages().Texts().size(), 1u);
    EXPECT_TRUE(window->inserted.empty());

    // The new-booking command on a booked cell opens an empty booking at its time, a double click views it.
    Press(*form->DayGrid, 1, 3, Rows(1, 3, 3));
    form->DayGrid->PreviousSelection = Rows(1, 3, 3);
    form->Item(QStringLiteral("NewBookingItem"))->Click();
    ASSERT_EQ(window->inserted.size(), 1u);
    EXPECT_EQ(window->inserted[0].start, At(kViewsDay, 9, 0));
    EXPECT_EQ(window->inserted[0].end, At(kViewsDay, 9, 0));
    EXPECT_EQ(window->inserted[0].focusField, QStringLiteral("StartTime"));
    form->DayGrid->OnDblClick(form->DayGrid);
    EXPECT_EQ(window->located, std::vector<int>{10});
    EXPECT_EQ(window->shows, 2);
}

TEST_F(MainFormBookingsTest, AReadOnlyUserIsToldAndGetsNoWindow) {
    QDir().mkpath(QDir(testing_env::TempDir()).filePath(QStringLiteral("share")));
    const QString path = Fixture(QStringLiteral("share/shared.tvd"));
    // The file is opened writable once, so that it is of the current schema.
    Open(QStringLiteral("day"), Services(), path)->CloseDatabase();
    testing_env::MakeReadOnly(path);
    const QString seen = testing_env::AsAnOrdinaryUser([&]() -> QString {
        auto form = Open(QStringLiteral("day"), Services(), path);
        Select(*form, form->ResourcesNode, QStringLiteral("Room B"));
        testing_env::Messages().Clear();
        Press(*form->DayGrid, 1, 5, Rows(1, 3, 5));
        form->Item(QStringLiteral("NewBookingItem"))->Click();
        form->Item(QStringLiteral("DeleteBookingItem"))->Click();
        QStringList texts;
        for (const QString& text : testing_env::Messages().Texts()) texts << text;
        return texts.join(u'|') + QStringLiteral("|windows ") + QString::number(window->shows);
    });
    testing_env::MakeWritable(path);
    EXPECT_EQ(seen, QStringLiteral("Can not create new booking. You have read only access.|Can not delete booking. "
                                   "You have read only access.|windows 0"));
}

TEST_F(MainFormBookingsTest, TheLastSlotsOfADayEndingAt2359BookWithinTheDay) {
    auto form = OpenOn(QStringLiteral("Room A"));
    struct Case {
        int slotMinutes;
        int lastRowHour, lastRowMinute;
    };
    for (const Case c : {Case{30, 23, 30}, Case{45, 23, 45}, Case{15, 23, 45}}) {
        SCOPED_TRACE(c.slotMinutes);
        window->inserted.clear();
        form->DayGrid->EndTime = EncodeTime(23, 59, 0, 0);
        form->DayGrid->SetSlotMinutes(c.slotMinutes);
        form->RefreshView();
        const int last = form->DayGrid->RowCount() - 1;
        // The last row alone, and a run that ends with it.
        Press(*form->DayGrid, 1, last, Rows(1, last, last));
        form->Item(QStringLiteral("NewBookingItem"))->Click();
        Press(*form->DayGrid, 1, last, Rows(1, last - 1, last));
        form->Item(QStringLiteral("NewBookingItem"))->Click();
        ASSERT_EQ(window->inserted.size(), 2u);
        EXPECT_EQ(window->inserted[0].start, At(kViewsDay, c.lastRowHour, c.lastRowMinute));
        for (const auto& booking : window->inserted) {
            EXPECT_EQ(booking.end, At(kViewsDay, 23, 59));
            const data::BookingValues values{QStringLiteral("Client"), booking.start, booking.end};
            EXPECT_EQ(data::ValidateBookingValues(values, data::ResourceLimits{}, data::RestrictLimit{}, kViewsDay), 0);
        }
    }
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST_F(MainFormBookingsTest, TheCalendarsScrollBarPagesByTheViewsSpan) {
    struct Case {
        const char* view;
        TDateTime from;
        QAbstractSlider::SliderAction step;
        TDateTime to;
    };
    const Case cases[] = {
        // A month page is the days of the month (a non-leap year), back the days of the month before.
        {"month", EncodeDate(2027, 1, 31), QAbstractSlider::SliderPageStepAdd, EncodeDate(2027, 3, 3)},
        {"month", EncodeDate(2027, 3, 3), QAbstractSlider::SliderPageStepSub, EncodeDate(2027, 2, 3)},
        // 0 days before and 13 after: 14 days.
        {"multiday", kViewsDay, QAbstractSlider::SliderPageStepSub, kViewsDay - 14},
        {"multiday", kViewsDay, QAbstractSlider::SliderPageStepAdd, kViewsDay + 14},
        {"day", kViewsDay, QAbstractSlider::SliderPageStepAdd, kViewsDay + 7},
        {"day", kViewsDay, QAbstractSlider::SliderSingleStepSub, kViewsDay - 1},
        {"day", kViewsDay, QAbstractSlider::SliderMove, kViewsDay},
    };
    auto form = OpenOn(QStringLiteral("Van"));
    form->MultiDayGrid->DaysBefore = 0;
    form->MultiDayGrid->DaysAfter = 13;
    TScrollBar& bar = *form->CalendarScrollBar;
    EXPECT_TRUE(bar.isVisible());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.view);
        form->Preferences.BookingView = QString::fromLatin1(c.view);
        form->Calendar->SetDate(c.from);
        bar.triggerAction(c.step);
        EXPECT_EQ(DateOf(form->Calendar->Date()), c.to);
        // The bar keeps to its middle, so that it never runs out of steps.
        EXPECT_EQ(bar.Position(), 50);
    }
    form->DataPageControl->SetActivePage(form->RemindersTabSheet);
    EXPECT_FALSE(bar.isVisible());
}

TEST_F(MainFormBookingsTest, BookingIdTakesATrimmedNumberAndRefusesAnyOtherText) {
    auto form = OpenOn(QStringLiteral("Room A"));
    AddAsAnotherUser({42, 3, At(kViewsDay, 11, 0), At(kViewsDay, 12, 0)});
    form->Preferences.RefreshEnabled = true;
    bool timerWhileShown = true;
    window->OnShow = [&] { timerWhileShown = form->RefreshTimer->Enabled(); };
    testing_env::Messages().QueueAnswer(mrOk, QStringLiteral(" 42 "));
    form->Item(QStringLiteral("BookingIdItem"))->Click();
    EXPECT_EQ(window->located, std::vector<int>{42});
    EXPECT_EQ(window->shows, 1);
    EXPECT_FALSE(timerWhileShown);
    EXPECT_TRUE(form->RefreshTimer->Enabled());

    testing_env::Messages().Clear();
    testing_env::Messages().QueueAnswer(mrOk, QStringLiteral("4x2"));
    form->Item(QStringLiteral("BookingIdItem"))->Click();
    testing_env::Messages().QueueAnswer(mrOk, QStringLiteral("77"));
    form->Item(QStringLiteral("BookingIdItem"))->Click();
    const std::vector<QString> texts = testing_env::Messages().Texts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[1], QStringLiteral("4x2 is not an integer."));
    EXPECT_EQ(texts[3], QStringLiteral("Booking Id 77 does not exist."));
    EXPECT_EQ(window->shows, 1);

    // A change through the window makes the last modified booking reachable.
    EXPECT_FALSE(form->Item(QStringLiteral("LastModifiedBookingItem"))->Enabled());
    window->modified = true;
    window->lastModified = 42;
    testing_env::Messages().QueueAnswer(mrOk, QStringLiteral("42"));
    form->Item(QStringLiteral("BookingIdItem"))->Click();
    EXPECT_TRUE(form->Item(QStringLiteral("LastModifiedBookingItem"))->Enabled());
    form->Item(QStringLiteral("LastModifiedBookingItem"))->Click();
    EXPECT_EQ(window->located.back(), 42);
    EXPECT_EQ(window->shows, 3);
}

TEST_F(MainFormBookingsTest, ViewAndDeleteTakeTheBookingOfThePressedCell) {
    auto form = OpenOn(QStringLiteral("Room A"));
    Press(*form->DayGrid, 1, 4, Rows(1, 4, 4));
    form->Item(QStringLiteral("ViewBookingItem"))->Click();
    EXPECT_EQ(window->located, std::vector<int>{10});
    EXPECT_EQ(window->shows, 1);
    form->Item(QStringLiteral("DeleteBookingItem"))->Click();
    EXPECT_EQ(deleted, std::vector<int>{10});

    Press(*form->DayGrid, 1, 4, Rows(1, 3, 4));
    form->Item(QStringLiteral("ViewBookingItem"))->Click();
    form->Item(QStringLiteral("DeleteBookingItem"))->Click();
    Press(*form->DayGrid, 1, 1, Rows(1, 1, 1));
    form->Item(QStringLiteral("ViewBookingItem"))->Click();
    form->Item(QStringLiteral("DeleteBookingItem"))->Click();
    EXPECT_EQ(testing_env::Messages().Texts(),
              (std::vector<QString>{QStringLiteral("Select a single cell to view a booking."),
                                    QStringLiteral("Select a single cell to delete a booking."),
                                    QStringLiteral("There is no booking selected to view."),
                                    QStringLiteral("There is no booking selected to delete.")}));
    EXPECT_EQ(deleted.size(), 1u);
}

TEST_F(MainFormBookingsTest, AMultiDayRunBooksWholeDaysAndAMonthDayOfAGroupNoResource) {
    auto form = OpenOn(QStringLiteral("Van"), QStringLiteral("multiday"));
    TMultiDayGrid& grid = *form->MultiDayGrid;
    grid.DaysBefore = 2;
    form->RefreshView();
    // Columns 3 to 5 selected before, then a double click on column 4: the calendar's date and two after.
    Press(grid, 4, 1, Rows(4, 1, 1));
    grid.PreviousSelection = TGridRect{3, 1, 5, 1};
    grid.OnDblClick(&grid);
    // On the run's last column: that day alone.
    Press(grid, 5, 1, Rows(5, 1, 1));
    grid.OnDblClick(&grid);
    ASSERT_EQ(window->inserted.size(), 2u);
    EXPECT_EQ(window->inserted[0].resourceId, 3);
    EXPECT_EQ(window->inserted[0].start, kViewsDay);
    EXPECT_EQ(window->inserted[0].end, kViewsDay + 3);
    EXPECT_EQ(window->inserted[0].focusField, QStringLiteral("Client"));
    EXPECT_EQ(window->inserted[1].start, kViewsDay + 2);
    EXPECT_EQ(window->inserted[1].end, kViewsDay + 3);
    EXPECT_EQ(window->inserted[1].focusField, QStringLiteral("EndTime"));

    // The month view over a group: no resource preset; one day runs to 11:59 unless all-day bookings are
    // preferred, and the window's all-day box becomes the preference.
    Select(*form, form->GroupsNode, QStringLiteral("Floor 1"));
    form->DataPageControl->SetActivePage(form->MonthViewTabSheet);
    window->inserted.clear();
    form->Preferences.MonthNewBookingAllDay = false;
    window->modified = true;
    window->allDay = true;
    TTavorinMonthGrid& month = *form->MonthGrid;
    month.ClickedCol = 2;
    month.ClickedRow = 1;
    month.ClickedLine = 0;
    month.PreviousSelection = TGridRect{2, 1, 2, 1};
    month.OnDblClick(&month);
    ASSERT_EQ(window->inserted.size(), 1u);
    const TDateTime day = month.Info.FirstShownDate + 2;
    EXPECT_EQ(window->inserted[0].resourceId, -1);
    EXPECT_EQ(window->inserted[0].start, day);
    EXPECT_EQ(window->inserted[0].end, At(day, 11, 59));
    EXPECT_TRUE(form->Preferences.MonthNewBookingAllDay);
}

TEST_F(MainFormBookingsTest, AMonthCellsBookingsAreListedWithTheirStartsAndEnds) {
    auto form = OpenOn(QStringLiteral("Van"), QStringLiteral("month"));
    TTavorinMonthGrid& month = *form->MonthGrid;
    // The calendar's month, not the one of today the window opened on.
    month.ClearMonth();
    form->RefreshView();
    const int offset = static_cast<int>(EncodeDate(2026, 3, 20) - month.Info.FirstShownDate);
    const int col = offset % 7;
    const int row = offset / 7 + 1;
    month.ClickedCol = col;
    month.ClickedRow = row;
    QStringList rows;
    ui::ScopedScriptedRunner runner;
    runner->OnShown<TBookingListForm>(QStringLiteral("BookingListForm"), [&](TBookingListForm& list) {
        for (int i = 0; i < list.BookingListView->ItemCount(); ++i) {
            const TListItem& item = list.BookingListView->Item(i);
            rows << QStringList{item.SubItem(0), item.SubItem(1), item.SubItem(2), item.SubItem(5)}.join(u'|');
        }
        list.SetModalResult(mrCancel);
    });
    const TMonthGridCellInfo* info = month.GetCellInfo(col, row);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->MonthCellCount(), 1);
    form->ShowMonthCellBookings(col, row);
    EXPECT_EQ(rows, QStringList{QStringLiteral("Mar 20 2026  8:00 am|9:00 am|Van|13")});
}

TEST_F(MainFormBookingsTest, ACellOfOverlappingBookingsListsThemToViewOrDelete) {
    auto form = OpenOn(QStringLiteral("Room B"));
    // Two bookings in one 30-minute slot, from 11:00 (row 7).
    AddAsAnotherUser({21, 1, At(kViewsDay, 11, 0), At(kViewsDay, 11, 30)});
    AddAsAnotherUser({22, 1, At(kViewsDay, 11, 0), At(kViewsDay, 11, 30)});
    form->RefreshView();
    testing_env::Messages().Clear();
    Press(*form->DayGrid, 1, 7, Rows(1, 7, 7));
    form->Item(QStringLiteral("ViewBookingItem"))->Click();
    form->Item(QStringLiteral("DeleteBookingItem"))->Click();
    const QString rows = QStringLiteral("Room B client 21 21 %1 %2-%3, Room B client 22 22 %1 %2-%3")
                             .arg(kViewsDay)
                             .arg(EncodeTime(11, 0, 0, 0))
                             .arg(EncodeTime(11, 30, 0, 0));
    EXPECT_EQ(groupLists, (QStringList{QStringLiteral("mode 6: ") + rows, QStringLiteral("mode 7: ") + rows}));
    EXPECT_TRUE(window->located.empty());
    EXPECT_TRUE(deleted.empty());
    // The view's reloads report the overlap, and nothing else is said.
    for (const QString& text : testing_env::Messages().Texts())
        EXPECT_EQ(text, QStringLiteral("There are overlapping bookings on this date. Please run the Check and Fix "
                                       "utility."));
}

TEST_F(MainFormBookingsTest, GroupBookingsListsTheGroupOfABookingThatHasOne) {
    auto form = OpenOn(QStringLiteral("Room A"));
    {
        TADOConnection other;
        other.ConnectionString =
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(data.DatabaseFileName);
        other.LoginPrompt = false;
        other.Open();
        other.Execute(QStringLiteral("UPDATE Bookings SET GroupBookingId = 10 WHERE BookingId IN (10, 11)"));
    }
    for (const char* typed : {"4x2", "55", "12", " 11 "}) {
        testing_env::Messages().QueueAnswer(mrOk, QString::fromLatin1(typed));
        form->Item(QStringLiteral("GroupBookingsItem"))->Click();
    }
    std::vector<QString> shown;
    for (const rtl::MessageRequest& request : testing_env::Messages().Requests())
        if (request.kind != rtl::MessageRequest::Kind::Input) shown.push_back(request.text);
    EXPECT_EQ(shown, (std::vector<QString>{QStringLiteral("4x2 is not an integer."),
                                           QStringLiteral("Booking Id 55 does not exist."),
                                           QStringLiteral("Booking Id 12 is not part of a group booking")}));
    EXPECT_EQ(testing_env::Messages().Requests()[1].type, mtError);
    EXPECT_EQ(window->checked, (std::vector<RecordingBookingWindow::Check>{{4, 11, 1, false, true}}));
}

}  // namespace
