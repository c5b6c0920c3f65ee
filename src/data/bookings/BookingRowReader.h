// Reading the rows of an open period statement into booking rows, with the overlap check and the resource index.
#pragma once

#include "data/bookings/ResourceList.h"
#include "data/layout/BookingRow.h"

#include <functional>

class TDataSet;

namespace data {

// Walks the dataset from its first row. Each row is checked for overlap, then matched to Resources by name
// (without case); a row whose resource is not in the list (renamed or deleted by another user meanwhile) is
// passed over. Answers whether two non-staged bookings of one resource overlap.
bool ReadBookingRows(TDataSet& rows, const TResourceList& resources,
                     const std::function<void(int, const BookingRow&)>& place);

}  // namespace data
