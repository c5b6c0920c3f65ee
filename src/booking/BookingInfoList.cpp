// Gathering booking details: merging rows that differ only in their dates, and the resource's details.
#include "booking/BookingInfoList.h"

#include "data/bookings/UDFField.h"
#include "data/module/DataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"

namespace {

// Times of day compared to the millisecond: the same clock time on two dates may differ in the last bits of
// its fraction.
qint64 MillisecondOfDay(TDateTime value) { return qRound64(TimeOf(value) * 86400000.0); }

QString Text(const TDataSet& dataSet, const QString& name) { return dataSet.FieldByName(name).AsString(); }

// The booking description: Description, or BookingDescription in a dataset that joins Resources.
QString DescriptionOf(const TDataSet& dataSet) {
    const TField* field = dataSet.FindField(QStringLiteral("Description"));
    if (!field) field = &dataSet.FieldByName(QStringLiteral("BookingDescription"));
    return field->AsString();
}

QVariant UdfText(const TDataSet& dataSet, const TUDFField* udf) {
    if (!udf) return QString();
    return FormatUDFValue(*udf, dataSet.FieldByName(udf->FieldName).Value());
}

}  // namespace

TBookingInfoList::TBookingInfoList(TADOConnection& connection, const TUDFField* udf1, const TUDFField* udf2)
    : udf1_(udf1), udf2_(udf2) {
    query_.SetConnection(&connection);
}

TBookingInfoList::TBookingInfoList(TData& data)
    : TBookingInfoList(data.ADOConnection, data.Udf1Field.get(), data.Udf2Field.get()) {}

TBookingInfoList::~TBookingInfoList() = default;

void TBookingInfoList::LoadFromDataSet(TDataSet& dataSet) {
    const qint32 bookingId = static_cast<qint32>(dataSet.FieldByName(QStringLiteral("BookingId")).AsInteger());
    const qint32 resourceId = static_cast<qint32>(dataSet.FieldByName(QStringLiteral("ResourceId")).AsInteger());
    const TDateTime start = dataSet.FieldByName(QStringLiteral("BookingStart")).AsDateTime();
    const TDateTime end = dataSet.FieldByName(QStringLiteral("BookingEnd")).AsDateTime();
    const QString client = Text(dataSet, QStringLiteral("Client"));
    const QString email = Text(dataSet, QStringLiteral("Email"));
    const QString phone = Text(dataSet, QStringLiteral("Phone"));
    const QString address = Text(dataSet, QStringLiteral("Address"));
    const QString description = DescriptionOf(dataSet);
    const QString notes = Text(dataSet, QStringLiteral("Notes"));
    const QString reminder = Text(dataSet, QStringLiteral("Reminder"));

    for (const auto& item : items_) {
        if (MillisecondOfDay(start) != MillisecondOfDay(item->Starts.GetItem(0)) ||
            MillisecondOfDay(end) != MillisecondOfDay(item->Ends.GetItem(0)))
            continue;
        if (client != item->Client || resourceId != item->ResourceId || email != item->Email || phone != item->Phone ||
            address != item->Address || description != item->Description || notes != item->Notes ||
            reminder != item->Reminder)
            continue;
        item->BookingIds.Add(bookingId);
        item->Starts.Add(start);
        item->Ends.Add(end);
        return;
    }

    auto item = std::make_unique<TBookingInfoItem>();
    item->BookingId = bookingId;
    item->ResourceId = resourceId;
    item->BookingIds.Add(bookingId);
    item->Starts.Add(start);
    item->Ends.Add(end);
    item->Client = client;
    item->Email = email;
    item->Phone = phone;
    item->Address = address;
    item->Udf1Value = UdfText(dataSet, udf1_);
    item->Udf2Value = UdfText(dataSet, udf2_);
    item->Description = description;
    item->Notes = notes;
    item->Reminder = reminder;
    ReadResource(*item);
    items_.push_back(std::move(item));
}

void TBookingInfoList::ReadResource(TBookingInfoItem& item) {
    // The id is a number read from the row, so it can stand in the statement as it is.
    const QString id = QString::number(item.ResourceId);
    query_.Close();
    query_.SQL.SetStrings({QStringLiteral("select ResourceName, Description, Notes from Resources"),
                           QStringLiteral("where ResourceId = ") + id});
    query_.Open();
    if (!query_.IsEmpty()) {
        item.ResourceName = query_.FieldByName(QStringLiteral("ResourceName")).AsString();
        item.ResourceDescription = query_.FieldByName(QStringLiteral("Description")).AsString();
        item.ResourceNotes = query_.FieldByName(QStringLiteral("Notes")).AsString();
        query_.Close();
        query_.SQL.SetStrings(
            {QStringLiteral("select Feature from ResourceFeatures"), QStringLiteral("where ResourceId = ") + id});
        query_.Open();
        QStringList features;
        for (; !query_.Eof(); query_.Next()) features << query_.FieldByName(QStringLiteral("Feature")).AsString();
        item.ResourceFeatures = features.join(QStringLiteral(", "));
    }
    query_.Close();
}

QString BookingDatesText(TDateTime start, TDateTime end) {
    const QString dateFormat = QStringLiteral("mmm dd yyyy");
    const QString timeFormat = QStringLiteral("h:mm am/pm");
    QString text = FormatDateTime(dateFormat, start) + QStringLiteral(", ") + FormatDateTime(timeFormat, start) +
                   QStringLiteral(" to ");
    if (static_cast<qint64>(DateOf(end)) != static_cast<qint64>(DateOf(start)))
        text += FormatDateTime(dateFormat, end) + u' ';
    return text + FormatDateTime(timeFormat, end);
}
