// Who the user is: the login name, and user ids fitted to the columns they are written into.
#pragma once

#include <QString>

namespace data {

// The login name of the user running the program; "n/a" when there is none.
QString LoginUserName();

// The text cut to a column of size characters, so that a long login name is stored rather than refused.
// A size of 0 or less keeps it whole.
QString FitToColumn(const QString& text, int size);

}  // namespace data
