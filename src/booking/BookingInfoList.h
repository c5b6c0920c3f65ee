// TBookingInfoList: the details of one booking or of a group's bookings as they are printed and e-mailed, bookings
// that differ only in their dates merged into one item.
#pragma once

#include "platform/db/ADODataSet.h"
#include "platform/rtl/DateUtils.h"
#include "util/core/DvLists.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class TADOConnection;
class TDataSet;
class TData;
class TUDFField;

class TBookingInfoItem {
public:
    // The first booking that made the item.
    qint32 BookingId = 0;
    qint32 ResourceId = 0;
    QString Client;
    QString Email;
    QString Phone;
    QString Address;
    QString Description;
    QString Notes;
    QString Reminder;
    // From the Resources row; empty when it is missing.
    QString ResourceName;
    QString ResourceDescription;
    QString ResourceNotes;
    // The resource's features joined by ", ".
    QString ResourceFeatures;
    // The custom fields' display texts; empty when the database has no such field.
    QVariant Udf1Value;
    QVariant Udf2Value;
    // The merged bookings, in the order added.
    TDvIntegerList BookingIds;
    TDvDateTimeList Starts;
    TDvDateTimeList Ends;
};

class TBookingInfoList {
public:
    // Reads resources over the connection; the descriptors (null when absent) give the custom columns.
    TBookingInfoList(TADOConnection& connection, const TUDFField* udf1, const TUDFField* udf2);
    // On the data module's connection, with its custom fields.
    explicit TBookingInfoList(TData& data);
    TBookingInfoList(const TBookingInfoList&) = delete;
    TBookingInfoList& operator=(const TBookingInfoList&) = delete;
    ~TBookingInfoList();

    int Count() const { return static_cast<int>(items_.size()); }
    // 0 <= index < Count().
    TBookingInfoItem& GetItem(int index) const { return *items_[static_cast<size_t>(index)]; }
    // Adds the dataset's current row: to the first item it matches in everything but the dates, else as a new
    // item with its resource's details.
    void LoadFromDataSet(TDataSet& dataSet);

private:
    void ReadResource(TBookingInfoItem& item);

    std::vector<std::unique_ptr<TBookingInfoItem>> items_;
    TADOQuery query_;
    const TUDFField* udf1_;
    const TUDFField* udf2_;
};

// "May 05 2008, 9:00 am to 10:30 am"; the end's date is written only when it falls on another day.
QString BookingDatesText(TDateTime start, TDateTime end);
