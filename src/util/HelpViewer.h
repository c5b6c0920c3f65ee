// What shows help: the help commands, the text popup record and the viewer that stands in for HTML Help.
#pragma once

#include "platform/rtl/ServiceSlot.h"
#include "platform/ui/Geometry.h"

#include <QString>
#include <memory>
#include <optional>

// Help commands as the application issues them.
enum : int {
    HELP_CONTEXT = 1,
    HELP_QUIT = 2,
    HELP_CONTENTS = 3,
    HELP_CONTEXTPOPUP = 8,
    HELP_FINDER = 11,
    HELP_SETPOPUP_POS = 13,
    HELP_TAB = 15,
    HELP_KEY = 0x101,
    HELP_COMMAND = 0x102,
    HELP_PARTIALKEY = 0x105,
};
// The HTML Help commands they map to.
enum : int {
    HH_DISPLAY_TOPIC = 0,
    HH_DISPLAY_TOC = 1,
    HH_DISPLAY_INDEX = 2,
    HH_DISPLAY_TEXT_POPUP = 14,
    HH_HELP_CONTEXT = 15,
    HH_CLOSE_ALL = 18,
};

// A text popup: the text (or, with none, the context id of a text in the popup file) at a screen point.
struct THHPopup {
    int cbStruct = 52;
    int hinst = 0;
    int idString = 0;
    QString pszText;
    TPoint pt;
    quint32 clrForeground = 0x1FFFFFFF;
    quint32 clrBackground = 0x1FFFFFFF;
    TRect rcMargins{-1, -1, -1, -1};
    QString pszFont = QStringLiteral("MS Sans Serif, 8");
};

// The data of a help command: a number (context id, tab, packed point), a text (keyword, macro) or a popup.
struct THelpData {
    qint64 Number = 0;
    QString Text;
    std::optional<THHPopup> Popup;
};

namespace util {

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Whether HTML help requests can be shown.
    virtual bool HtmlHelpAvailable() = 0;
    // An HTML Help command; file is the .chm name, followed by "::/" and a topic when there is one.
    virtual bool HtmlHelp(int command, const QString& file, const THelpData& data) = 0;
    // A WinHelp call on a .hlp file.
    virtual bool WinHelp(const QString& file, int command, const THelpData& data) = 0;
};

// The viewer help requests go to; the program's desktop viewer unless replaced (tests record).
rtl::ServiceSlot<HelpViewer>& HelpViewerSlot();
inline HelpViewer& CurrentHelpViewer() { return HelpViewerSlot().Current(); }
// Installs a viewer and returns the one it replaces; null restores the desktop viewer.
inline std::shared_ptr<HelpViewer> SetHelpViewer(std::shared_ptr<HelpViewer> viewer) {
    return HelpViewerSlot().Install(std::move(viewer));
}

// Shows the help pages kept as HTML files in the program's html/ folder in the desktop's browser; a text
// popup as a tool tip. There is no WinHelp here.
class DesktopHelpViewer : public HelpViewer {
public:
    bool HtmlHelpAvailable() override;
    bool HtmlHelp(int command, const QString& file, const THelpData& data) override;
    bool WinHelp(const QString&, int, const THelpData&) override { return false; }

    // The page a request shows: the topic's page below the program's folder, else the contents page.
    static QString PageOf(const QString& file);
};

}  // namespace util
