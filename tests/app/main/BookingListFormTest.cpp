// The booking list dialog: its rows' texts, sorting by column clicks, and what Edit and Delete leave in a row,
// over a real database file with a recording booking window.
#include "app/main/BookingListForm.h"
#include "app/main/BookingViewsFixture.h"
#include "app/main/RecordingBookingWindow.h"
#include "data/layout/DateBookings.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ListView.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>

namespace {

using testing_env::At;
using testing_env::kViewsDay;
using testing_env::RecordingBookingWindow;

class BookingListFormTest : public testing_env::BookingViewsTest {
protected:
    std::vector<std::unique_ptr<TMonthDateBookingCellRow>> rows;
    std::unique_ptr<TMainForm> mainForm;
    // What the windows made for each edit were asked, in order.
    std::vector<int> editLocated;
    int editShows = 0;
    std::unique_ptr<RecordingBookingWindow> programWindow;
    std::function<void(RecordingBookingWindow&)> prepareEditWindow;
    std::vector<int> deleted;
    // The printouts asked for: true a preview.
    std::vector<bool> printed;

    // The list over the open fixture file.
    std::unique_ptr<TBookingListForm> MakeList() {
        mainForm = Open();
        programWindow = std::make_unique<RecordingBookingWindow>(data);
        TBookingListServices services;
        services.CreateBookingWindow = [this] {
            auto window = std::make_unique<RecordingBookingWindow>(data);
            window->OnFree = [this](const RecordingBookingWindow& freed) {
                editLocated.insert(editLocated.end(), freed.located.begin(), freed.located.end());
                editShows += freed.shows;
            };
            if (prepareEditWindow) prepareEditWindow(*window);
            return window;
        };
        services.BookingWindow = programWindow.get();
        services.DeleteBookings = [this](TBookingWindow&) {
            deleted.push_back(
                static_cast<int>(data.BookingsTable.FieldByName(QStringLiteral("BookingId")).AsInteger()));
            return true;
        };
        services.PrintBookingList = [this](TBookingListForm& list, bool toScreen) {
            EXPECT_EQ(list.BookingListView->ItemCount(), 4);
            printed.push_back(toScreen);
        };
        return std::make_unique<TBookingListForm>(nullptr, data, std::move(services));
    }

    void Add(TBookingListForm& list, int id, const QString& resource, const QString& client, TDateTime start,
             TDateTime end, quint8 status = 0, int reason = 0) {
        rows.push_back(std::make_unique<TMonthDateBookingCellRow>());
        TMonthDateBookingCellRow& row = *rows.back();
        row.BookingId = id;
        row.BookingStart = start;
        row.BookingEnd = end;
        list.AddBooking(&row, resource, id, reason, status, client, start, end);
    }

    static QStringList Column(const TBookingListForm& list, int subItem) {
        QStringList texts;
        for (int i = 0; i < list.BookingListView->ItemCount(); ++i)
            texts << list.BookingListView->Item(i).SubItem(subItem);
        return texts;
    }

    static void ClickColumn(TBookingListForm& list, int index) {
        list.BookingListView->OnColumnClick(list.BookingListView, list.BookingListView->Column(index));
    }
};

TEST_F(BookingListFormTest, RowsShowTheirTimesStatusAndIdAndTheWindowItsTextsWhole) {
    auto list = MakeList();
    Add(*list, 12, QStringLiteral("Room B"), QStringLiteral("Ames"), At(kViewsDay, 10, 0), At(kViewsDay, 11, 30));
    Add(*list, 0, QStringLiteral("Room A"), QStringLiteral("Bell"), At(kViewsDay, 22, 0), At(kViewsDay + 1, 1, 0),
        0x83);
    Add(*list, 14, QStringLiteral("Van"), QStringLiteral("Cole"), At(kViewsDay, 9, 0), At(kViewsDay, 9, 30), 7, 9);
    // The end shows its date only when it lies on a later date than the start.
    EXPECT_EQ(Column(*list, 0),
              (QStringList{"Mar 03 2026  10:00 am", "Mar 03 2026  10:00 pm", "Mar 03 2026  9:00 am"}));
    EXPECT_EQ(Column(*list, 1), (QStringList{"11:30 am", "Mar 04 2026  1:00 am", "9:30 am"}));
    EXPECT_EQ(Column(*list, 4), (QStringList{"", "Conflict", "Denied"}));
    EXPECT_EQ(Column(*list, 5), (QStringList{"12", "", "14"}));
    EXPECT_EQ(Column(*list, 6), (QStringList{"", "", "Exceeds resource max days ahead"}));
    list->TimeFormat = QStringLiteral("hh:mm");
    Add(*list, 15, QStringLiteral("Van"), QStringLiteral("Dunn"), At(kViewsDay, 13, 0), At(kViewsDay, 14, 0));
    EXPECT_EQ(Column(*list, 1).last(), QStringLiteral("14:00"));
    list->PreviewButton->Click();
    list->PrintButton->Click();
    EXPECT_EQ(printed, (std::vector<bool>{true, false}));
    testing_env::AtEachTestFont([&] {
        list->Show();
        testing_env::ExpectTextsWhole(*list);
        list->Hide();
    });
}

TEST_F(BookingListFormTest, ColumnClicksSortAndReverseByDatesNotTexts) {
    auto list = MakeList();
    Add(*list, 3, QStringLiteral("Van"), QStringLiteral("bell"), EncodeDate(2027, 1, 5), EncodeDate(2027, 1, 6));
    Add(*list, 20, QStringLiteral("Room A"), QStringLiteral("Ames"), EncodeDate(2026, 4, 2), EncodeDate(2026, 4, 9));
    Add(*list, 100, QStringLiteral("room b"), QStringLiteral("Cole"), EncodeDate(2026, 12, 1), EncodeDate(2026, 12, 2));
    list->Show();
    EXPECT_EQ(list->SortColumn, 3);
    EXPECT_EQ(list->BookingListView->Column(3).ImageIndex(), 0);

    ClickColumn(*list, 4);
    EXPECT_EQ(Column(*list, 3), (QStringList{"Ames", "bell", "Cole"}));
    ClickColumn(*list, 4);
    EXPECT_EQ(Column(*list, 3), (QStringList{"Cole", "bell", "Ames"}));
    EXPECT_EQ(list->BookingListView->Column(4).ImageIndex(), 1);
    EXPECT_EQ(list->BookingListView->Column(3).ImageIndex(), -1);
    // Another column keeps the direction: the latest start first, though "Jan" sorts before "Dec" as text.
    ClickColumn(*list, 1);
    EXPECT_TRUE(list->SortDescending);
    EXPECT_EQ(Column(*list, 5), (QStringList{"3", "100", "20"}));
    ClickColumn(*list, 6);
    EXPECT_EQ(Column(*list, 5), (QStringList{"100", "20", "3"}));
    ClickColumn(*list, 3);
    ClickColumn(*list, 3);
    EXPECT_EQ(Column(*list, 2), (QStringList{"Room A", "room b", "Van"}));
}

TEST_F(BookingListFormTest, EditAndDeleteMarkTheRowAndTheChange) {
    auto list = MakeList();
    Add(*list, 10, QStringLiteral("Room A"), QStringLiteral("Old"), At(kViewsDay, 9, 0), At(kViewsDay, 10, 30));
    Add(*list, 12, QStringLiteral("Room B"), QStringLiteral("Old"), At(kViewsDay, 8, 0), At(kViewsDay, 9, 0));
    Add(*list, 99, QStringLiteral("Van"), QStringLiteral("Gone"), At(kViewsDay, 8, 0), At(kViewsDay, 9, 0));
    list->Show();
    TListView& view = *list->BookingListView;

    // Not changed: the row stays as it was.
    view.Item(0).SetSelected(true);
    list->EditButtonClick();
    EXPECT_EQ(editLocated, std::vector<int>{10});
    EXPECT_EQ(editShows, 1);
    EXPECT_EQ(view.Item(0).SubItem(4), QString());
    EXPECT_FALSE(list->Changed);

    // Modified: the row is read again from the booking.
    prepareEditWindow = [](RecordingBookingWindow& window) {
        window.modified = true;
        window.lastAction = 2;
    };
    list->EditButtonClick();
    EXPECT_EQ(view.Item(0).SubItem(4), QStringLiteral("Modified"));
    EXPECT_EQ(view.Item(0).SubItem(2), QStringLiteral("Room A"));
    EXPECT_EQ(view.Item(0).SubItem(3), QStringLiteral("client 10"));
    EXPECT_TRUE(list->Changed);

    // Deleted through the window, or by someone else meanwhile (no window shows).
    prepareEditWindow = [](RecordingBookingWindow& window) {
        window.modified = true;
        window.lastAction = 3;
    };
    view.Item(0).SetSelected(false);
    view.Item(1).SetSelected(true);
    list->EditButtonClick();
    EXPECT_EQ(view.Item(1).SubItem(4), QStringLiteral("Deleted"));
    view.Item(1).SetSelected(false);
    view.Item(2).SetSelected(true);
    list->EditButtonClick();
    EXPECT_EQ(editLocated, (std::vector<int>{10, 10, 12, 99}));
    EXPECT_EQ(editShows, 3);
    EXPECT_EQ(view.Item(2).SubItem(4), QStringLiteral("Deleted"));

    // Delete goes through the program's booking window, prepared for the row.
    view.Item(2).SetSelected(false);
    view.Item(1).SetSelected(true);
    list->DeleteButtonClick();
    EXPECT_EQ(deleted, std::vector<int>{12});
    EXPECT_EQ(programWindow->inits, 1);
    EXPECT_EQ(view.Item(1).SubItem(4), QStringLiteral("Deleted"));
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

}  // namespace
