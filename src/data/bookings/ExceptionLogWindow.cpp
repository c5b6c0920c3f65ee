// The installed exception log dialog.
#include "data/bookings/ExceptionLogWindow.h"

namespace data {

ExceptionLogWindow& CurrentExceptionLogWindow() {
    static ExceptionLogWindow window;
    return window;
}

void ShowExceptionLog(const ExceptionLogReport& report, const std::exception& error) {
    if (CurrentExceptionLogWindow()) CurrentExceptionLogWindow()(report, error);
}

}  // namespace data
