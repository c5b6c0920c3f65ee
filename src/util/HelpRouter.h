// THelpRouter: takes the application's help requests and routes them to HTML Help or WinHelp.
#pragma once

#include "platform/rtl/Component.h"
#include "util/HelpViewer.h"

#include <functional>

enum THelpType { htWinhelp, htHTMLhelp, htMixedMode };
enum TShowType { stDefault, stMain, stPopup };

// Answers whether the request was handled; clearing CallHelp ends the request with that answer.
using THelpEvent = std::function<bool(int Command, const THelpData& Data, bool& CallHelp)>;

namespace util {

// The application's help handler, which the router installs itself as.
THelpEvent& ApplicationHelpHandler();
// Issues a help command through the application: its handler, else nothing (there is no WinHelp here).
bool ApplicationHelpCommand(int command, const THelpData& data);

// Makes a topic name usable as a file name (see the table in the source).
QString MakeTopicFileName(const QString& topic);

}  // namespace util

class THelpRouter : public TComponent {
public:
    // Raises when a router exists already; installs itself as the application's help handler.
    explicit THelpRouter(QObject* owner);
    // Puts the previous help handler back.
    ~THelpRouter() override;
    // The one router, or null while there is none.
    static THelpRouter* Current();

    THelpType HelpType = htHTMLhelp;
    // stMain shows popups as ordinary topics.
    TShowType ShowType = stDefault;
    // Empty: the application's help file.
    QString Helpfile;
    QString CHMPopupTopics = QStringLiteral("CSHelp.txt");
    THelpEvent OnHelp;
    // Topic names are made file-safe before use.
    bool ValidateID = false;

    bool ShowTopic(const QString& helpFile, const QString& topic);
    void ShowContents();
    bool IsHtmlHelpAvailable();
    bool ShowPopup(int x, int y, const QString& text, int contextId);
    bool HandleHelp(int command, const THelpData& data, bool& callHelp);

private:
    QString HelpFileName() const;
    bool HtmlHelpCommand(int command, const QString& file, const THelpData& data);
    bool WinHelpCommand(int command, QString file, const THelpData& data);

    THelpEvent previousHandler_;
    bool htmlHelpLoaded_ = false;
    // Where the next popup shows; (0,0) when none was set.
    TPoint popupPoint_;
};
