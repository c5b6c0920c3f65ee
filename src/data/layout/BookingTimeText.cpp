// Booking times and periods as text.
#include "data/layout/BookingTimeText.h"

#include "data/layout/BookingRow.h"
#include "platform/rtl/DateTimeFormat.h"

QString TimeFormatFor(bool Use24Hour) { return Use24Hour ? QStringLiteral("hh:mm") : QStringLiteral("h:mm am/pm"); }

QString FormatBookingTime(bool Use24Hour, TDateTime Time) {
    if (Time == 0) return Use24Hour ? QStringLiteral("24:00") : QStringLiteral("midnight");
    return FormatDateTime(TimeFormatFor(Use24Hour), Time);
}

QString FormatBookingSpan(const QString& TimeFormat, bool Compact, TDateTime StartDateTime, TDateTime EndDateTime) {
    const bool sameDate = data::DayNumber(StartDateTime) == data::DayNumber(EndDateTime);
    if (Compact && sameDate)
        return FormatDateTime(TimeFormat, StartDateTime) + " to " + FormatDateTime(TimeFormat, EndDateTime);
    const QString dateAndTime = QStringLiteral("mmm d ") + TimeFormat;
    if (data::MsOfDay(StartDateTime) != 0 || data::MsOfDay(EndDateTime) != 0)
        return FormatDateTime(dateAndTime, StartDateTime) + " to " +
               FormatDateTime(sameDate ? TimeFormat : dateAndTime, EndDateTime);
    QString text = FormatDateTime(QStringLiteral("mmm d"), StartDateTime);
    const TDateTime lastDay = EndDateTime - 1;
    if (data::DayNumber(lastDay) > data::DayNumber(StartDateTime))
        text += " to " + FormatDateTime(QStringLiteral("mmm d"), lastDay);
    return text + " All Day";
}
