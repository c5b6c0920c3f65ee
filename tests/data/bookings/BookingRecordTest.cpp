// TBookingRecord: copying rows, writing changed parts, and the History descriptions; the custom columns.
#include "data/bookings/BookingRecord.h"
#include "data/support/BookingsFixture.h"

#include <gtest/gtest.h>

using namespace bookings_test;

namespace {

class BookingRecordTest : public BookingsTest {
protected:
    void LoadBooking(TBookingRecord& record, int id) {
        ASSERT_TRUE(db->bookings.Locate(QStringLiteral("BookingId"), id));
        record.Load();
    }
};

TEST_F(BookingRecordTest, LoadAndSaveCarryEveryFieldAndSplitDatesFromTimes) {
    const int id = db->Book(1, At(5, 9), At(6, 10, 30));
    db->bookings.Edit();
    db->bookings.FieldByName(QStringLiteral("Ep")).SetAsString(QStringLiteral("ep"));
    db->bookings.FieldByName(QStringLiteral("Notes")).SetAsString(QStringLiteral("n"));
    db->bookings.FieldByName(QStringLiteral("GroupBookingId")).SetAsInteger(77);
    db->bookings.Post();

    TBookingRecord record(db->bookings, nullptr, nullptr);
    EXPECT_TRUE(record.IsEmpty);
    LoadBooking(record, id);
    EXPECT_FALSE(record.IsEmpty);
    EXPECT_EQ(record.BookingId, id);
    EXPECT_EQ(record.GroupBookingId, 77);
    EXPECT_EQ(record.Ep, QStringLiteral("ep"));
    EXPECT_DOUBLE_EQ(record.StartDate, EncodeDate(2026, 1, 5));
    EXPECT_NEAR(record.StartTime, EncodeTime(9, 0, 0, 0), OneMillisecond);
    EXPECT_DOUBLE_EQ(record.EndDate, EncodeDate(2026, 1, 6));
    EXPECT_NEAR(record.EndTime, EncodeTime(10, 30, 0, 0), OneMillisecond);
    EXPECT_EQ(record.Phone, QString());

    // A copy without the id gets the new row's own id and every value of the original.
    db->bookings.Insert();
    const qint64 newId = db->bookings.FieldByName(QStringLiteral("BookingId")).AsInteger();
    record.Save(false);
    db->bookings.Post();
    TBookingRecord copy(db->bookings, nullptr, nullptr);
    LoadBooking(copy, static_cast<int>(newId));
    EXPECT_NE(copy.BookingId, id);
    EXPECT_EQ(copy.Notes, QStringLiteral("n"));
    EXPECT_EQ(copy.Ep, QStringLiteral("ep"));
    EXPECT_NEAR(copy.BookingEnd(), At(6, 10, 30), OneMillisecond);
}

TEST_F(BookingRecordTest, SaveChangedJoinsAChangedPartWithTheRowsOtherPart) {
    const int id = db->Book(1, At(5, 9), At(5, 10));
    TBookingRecord record(db->bookings, nullptr, nullptr);
    LoadBooking(record, id);
    record.StartDate = EncodeDate(2026, 1, 7);
    record.EndTime = EncodeTime(11, 15, 0, 0);
    record.EndDate = EncodeDate(2030, 1, 1);  // not flagged: stays
    record.Client = QStringLiteral("Jones");
    record.StartDateChanged = record.EndTimeChanged = record.ClientChanged = true;
    db->bookings.Edit();
    record.SaveChanged();
    db->bookings.Post();
    EXPECT_NEAR(db->bookings.FieldByName(QStringLiteral("BookingStart")).AsDateTime(), At(7, 9), OneMillisecond);
    EXPECT_NEAR(db->bookings.FieldByName(QStringLiteral("BookingEnd")).AsDateTime(), At(5, 11, 15), OneMillisecond);
    EXPECT_EQ(db->bookings.FieldByName(QStringLiteral("Client")).AsString(), QStringLiteral("Jones"));
}

TEST_F(BookingRecordTest, StoreEditsTheRowOrInsertsItWhenGone) {
    const int id = db->Book(1, At(5, 9), At(5, 10));
    TBookingRecord record(db->bookings, nullptr, nullptr);
    LoadBooking(record, id);
    record.Client = QStringLiteral("Edited");
    record.Store();
    EXPECT_EQ(db->bookings.State(), dsEdit);
    db->bookings.Post();
    EXPECT_EQ(db->Stored(QStringLiteral("SELECT Client FROM Bookings WHERE BookingId = %1").arg(id)).toString(),
              QStringLiteral("Edited"));

    db->bookings.Delete();
    record.Store();
    EXPECT_EQ(db->bookings.State(), dsInsert);
    EXPECT_EQ(db->bookings.FieldByName(QStringLiteral("BookingId")).AsInteger(), id);
    db->bookings.Post();
    EXPECT_EQ(db->Stored(QStringLiteral("SELECT Client FROM Bookings WHERE BookingId = %1").arg(id)).toString(),
              QStringLiteral("Edited"));
}

TEST_F(BookingRecordTest, DescriptionOfANewBookingListsEveryPartWithAValue) {
    TBookingRecord record(db->bookings, nullptr, nullptr);
    LoadBooking(record, db->Book(1, At(5, 9), At(5, 10)));
    EXPECT_EQ(record.DescribeChanges(nullptr, db->resources),
              QStringLiteral("Resource(Room 1) Date(Jan 05 2026) StartTime(9:00 am) EndTime(10:00 am) Client(Smith) "));

    record.ResourceId = 99;
    record.EndDate = EncodeDate(2026, 1, 6);
    record.GroupBookingId = 12;
    record.Reminder = QStringLiteral("call");
    EXPECT_EQ(record.DescribeChanges(nullptr, db->resources),
              QStringLiteral("Resource(unknown) GroupId(12) StartDate(Jan 05 2026) EndDate(Jan 06 2026) "
                             "StartTime(9:00 am) EndTime(10:00 am) Client(Smith) Reminder(call) "));
}

TEST_F(BookingRecordTest, DescriptionOfAChangeListsOnlyFlaggedPartsThatDiffer) {
    const int id = db->Book(1, At(5, 9), At(5, 10));
    TBookingRecord before(db->bookings, nullptr, nullptr), after(db->bookings, nullptr, nullptr);
    LoadBooking(before, id);
    LoadBooking(after, id);
    after.EndTime = EncodeTime(11, 30, 0, 0);
    after.EndTimeChanged = true;
    after.ClientChanged = true;  // flagged, but the same text
    after.Notes = QStringLiteral("not flagged");
    EXPECT_EQ(after.DescribeChanges(&before, db->resources), QStringLiteral("EndTime(11:30 am) "));

    after.Client = QStringLiteral("smith");  // texts compare with case
    after.StartDate = EncodeDate(2026, 1, 8);
    after.EndDate = EncodeDate(2026, 1, 8);
    after.StartDateChanged = after.EndDateChanged = true;
    after.ResourceId = 2;
    after.ResourceIdChanged = true;
    EXPECT_EQ(after.DescribeChanges(&before, db->resources),
              QStringLiteral("Resource(Room 2) Date(Jan 08 2026) EndTime(11:30 am) Client(smith) "));
}

TEST_F(BookingRecordTest, DescriptionOfAnEndDateChangeNamesTheEndDateOnly) {
    struct Case {
        TDateTime start, end;  // the booking as it was
        int newEndDay;
        bool flagged;
        QString description;
    };
    const Case cases[] = {
        {At(5, 9), At(7, 10), 8, true, QStringLiteral("EndDate(Jan 08 2026) ")},
        // A one-day booking that now ends on a later day.
        {At(5, 9), At(5, 10), 6, true, QStringLiteral("EndDate(Jan 06 2026) ")},
        {At(5, 9), At(7, 10), 8, false, QString()},
    };
    for (const Case& c : cases) {
        const int id = db->Book(1, c.start, c.end);
        TBookingRecord before(db->bookings, nullptr, nullptr), after(db->bookings, nullptr, nullptr);
        LoadBooking(before, id);
        LoadBooking(after, id);
        after.EndDate = EncodeDate(2026, 1, c.newEndDay);
        after.EndDateChanged = c.flagged;
        EXPECT_EQ(after.DescribeChanges(&before, db->resources), c.description) << c.newEndDay << c.flagged;
    }
}

TEST_F(BookingRecordTest, CustomColumnsAreFoundByNameAndTravelWithTheRecord) {
    std::unique_ptr<TUDFField> descriptor, second;
    data::FindCustomFields(db->bookings, db->global, descriptor, second);
    EXPECT_EQ(descriptor, nullptr);  // a database without custom columns
    EXPECT_EQ(second, nullptr);

    for (const char* statement :
         {"ALTER TABLE Bookings ADD COLUMN udf1Cost CURRENCY", "ALTER TABLE Bookings ADD COLUMN udf1Other TEXT(5)",
          "ALTER TABLE Bookings ADD COLUMN UDF2Upper TEXT(5)",
          "ALTER TABLE RanvelGlobal ADD COLUMN udf1CostEditMask TEXT(20)",
          "UPDATE RanvelGlobal SET udf1CostEditMask = \"999\""})
        db->connection.Execute(QLatin1String(statement));
    for (TADOTable* table : {&db->bookings, &db->global}) {
        table->Close();
        table->Open();
    }
    data::FindCustomFields(db->bookings, db->global, descriptor, second);
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(second, nullptr);  // the name's case counts
    EXPECT_EQ(descriptor->FieldName, QStringLiteral("udf1Cost"));
    EXPECT_EQ(descriptor->Caption, QStringLiteral("Cost"));
    EXPECT_TRUE(descriptor->IsCurrency);
    EXPECT_EQ(descriptor->EditMask, QStringLiteral("999"));
    TField& column = db->bookings.FieldByName(QStringLiteral("udf1Cost"));
    EXPECT_EQ(column.EditMask(), QStringLiteral("999"));

    const int id = db->Book(1, At(5, 9), At(5, 10));
    db->bookings.Edit();
    column.SetAsFloat(12.5);
    db->bookings.Post();
    TBookingRecord record(db->bookings, descriptor.get(), nullptr);
    LoadBooking(record, id);
    EXPECT_EQ(record.Udf1->Value.toDouble(), 12.5);
    EXPECT_EQ(descriptor->Value, QVariant());  // the record holds its own copy
    EXPECT_TRUE(record.DescribeChanges(nullptr, db->resources).endsWith(QStringLiteral("Cost(12.5) ")));
    EXPECT_EQ(FormatUDFValue(*record.Udf1, record.Udf1->Value), QStringLiteral("$12.50"));
    EXPECT_EQ(FormatUDFValue(*record.Udf1, QVariant()), QString());

    TUDFField plain;
    EXPECT_EQ(FormatUDFValue(plain, QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(FormatUDFValue(plain, 7), QStringLiteral("7"));
}

TEST_F(BookingRecordTest, ADateCustomColumnReadsAsAShortDate) {
    db->connection.Execute(QStringLiteral("ALTER TABLE Bookings ADD COLUMN udf1Due DATETIME"));
    db->bookings.Close();
    db->bookings.Open();
    std::unique_ptr<TUDFField> due, none;
    data::FindCustomFields(db->bookings, db->global, due, none);
    ASSERT_NE(due, nullptr);

    const int id = db->Book(1, At(5, 9), At(5, 10));
    db->bookings.Edit();
    db->bookings.FieldByName(QStringLiteral("udf1Due")).SetAsDateTime(EncodeDate(2026, 1, 12));
    db->bookings.Post();
    TBookingRecord record(db->bookings, due.get(), nullptr);
    LoadBooking(record, id);
    EXPECT_TRUE(record.DescribeChanges(nullptr, db->resources).endsWith(QStringLiteral("Due(1/12/2026) ")));
    EXPECT_EQ(FormatUDFValue(*record.Udf1, record.Udf1->Value), QStringLiteral("1/12/2026"));
    EXPECT_EQ(FormatUDFValue(*record.Udf1, EncodeDate(2026, 1, 12) + 0.5), QStringLiteral("1/12/2026 12:00:00 PM"));
}

}  // namespace
