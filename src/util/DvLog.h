// The system-information and exception log dialogs: ask for a file name and write the diagnostic report.
#pragma once

#include "platform/rtl/Component.h"
#include "platform/rtl/StringList.h"
#include "util/DvRegExport.h"

#include <exception>
#include <memory>

class TButton;
class TEdit;
class TForm;
class TMemo;
class TSaveDialog;

class TDvCustomLogDialog : public TComponent {
public:
    // Builds the dialog window, which lives as long as the component.
    explicit TDvCustomLogDialog(QObject* owner);
    ~TDvCustomLogDialog() override;

    QString Caption;
    // Kept for callers; the dialog itself starts in the documents folder (the home folder without one).
    QString InitialDir;
    // Lines the caller puts at the top of the report.
    TStringList LogLines;
    QString LogText() const { return LogLines.Text(); }
    void SetLogText(const QString& text) { LogLines.SetText(text); }
    // The lines of the message box above the file name.
    TStringList MsgLines;
    QString MsgText() const { return MsgLines.Text(); }
    void SetMsgText(const QString& text) { MsgLines.SetText(text); }
    // Keys exported at the end of the report.
    TDvRegKeys RegKeys;

    // The dialog window ("LogDialog") and its controls.
    TForm* Form() const { return form_.get(); }
    TMemo* MessageMemo;
    TEdit* FileNameEdit;
    TButton* BrowseButton;
    TButton* OkButton;
    TButton* CancelButton;
    TSaveDialog* SaveDialog;

    // The file-name box gets "log.txt" in the documents folder (the home folder without one) when it is empty.
    void FormShow();
    // Asks for the file name with the save dialog.
    void Browse();
    // Writes the report to the file named in the box; the dialog closes with OK whatever this did.
    void WriteLogFile();

protected:
    // Shows the window modally; true when it closed with OK.
    bool ShowDialog();

    // The lines written at the top of the file, prepared by Execute.
    TStringList OutputLines;

private:
    std::unique_ptr<TForm> form_;
};

class TDvLogSystemInfoDialog : public TDvCustomLogDialog {
public:
    explicit TDvLogSystemInfoDialog(QObject* owner = nullptr);
    // The report starts with LogLines.
    bool Execute();
    void PrepareOutput();
};

class TDvLogExceptionDialog : public TDvCustomLogDialog {
public:
    explicit TDvLogExceptionDialog(QObject* owner = nullptr);
    // What the program was doing when the exception came.
    TStringList FExceptionInfoLines;
    // The report starts with LogLines, the exception's message, FExceptionInfoLines and the export of the
    // key (with its subkeys) under HKEY_CURRENT_USER.
    bool Execute(const QString& caption, const std::exception& error, const QString& registryKey);
    void PrepareOutput(const QString& caption, const std::exception& error, const QString& registryKey);
};
