// The statement that reads the bookings of some resources touching a window of dates, bounded for the index.
#pragma once

#include "data/bookings/ResourceList.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/StringList.h"

class TADOConnection;
class TADOQuery;

namespace data {

// Creates, when missing, the engine's indexes of the Bookings table: each resource's booking lengths, which
// BookingStartRange reads, and the start times, which the day's reminders read (BookingStart is only the second
// column of the catalog's (ResourceId, BookingStart) index). They stay outside the Jet catalog, so the schema
// the program sees is unchanged. A new file is made with them, a table rebuild makes them again, and a writable
// open makes them on a file from before; a file without them (from before, opened read-only) gives the same
// rows, the range then costing a scan of the resources' bookings and the reminders a scan of every booking.
void EnsureBookingIndexes(TADOConnection& connection);

// Date parts: every booking of the resources that touches firstDate..lastDate starts on or after From and
// before Before, whatever its length (a booking whose end lies before its start included).
struct StartRange {
    TDateTime From = 0;
    TDateTime Before = 0;
};
StartRange BookingStartRange(TADOConnection& connection, const TResourceList& resources, TDateTime firstDate,
                             TDateTime lastDate);

// Sets the query's statement to the select lines, "from [Resources], [Bookings]" and the lines shared by the
// containers' statements: the period of firstDate to lastDate (date parts), one "or" line per resource, the start
// range, and the order by resource name and start; the dates and resource ids are bound as its parameters.
void SetBookingPeriodStatement(TADOQuery& query, const QStringList& selectLines, const TResourceList& resources,
                               TDateTime firstDate, TDateTime lastDate, const StartRange& range);

// Sets the query's statement to the select lines of the columns the booking rows need (BookingRowReader.h)
// followed by the period lines, and opens it.
void OpenBookingPeriodQuery(TADOQuery& query, const TResourceList& resources, TDateTime firstDate, TDateTime lastDate);

}  // namespace data
