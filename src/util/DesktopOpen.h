// Opening an address or a file with the desktop's program for it, or telling that there is none.
#pragma once

#include "platform/rtl/ServiceSlot.h"

#include <QString>
#include <QUrl>
#include <memory>

namespace util {

// Whether the desktop has a program for the address: a mail program for a "mailto:" address, a web browser for
// anything else (web pages and HTML files).
bool DesktopCanOpen(const QUrl& url);

// Opens the address with that program; false, opening nothing, when there is none (the desktop's opener would
// only complain on standard error, where nobody sees it).
bool OpenWithDesktop(const QUrl& url);

// What opens a file the program wrote (an export) in the program the desktop associates with its kind.
class FileViewer {
public:
    virtual ~FileViewer() = default;
    // False when nothing opened it.
    virtual bool Open(const QString& fileName) = 0;
};

// The viewer in use; the desktop's unless replaced (tests record).
rtl::ServiceSlot<FileViewer>& FileViewerSlot();
inline FileViewer& CurrentFileViewer() { return FileViewerSlot().Current(); }

}  // namespace util
