// Reporting an exception met while the time-slot container retrieves bookings: the exception log dialog.
#pragma once

#include <exception>

namespace data {

// Shows the exception log dialog, naming the step of the load that was reached (1 to 10).
void ReportBookingRetrievalError(const std::exception& error, int referencePoint);

}  // namespace data
