// Loading, saving and describing one booking row.
#include "data/bookings/BookingRecord.h"

#include "data/bookings/OptionalText.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"

#include <cmath>

namespace {

std::unique_ptr<TUDFField> CopyOf(const TUDFField* descriptor) {
    if (!descriptor) return nullptr;
    auto copy = std::make_unique<TUDFField>();
    copy->Assign(*descriptor);
    return copy;
}

// Milliseconds of the time of day, so that values a rounding error apart compare equal.
qint64 TimeMs(TDateTime value) { return std::llround(TimeOf(value) * MSecsPerDay); }
qint64 DayNumber(TDateTime value) { return static_cast<qint64>(DateOf(value)); }

QString DateText(TDateTime value) { return FormatDateTime(QStringLiteral("mmm dd yyyy"), value); }
QString TimeText(TDateTime value) { return FormatDateTime(QStringLiteral("h:mm am/pm"), value); }
QString Part(const QString& label, const QString& value) { return label + u'(' + value + QStringLiteral(") "); }

bool SameValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
    return a == b;
}

}  // namespace

TBookingRecord::TBookingRecord(TDataSet& dataSet, const TUDFField* udf1, const TUDFField* udf2)
    : DataSet(&dataSet), Udf1(CopyOf(udf1)), Udf2(CopyOf(udf2)) {}

void TBookingRecord::Load() {
    const TDataSet& d = *DataSet;
    BookingId = static_cast<qint32>(d.FieldByName(QStringLiteral("BookingId")).AsInteger());
    GroupBookingId = static_cast<qint32>(d.FieldByName(QStringLiteral("GroupBookingId")).AsInteger());
    Owner = d.FieldByName(QStringLiteral("Owner")).AsString();
    Ep = d.FieldByName(QStringLiteral("Ep")).AsString();
    ResourceId = static_cast<qint32>(d.FieldByName(QStringLiteral("ResourceId")).AsInteger());
    const TDateTime start = d.FieldByName(QStringLiteral("BookingStart")).AsDateTime();
    const TDateTime end = d.FieldByName(QStringLiteral("BookingEnd")).AsDateTime();
    StartDate = DateOf(start);
    StartTime = TimeOf(start);
    EndDate = DateOf(end);
    EndTime = TimeOf(end);
    Client = d.FieldByName(QStringLiteral("Client")).AsString();
    Email = d.FieldByName(QStringLiteral("Email")).AsString();
    Phone = d.FieldByName(QStringLiteral("Phone")).AsString();
    Address = d.FieldByName(QStringLiteral("Address")).AsString();
    Description = d.FieldByName(QStringLiteral("Description")).AsString();
    Notes = d.FieldByName(QStringLiteral("Notes")).AsString();
    Reminder = d.FieldByName(QStringLiteral("Reminder")).AsString();
    for (TUDFField* custom : {Udf1.get(), Udf2.get()})
        if (custom) custom->Value = d.FieldByName(custom->FieldName).Value();
    IsEmpty = false;
}

void TBookingRecord::Save(bool withId) {
    TDataSet& d = *DataSet;
    if (withId) d.FieldByName(QStringLiteral("BookingId")).SetAsInteger(BookingId);
    d.FieldByName(QStringLiteral("GroupBookingId")).SetAsInteger(GroupBookingId);
    d.FieldByName(QStringLiteral("Ep")).SetAsString(Ep);
    d.FieldByName(QStringLiteral("Owner")).SetAsString(Owner);
    d.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(ResourceId);
    d.FieldByName(QStringLiteral("BookingStart")).SetAsDateTime(BookingStart());
    d.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(BookingEnd());
    d.FieldByName(QStringLiteral("Client")).SetAsString(Client);
    d.FieldByName(QStringLiteral("Email")).SetValue(data::OptionalText(Email));
    d.FieldByName(QStringLiteral("Phone")).SetValue(data::OptionalText(Phone));
    d.FieldByName(QStringLiteral("Address")).SetValue(data::OptionalText(Address));
    d.FieldByName(QStringLiteral("Description")).SetValue(data::OptionalText(Description));
    d.FieldByName(QStringLiteral("Notes")).SetValue(data::OptionalText(Notes));
    d.FieldByName(QStringLiteral("Reminder")).SetValue(data::OptionalText(Reminder));
    for (const TUDFField* custom : {Udf1.get(), Udf2.get()})
        if (custom) d.FieldByName(custom->FieldName).SetValue(custom->Value);
}

void TBookingRecord::SaveChanged() {
    TDataSet& d = *DataSet;
    const auto text = [&d](bool changed, const char* name, const QString& value) {
        if (changed) d.FieldByName(QLatin1String(name)).SetAsString(value);
    };
    const auto optionalText = [&d](bool changed, const char* name, const QString& value) {
        if (changed) d.FieldByName(QLatin1String(name)).SetValue(data::OptionalText(value));
    };
    // A date part joins the row's time part and a time part the row's date part.
    const auto moment = [&d](bool dateChanged, bool timeChanged, const char* name, TDateTime date, TDateTime time) {
        if (!dateChanged && !timeChanged) return;
        TField& field = d.FieldByName(QLatin1String(name));
        const TDateTime current = field.AsDateTime();
        field.SetAsDateTime((dateChanged ? DateOf(date) : DateOf(current)) +
                            (timeChanged ? TimeOf(time) : TimeOf(current)));
    };
    if (GroupBookingIdChanged) d.FieldByName(QStringLiteral("GroupBookingId")).SetAsInteger(GroupBookingId);
    text(EpChanged, "Ep", Ep);
    text(OwnerChanged, "Owner", Owner);
    if (ResourceIdChanged) d.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(ResourceId);
    moment(StartDateChanged, StartTimeChanged, "BookingStart", StartDate, StartTime);
    moment(EndDateChanged, EndTimeChanged, "BookingEnd", EndDate, EndTime);
    text(ClientChanged, "Client", Client);
    optionalText(EmailChanged, "Email", Email);
    optionalText(PhoneChanged, "Phone", Phone);
    optionalText(AddressChanged, "Address", Address);
    optionalText(DescriptionChanged, "Description", Description);
    optionalText(NotesChanged, "Notes", Notes);
    optionalText(ReminderChanged, "Reminder", Reminder);
    if (Udf1 && Udf1Changed) d.FieldByName(Udf1->FieldName).SetValue(Udf1->Value);
    if (Udf2 && Udf2Changed) d.FieldByName(Udf2->FieldName).SetValue(Udf2->Value);
}

void TBookingRecord::Store() {
    // A pending edit or insert is dropped, never posted: the Locate below would post it behind the caller's back.
    if (DataSet->State() == dsEdit || DataSet->State() == dsInsert) DataSet->Cancel();
    // A new booking gets its id when it is saved: there is no row to look for, and no read that can fail.
    if (BookingId != 0 && DataSet->Locate(QStringLiteral("BookingId"), BookingId)) DataSet->Edit();
    else DataSet->Insert();
    Save(true);
}

QString TBookingRecord::DescribeChanges(const TBookingRecord* previous, TDataSet& resources) const {
    const TBookingRecord* p = previous;
    QString text;
    if (!p || (ResourceIdChanged && ResourceId != p->ResourceId)) {
        const QVariant name =
            resources.Lookup(QStringLiteral("ResourceId"), ResourceId, QStringLiteral("ResourceName"));
        text += Part(QStringLiteral("Resource"), name.isNull() ? QStringLiteral("unknown") : name.toString());
    }
    if (GroupBookingId != 0 && (!p || (GroupBookingIdChanged && GroupBookingId != p->GroupBookingId)))
        text += Part(QStringLiteral("GroupId"), QString::number(GroupBookingId));

    const bool oneDate =
        DayNumber(StartDate) == DayNumber(EndDate) && (!p || DayNumber(p->StartDate) == DayNumber(p->EndDate));
    if (!p || (StartDateChanged && DayNumber(StartDate) != DayNumber(p->StartDate)))
        text += Part(oneDate ? QStringLiteral("Date") : QStringLiteral("StartDate"), DateText(StartDate));
    if (!oneDate && (!p || (EndDateChanged && DayNumber(EndDate) != DayNumber(p->EndDate))))
        text += Part(QStringLiteral("EndDate"), DateText(EndDate));
    if (!p || (StartTimeChanged && TimeMs(StartTime) != TimeMs(p->StartTime)))
        text += Part(QStringLiteral("StartTime"), TimeText(StartTime));
    if (!p || (EndTimeChanged && TimeMs(EndTime) != TimeMs(p->EndTime)))
        text += Part(QStringLiteral("EndTime"), TimeText(EndTime));

    const auto textPart = [&text, p](const char* label, const QString& value, bool changed, const QString* old) {
        if (p ? (changed && value != *old) : !value.isEmpty()) text += Part(QLatin1String(label), value);
    };
    textPart("Client", Client, ClientChanged, p ? &p->Client : nullptr);
    textPart("Email", Email, EmailChanged, p ? &p->Email : nullptr);
    textPart("Phone", Phone, PhoneChanged, p ? &p->Phone : nullptr);
    textPart("Address", Address, AddressChanged, p ? &p->Address : nullptr);
    textPart("Description", Description, DescriptionChanged, p ? &p->Description : nullptr);
    textPart("Notes", Notes, NotesChanged, p ? &p->Notes : nullptr);
    textPart("Reminder", Reminder, ReminderChanged, p ? &p->Reminder : nullptr);

    const auto customPart = [&text, p](const TUDFField* custom, bool changed, const TUDFField* old) {
        if (!custom) return;
        const bool write = p ? changed && !(old && SameValue(custom->Value, old->Value)) : !custom->Value.isNull();
        if (write) text += Part(custom->Caption, UDFValueText(*custom, custom->Value));
    };
    customPart(Udf1.get(), Udf1Changed, p ? p->Udf1.get() : nullptr);
    customPart(Udf2.get(), Udf2Changed, p ? p->Udf2.get() : nullptr);
    return text;
}
