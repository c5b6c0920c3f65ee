// The current help viewer and the desktop one.
#include "util/HelpViewer.h"

#include "util/DesktopOpen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QToolTip>
#include <QUrl>

namespace util {
namespace {

std::shared_ptr<HelpViewer> MakeDesktopViewer() { return std::make_shared<DesktopHelpViewer>(); }

QString HelpFolder() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("html")); }

}  // namespace

rtl::ServiceSlot<HelpViewer>& HelpViewerSlot() {
    static rtl::ServiceSlot<HelpViewer> slot(&MakeDesktopViewer);
    return slot;
}

bool DesktopHelpViewer::HtmlHelpAvailable() { return QFileInfo(HelpFolder()).isDir(); }

QString DesktopHelpViewer::PageOf(const QString& file) {
    const int topicStart = file.indexOf(QStringLiteral("::/"));
    if (topicStart >= 0) {
        QString topic = file.mid(topicStart + 3);
        topic.replace(u'\\', u'/');
        return QDir(QCoreApplication::applicationDirPath()).filePath(topic);
    }
    return QDir(HelpFolder()).filePath(QStringLiteral("index.html"));
}

bool DesktopHelpViewer::HtmlHelp(int command, const QString& file, const THelpData& data) {
    switch (command) {
        case HH_DISPLAY_TOPIC:
        case HH_DISPLAY_TOC:
        case HH_DISPLAY_INDEX:
        case HH_HELP_CONTEXT: {
            // Pages are opened by the topic's path; contents, index and context requests open the contents page.
            const QString page = command == HH_DISPLAY_TOPIC ? PageOf(file) : PageOf(QString());
            return QFileInfo::exists(page) && OpenWithDesktop(QUrl::fromLocalFile(page));
        }
        case HH_DISPLAY_TEXT_POPUP:
            // Popup texts of the popup file are not kept here; a given text shows as a tool tip.
            if (!data.Popup || data.Popup->pszText.isEmpty()) return false;
            QToolTip::showText(ui::ToQPoint(data.Popup->pt), data.Popup->pszText);
            return true;
        case HH_CLOSE_ALL: return true;
        default: return false;
    }
}

}  // namespace util
