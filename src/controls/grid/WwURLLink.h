// The address rule of link cells, shared by a click on a link cell and the HTML export.
#pragma once

#include <QString>

namespace controls {

// A bare e-mail address ("@" after its first character, its first "." after the "@") gets "MailTo:" in
// front; an address that names "mailto:" in any case, or any other address, stays as it is.
QString WithMailScheme(const QString& address);

}  // namespace controls
