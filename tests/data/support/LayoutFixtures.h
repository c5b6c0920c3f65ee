// Small builders for the layout tests: bookings written as "d hh:mm" texts on days counted from a first date.
#pragma once

#include "data/layout/BookingRow.h"

#include <QString>
#include <QStringList>

namespace layout_test {

// Day 1 of every fixture: Monday 5 January 2026.
inline TDateTime Day(int day) { return EncodeDate(2026, 1, 4) + day; }

// "9:15" on day 1, or "3 0:00" on day 3.
inline TDateTime At(const QString& text) {
    QString dayPart = QStringLiteral("1");
    QString timePart = text;
    if (text.contains(u' ')) {
        dayPart = text.section(u' ', 0, 0);
        timePart = text.section(u' ', 1, 1);
    }
    return Day(dayPart.toInt()) +
           EncodeTime(timePart.section(u':', 0, 0).toInt(), timePart.section(u':', 1, 1).toInt(), 0, 0);
}

inline data::BookingRow Booking(int id, const QString& start, const QString& end) {
    data::BookingRow row;
    row.BookingId = id;
    row.ResourceId = 1;
    row.ResourceName = QStringLiteral("Room");
    row.Client = QStringLiteral("client %1").arg(id);
    row.Description = QStringLiteral("booking %1").arg(id);
    row.BookingStart = At(start);
    row.BookingEnd = At(end);
    return row;
}

}  // namespace layout_test
