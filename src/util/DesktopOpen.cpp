// Finds the desktop's program for an address before handing the address to it.
#include "util/DesktopOpen.h"

#include "util/core/DesktopEntries.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QStandardPaths>

namespace util {

bool DesktopCanOpen(const QUrl& url) {
    if (url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0)
        return DesktopHandlerExists(QStringLiteral("x-scheme-handler/mailto"));
    // The desktop opener's own fall-backs count too: $BROWSER and the system's default browser commands.
    if (!qEnvironmentVariable("BROWSER").trimmed().isEmpty()) return true;
    for (const char* command : {"x-www-browser", "www-browser"})
        if (!QStandardPaths::findExecutable(QLatin1String(command)).isEmpty()) return true;
    for (const char* type : {"x-scheme-handler/https", "x-scheme-handler/http", "text/html"})
        if (DesktopHandlerExists(QLatin1String(type))) return true;
    return false;
}

bool OpenWithDesktop(const QUrl& url) { return DesktopCanOpen(url) && QDesktopServices::openUrl(url); }

namespace {

class DesktopFileViewer : public FileViewer {
public:
    bool Open(const QString& fileName) override {
        return QFileInfo::exists(fileName) && QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
    }
};

std::shared_ptr<FileViewer> MakeDesktopFileViewer() { return std::make_shared<DesktopFileViewer>(); }

}  // namespace

rtl::ServiceSlot<FileViewer>& FileViewerSlot() {
    static rtl::ServiceSlot<FileViewer> slot(&MakeDesktopFileViewer);
    return slot;
}

}  // namespace util
