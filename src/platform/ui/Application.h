// The application object, the screen (cursor, work area, forms) and the mouse, as the framework's globals.
#pragma once

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ScreenService.h"
#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

#include <QString>
#include <functional>

class QObject;
class TForm;

using TExceptionEvent = std::function<void(QObject* Sender, Exception& E)>;

class TApplication {
public:
    // The program file's full path.
    QString ExeName() const;
    QString Title() const;
    void SetTitle(const QString& title);
    QString HelpFile() const { return helpFile_; }
    void SetHelpFile(const QString& helpFile) { helpFile_ = helpFile; }
    // The colour of hint windows, through the tool-tip palette.
    TColor HintColor() const { return hintColor_; }
    void SetHintColor(TColor color);
    // Milliseconds before a hint shows.
    int HintPause() const { return hintPause_; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint) { showHint_ = showHint; }

    // Prepares the running Qt application: windows close only through their forms.
    void Initialize();
    // Runs the message loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void ProcessMessages();

    // The main window: closing it ends the program.
    TForm* MainForm() const { return mainForm_; }
    void SetMainForm(TForm* form) { mainForm_ = form; }

    // Takes the exception being handled (call it inside a catch block): EAbort passes silently, any other
    // goes to OnException or, without one, to ShowException. Nothing escapes it.
    void HandleException(QObject* Sender);
    // Shows the message as an error, ending in a full stop as the framework ends it.
    void ShowException(const Exception& E);
    // Replaces the shown message for every exception that reaches HandleException.
    TExceptionEvent OnException;

private:
    QString helpFile_;
    TColor hintColor_ = clInfoBk;
    int hintPause_ = 500;
    bool showHint_ = true;
    bool terminated_ = false;
    TForm* mainForm_ = nullptr;
};

class TScreen {
public:
    // Setting crDefault gives every window its own cursor back; any other cursor shows everywhere.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    // The screen's logical resolution, 96 unless set (tests set others to check scaled sizes).
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int pixelsPerInch) { pixelsPerInch_ = pixelsPerInch; }

    // The active form: the active window when it is a form, else the innermost modal form.
    TForm* ActiveForm() const;

private:
    TCursor cursor_ = crDefault;
    int pixelsPerInch_ = 96;
};

class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(TPoint point);
};

extern TApplication* const Application;
extern TScreen* const Screen;
extern TMouse* const Mouse;

namespace ui {

// The hourglass goes through the installed screen service (QtScreenService in the program).
using HourGlass = rtl::HourGlass;

}  // namespace ui
