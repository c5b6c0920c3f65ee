// The details list and the e-mail text: merged dates, the resource's details, the options' lines.
#include "BookingCommandsFixture.h"

#include "booking/BookingInfoList.h"
#include "platform/rtl/StringList.h"

#include <gtest/gtest.h>

using namespace booking_test;

namespace {

const QString kSeparator(60, u'-');

class BookingEmailTextTest : public BookingCommandsTest {
protected:
    QStringList Text(int groupId, const TEmailBookingOptions& options = {}) {
        TBookingInfoList list(data);
        booking::FillBookingInfoList(data, list, groupId);
        TStringList lines;
        booking::BuildBookingEmailText(list, options, data.Udf1Field.get(), data.Udf2Field.get(), groupId, lines);
        return lines.ToStringList();
    }

    // Reopens the file with a first custom field "udf1Room no", whose label has a blank.
    void AddCustomField() {
        data.DisconnectDatabase();
        {
            sql::Connection connection(QStringLiteral("Data Source=") + bookings_test::DatabasePath());
            connection.Execute(QStringLiteral("ALTER TABLE Bookings ADD COLUMN [udf1Room no] TEXT(20)"));
        }
        ASSERT_TRUE(data.ConnectDatabase(bookings_test::DatabasePath(), {}));
        ASSERT_TRUE(data.Udf1Field);
    }
};

TEST_F(BookingEmailTextTest, OneBookingWithoutOptions) {
    Add({1001});
    Position(1001);
    EXPECT_EQ(Text(-1),
              QStringList({"", kSeparator, "Details for Booking Id: 1001", "", "Room 1", "",
                           "Jan 05 2026, 9:00 am to 10:30 am    Id: 1001", "", "Client:  Smith", "", kSeparator}));
}

TEST_F(BookingEmailTextTest, AGroupMergesBookingsThatDifferOnlyInTheirDates) {
    Execute(QStringLiteral("UPDATE Resources SET Description = \"Ground floor\" WHERE ResourceId = 1"));
    Add({3001, 1, QStringLiteral("3000"), QStringLiteral("#1/5/2026 9:30#"), QStringLiteral("#1/5/2026 10:30#")});
    Add({3002, 1, QStringLiteral("3000"), QStringLiteral("#1/7/2026 9:30#"), QStringLiteral("#1/8/2026 10:30#")});
    Add({3003, 1, QStringLiteral("3000"), QStringLiteral("#1/9/2026 9:30#"), QStringLiteral("#1/9/2026 10:30#"),
         QStringLiteral("Jones")});
    Position(3001);
    EXPECT_EQ(Text(3000),
              QStringList({"", kSeparator, "Details for Group Booking Id: 3000", "", "Room 1 - Ground floor", "",
                           "Jan 05 2026, 9:30 am to 10:30 am    Id: 3001",
                           "Jan 07 2026, 9:30 am to Jan 08 2026 10:30 am    Id: 3002", "", "Client:  Smith", "",
                           kSeparator, "Room 1 - Ground floor", "", "Jan 09 2026, 9:30 am to 10:30 am    Id: 3003", "",
                           "Client:  Jones", "", kSeparator}));
}

TEST_F(BookingEmailTextTest, EveryOptionAddsItsLine) {
    AddCustomField();
    Execute(QStringLiteral("INSERT INTO Features (Feature) VALUES (\"Projector\")"));
    Execute(QStringLiteral("INSERT INTO Features (Feature) VALUES (\"Whiteboard\")"));
    Execute(QStringLiteral("INSERT INTO ResourceFeatures (ResourceId, Feature) VALUES (1, \"Projector\")"));
    Execute(QStringLiteral("INSERT INTO ResourceFeatures (ResourceId, Feature) VALUES (1, \"Whiteboard\")"));
    Execute(QStringLiteral("UPDATE Resources SET Notes = \"Key at desk\" WHERE ResourceId = 1"));
    Add({1001, 1, QStringLiteral("NULL"), QStringLiteral("#1/5/2026 9:00#"), QStringLiteral("#1/5/2026 10:30#"),
         QStringLiteral("Smith"), QStringLiteral("Bring slides")});
    Execute(QStringLiteral("UPDATE Bookings SET Reminder = \"Call first\", [udf1Room no] = \"North\""));
    Position(1001);
    TEmailBookingOptions all;
    all.InclEmail = all.InclPhone = all.InclAddress = all.InclDescription = all.InclNotes = all.InclReminder =
        all.InclResourceNotes = all.InclResourceFeatures = all.InclUDF1 = all.InclUDF2 = true;
    const QStringList alone = Text(-1, all);
    Execute(QStringLiteral("UPDATE Bookings SET GroupBookingId = 3000"));
    // The group's query reads the same fields.
    EXPECT_EQ(Text(3000, all).mid(4), alone.mid(4));
    EXPECT_EQ(alone.mid(8), QStringList({"Client:  Smith",
                                         "",
                                         "Email: smith@example.com",
                                         "",
                                         "Phone:   555-0100",
                                         "",
                                         "Address:   1 Main St",
                                         "",
                                         "Room no:   North",
                                         "",
                                         "Description: Board meeting",
                                         "",
                                         "Notes: Bring slides",
                                         "",
                                         "Reminder: Call first",
                                         "",
                                         "Resource Notes: Key at desk",
                                         "",
                                         "Resource Features: Projector, Whiteboard",
                                         "",
                                         kSeparator}));
}

TEST_F(BookingEmailTextTest, TheDetailsListMergesOnlyWhatDiffersInDatesAlone) {
    Add({3001, 1, QStringLiteral("3000"), QStringLiteral("#1/5/2026 9:00#"), QStringLiteral("#1/5/2026 10:00#")});
    Add({3002, 1, QStringLiteral("3000"), QStringLiteral("#1/6/2026 9:00#"), QStringLiteral("#1/6/2026 10:00#")});
    Add({3003, 1, QStringLiteral("3000"), QStringLiteral("#1/7/2026 9:00#"), QStringLiteral("#1/7/2026 10:00#")});
    Add({3004, 1, QStringLiteral("3000"), QStringLiteral("#1/8/2026 9:00#"), QStringLiteral("#1/8/2026 11:00#")});
    Add({3005, 2, QStringLiteral("3000"), QStringLiteral("#1/9/2026 9:00#"), QStringLiteral("#1/9/2026 10:00#")});
    Add({3006, 1, QStringLiteral("3000"), QStringLiteral("#1/10/2026 9:00#"), QStringLiteral("#1/10/2026 10:00#"),
         QStringLiteral("smith")});
    Position(3001);
    TBookingInfoList list(data);
    booking::FillBookingInfoList(data, list, 3000);
    ASSERT_EQ(list.Count(), 4);
    // Ordered by resource name, then start.
    const TBookingInfoItem& merged = list.GetItem(0);
    EXPECT_EQ(merged.BookingId, 3001);
    ASSERT_EQ(merged.BookingIds.Count(), 3);
    EXPECT_EQ(merged.BookingIds.GetItem(2), 3003);
    EXPECT_EQ(merged.Starts.GetItem(1), EncodeDateTime(2026, 1, 6, 9, 0, 0, 0));
    EXPECT_EQ(merged.Ends.GetItem(2), EncodeDateTime(2026, 1, 7, 10, 0, 0, 0));
    EXPECT_EQ(merged.ResourceName, QStringLiteral("Room 1"));
    EXPECT_EQ(merged.ResourceFeatures, QString());
    EXPECT_EQ(list.GetItem(1).BookingId, 3004);  // another end time
    EXPECT_EQ(list.GetItem(2).BookingId, 3006);  // the client differs in case
    EXPECT_EQ(list.GetItem(3).BookingId, 3005);
    EXPECT_EQ(list.GetItem(3).ResourceName, QStringLiteral("Room 2"));

    TBookingInfoList one(data);
    booking::FillBookingInfoList(data, one, -1);
    ASSERT_EQ(one.Count(), 1);
    EXPECT_EQ(one.GetItem(0).BookingIds.Count(), 1);
    EXPECT_EQ(one.GetItem(0).Description, QStringLiteral("Board meeting"));
}

TEST_F(BookingEmailTextTest, TheDatesTextWritesTheEndDateOnlyOnAnotherDay) {
    EXPECT_EQ(BookingDatesText(EncodeDateTime(2008, 5, 5, 9, 0, 0, 0), EncodeDateTime(2008, 5, 5, 10, 30, 0, 0)),
              QStringLiteral("May 05 2008, 9:00 am to 10:30 am"));
    EXPECT_EQ(BookingDatesText(EncodeDateTime(2008, 5, 5, 9, 0, 0, 0), EncodeDate(2008, 5, 6)),
              QStringLiteral("May 05 2008, 9:00 am to May 06 2008 12:00 am"));
}

}  // namespace
