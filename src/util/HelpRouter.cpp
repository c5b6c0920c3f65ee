// Routing help requests: the command mapping, topics, popups and the one-router rule.
#include "util/HelpRouter.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"

namespace {

THelpRouter* theRouter = nullptr;

QString TopicExtension(const QString& topic) {
    const int dot = int(topic.lastIndexOf(u'.'));
    const int folder = int(std::max(topic.lastIndexOf(u'\\'), topic.lastIndexOf(u'/')));
    return dot > folder ? topic.mid(dot) : QString();
}

}  // namespace

namespace util {

THelpEvent& ApplicationHelpHandler() {
    static THelpEvent handler;
    return handler;
}

bool ApplicationHelpCommand(int command, const THelpData& data) {
    bool callHelp = true;
    const THelpEvent handler = ApplicationHelpHandler();
    return handler ? handler(command, data, callHelp) : false;
}

QString MakeTopicFileName(const QString& topic) {
    QString result;
    for (const QChar c : topic) {
        switch (c.unicode()) {
            case u' ':
            case u'%':
            case u'.': result += u'_'; break;
            case u'"':
            case u'\'':
            case u',':
            case u'/':
            case u':':
            case u'?':
            case u'\\':
            case u'|':
            case 0xBF: break;
            case u'&':
            case u'*': result += u'+'; break;
            case u'<':
            case u'>': result += u'~'; break;
            case u'[': result += u'('; break;
            case u']': result += u')'; break;
            case 0xC4:
            case 0xE4: result += u'a'; break;
            case 0xD6:
            case 0xF6: result += u'o'; break;
            case 0xDC:
            case 0xFC: result += u'u'; break;
            case 0xDF: result += u's'; break;
            default: result += c; break;
        }
    }
    return result;
}

}  // namespace util

THelpRouter::THelpRouter(QObject* owner) : TComponent(owner) {
    if (theRouter) throw EComponentError(QStringLiteral("Multiple instances of THelpRouter are not allowed"));
    theRouter = this;
    previousHandler_ = util::ApplicationHelpHandler();
    util::ApplicationHelpHandler() = [this](int command, const THelpData& data, bool& callHelp) {
        return HandleHelp(command, data, callHelp);
    };
}

THelpRouter::~THelpRouter() {
    util::ApplicationHelpHandler() = previousHandler_;
    theRouter = nullptr;
}

THelpRouter* THelpRouter::Current() { return theRouter; }

QString THelpRouter::HelpFileName() const { return Helpfile.isEmpty() ? Application->HelpFile() : Helpfile; }

bool THelpRouter::IsHtmlHelpAvailable() {
    htmlHelpLoaded_ = util::CurrentHelpViewer().HtmlHelpAvailable();
    return htmlHelpLoaded_;
}

bool THelpRouter::HandleHelp(int command, const THelpData& data, bool& callHelp) {
    for (const THelpEvent& handler : {OnHelp, previousHandler_}) {
        if (!handler) continue;
        const bool answer = handler(command, data, callHelp);
        if (!callHelp) return answer;
    }
    QString file = HelpFileName();
    if (ShowType == stMain) {
        if (command == HELP_CONTEXTPOPUP) command = HELP_CONTEXT;
        if (command == HELP_SETPOPUP_POS) command = 0;
    }
    const bool popupCommand = command == HELP_CONTEXTPOPUP || command == HELP_SETPOPUP_POS;
    if (HelpType == htHTMLhelp || (HelpType == htMixedMode && !popupCommand)) {
        if (command == HELP_QUIT && !htmlHelpLoaded_) {
            callHelp = false;
            return true;
        }
        // Without the HTML help viewer the request is left to the application.
        if (!IsHtmlHelpAvailable()) return false;
        callHelp = false;
        return HtmlHelpCommand(command, ChangeFileExt(file, QStringLiteral(".chm")), data);
    }
    callHelp = false;
    return WinHelpCommand(command, file, data);
}

bool THelpRouter::HtmlHelpCommand(int command, const QString& file, const THelpData& data) {
    util::HelpViewer& viewer = util::CurrentHelpViewer();
    switch (command) {
        case HELP_CONTEXT: return viewer.HtmlHelp(HH_HELP_CONTEXT, file, {data.Number, {}, {}});
        case HELP_QUIT: return viewer.HtmlHelp(HH_CLOSE_ALL, QString(), {});
        case HELP_CONTENTS:
        case HELP_FINDER: return viewer.HtmlHelp(HH_DISPLAY_TOC, file, {});
        case HELP_TAB: return viewer.HtmlHelp(data.Number != 0 ? HH_DISPLAY_INDEX : HH_DISPLAY_TOC, file, {});
        case HELP_KEY:
        case HELP_PARTIALKEY: return viewer.HtmlHelp(HH_DISPLAY_INDEX, file, {0, data.Text, {}});
        case HELP_SETPOPUP_POS:
            // The point comes packed as the platform packs it: x in the low word, y in the high word.
            popupPoint_ = Point(qint16(data.Number & 0xFFFF), qint16((data.Number >> 16) & 0xFFFF));
            return false;
        case HELP_CONTEXTPOPUP: {
            const TPoint at = popupPoint_ == TPoint{} ? Mouse->CursorPos() : popupPoint_;
            ShowPopup(at.X, at.Y, QString(), int(data.Number));
            popupPoint_ = TPoint{};
            return true;
        }
        default: return false;
    }
}

bool THelpRouter::WinHelpCommand(int command, QString file, const THelpData& data) {
    if (command == 0) return true;
    if (HelpType == htMixedMode && command == HELP_CONTEXTPOPUP &&
        ExtractFileExt(CHMPopupTopics).compare(QStringLiteral(".hlp"), Qt::CaseInsensitive) == 0) {
        file = ExtractFileDir(CHMPopupTopics).isEmpty() ? ExtractFilePath(file) + CHMPopupTopics : CHMPopupTopics;
    }
    return util::CurrentHelpViewer().WinHelp(ChangeFileExt(file, QStringLiteral(".hlp")), command, data);
}

bool THelpRouter::ShowTopic(const QString& helpFile, const QString& topic) {
    QString file = helpFile.isEmpty() ? HelpFileName() : helpFile;
    if (HelpType == htWinhelp) {
        file = ChangeFileExt(file, QStringLiteral(".hlp"));
        util::HelpViewer& viewer = util::CurrentHelpViewer();
        if (!viewer.WinHelp(file, HELP_CONTENTS, {})) return false;
        const QString macro = QStringLiteral("JumpID(\"\",\"%1\")").arg(topic).left(255);
        return viewer.WinHelp(file, HELP_COMMAND, {0, macro, {}});
    }
    if (!IsHtmlHelpAvailable()) return false;
    file = ChangeFileExt(file, QStringLiteral(".chm"));
    QString page = topic;
    if (!page.isEmpty() && !TopicExtension(page).toLower().startsWith(QStringLiteral(".htm"))) {
        if (ValidateID) page = util::MakeTopicFileName(page);
        page += QStringLiteral(".htm");
    }
    return util::CurrentHelpViewer().HtmlHelp(HH_DISPLAY_TOPIC, page.isEmpty() ? file : file + "::/" + page, {});
}

void THelpRouter::ShowContents() { util::ApplicationHelpCommand(HELP_TAB, {}); }

bool THelpRouter::ShowPopup(int x, int y, const QString& text, int contextId) {
    if (!IsHtmlHelpAvailable()) return false;
    THHPopup popup;
    popup.idString = text.isEmpty() ? contextId : 0;
    popup.pszText = text;
    popup.pt = Point(x, y);
    QString source;
    if (contextId != 0 && text.isEmpty()) {
        if (CHMPopupTopics.isEmpty()) CHMPopupTopics = QStringLiteral("CSHelp.txt");
        source = ChangeFileExt(HelpFileName(), QStringLiteral(".chm")) + QStringLiteral("::/") + CHMPopupTopics;
    }
    return util::CurrentHelpViewer().HtmlHelp(HH_DISPLAY_TEXT_POPUP, source, {0, {}, popup});
}
