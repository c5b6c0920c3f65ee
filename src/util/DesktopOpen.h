// Opening an address with the desktop's program for it, or telling that there is none.
#pragma once

#include <QUrl>

namespace util {

// Whether the desktop has a program for the address: a mail program for a "mailto:" address, a web browser for
// anything else (web pages and HTML files).
bool DesktopCanOpen(const QUrl& url);

// Opens the address with that program; false, opening nothing, when there is none (the desktop's opener would
// only complain on standard error, where nobody sees it).
bool OpenWithDesktop(const QUrl& url);

}  // namespace util
