// Drawing a booking id: the counter never repeats while the file lives, so ids stay unique without locks.
#include "data/bookings/NewBookingId.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

namespace data {

int DrawBookingId(TDataSet& nextBookingIdTable) {
    nextBookingIdTable.Insert();
    nextBookingIdTable.FieldByName(QStringLiteral("Dummy")).SetAsInteger(0);
    nextBookingIdTable.Post();
    const int id = static_cast<int>(nextBookingIdTable.FieldByName(QStringLiteral("NextBookingId")).AsInteger());
    nextBookingIdTable.Delete();
    return id;
}

}  // namespace data
