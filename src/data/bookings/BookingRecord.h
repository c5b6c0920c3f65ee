// TBookingRecord: the in-memory copy of one Bookings row that editors copy, compare and write back.
#pragma once

#include "data/bookings/UDFField.h"
#include "platform/rtl/DateUtils.h"

#include <QString>
#include <memory>

class TDataSet;

class TBookingRecord {
public:
    // Keeps the dataset and copies each given descriptor; IsEmpty until the first Load.
    TBookingRecord(TDataSet& dataSet, const TUDFField* udf1, const TUDFField* udf2);
    TBookingRecord(const TBookingRecord&) = delete;
    TBookingRecord& operator=(const TBookingRecord&) = delete;

    bool IsEmpty = true;
    TDataSet* DataSet;
    std::unique_ptr<TUDFField> Udf1;
    std::unique_ptr<TUDFField> Udf2;
    qint32 BookingId = 0;
    qint32 GroupBookingId = 0;
    qint32 ResourceId = 0;
    QString Owner;
    // Carried unchanged through load, save and compare.
    QString Ep;
    TDateTime StartDate = 0;
    TDateTime StartTime = 0;
    TDateTime EndDate = 0;
    TDateTime EndTime = 0;
    QString Client;
    QString Email;
    QString Phone;
    QString Address;
    QString Description;
    QString Notes;
    QString Reminder;

    bool GroupBookingIdChanged = false;
    bool EpChanged = false;
    bool OwnerChanged = false;
    bool ResourceIdChanged = false;
    bool StartDateChanged = false;
    bool StartTimeChanged = false;
    bool EndDateChanged = false;
    bool EndTimeChanged = false;
    bool ClientChanged = false;
    bool EmailChanged = false;
    bool PhoneChanged = false;
    bool AddressChanged = false;
    bool DescriptionChanged = false;
    bool NotesChanged = false;
    bool ReminderChanged = false;
    bool Udf1Changed = false;
    bool Udf2Changed = false;

    // Reads every field from the dataset's current row.
    void Load();
    // Writes into the current row (in edit or insert state); the BookingId only when withId.
    void Save(bool withId);
    // Writes only the flagged fields; a changed date part keeps the row's time part and the reverse.
    void SaveChanged();
    // Drops the dataset's pending edit or insert unposted, then edits the row with this BookingId, or inserts one
    // when it is gone or the BookingId is 0 (a new booking), and saves with the id (no post).
    void Store();
    // The History text of this record: every field with a value (previous null), or the flagged fields
    // whose value differs from previous. Resource names come from the resources dataset.
    QString DescribeChanges(const TBookingRecord* previous, TDataSet& resources) const;

    TDateTime BookingStart() const { return DateOf(StartDate) + TimeOf(StartTime); }
    TDateTime BookingEnd() const { return DateOf(EndDate) + TimeOf(EndTime); }
};
