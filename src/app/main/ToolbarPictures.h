// Pictures of the toolbar commands that the style has none for.
#pragma once

#include <QIcon>

// A printer with a sheet coming out of it.
QIcon PrinterPicture();
// A calendar page with a green plus: a booking to be made.
QIcon NewBookingPicture();
