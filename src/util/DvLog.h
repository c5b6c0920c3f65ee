// The system-information and exception log dialogs: ask for a file name and write the diagnostic report.
#pragma once

#include "platform/rtl/StringList.h"
#include "util/DvRegExport.h"

#include <exception>

class TDvCustomLogDialog {
public:
    virtual ~TDvCustomLogDialog() = default;

    QString Caption;
    // Kept for callers; the dialog itself starts in the documents folder.
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

    // The file-name box; filled with the documents folder's "log.txt" when first shown empty.
    QString FileName;
    void FormShow();
    // Writes the report to FileName; the dialog closes with OK whatever this did.
    void WriteLogFile();

protected:
    // The lines written at the top of the file, prepared by Execute.
    TStringList OutputLines;
};

class TDvLogSystemInfoDialog : public TDvCustomLogDialog {
public:
    TDvLogSystemInfoDialog();
    // OutputLines are a copy of LogLines.
    void PrepareOutput();
};

class TDvLogExceptionDialog : public TDvCustomLogDialog {
public:
    TDvLogExceptionDialog();
    // What the program was doing when the exception came.
    TStringList FExceptionInfoLines;
    // OutputLines: LogLines, the exception's message, FExceptionInfoLines and the export of the key
    // (with its subkeys) under HKEY_CURRENT_USER.
    void PrepareOutput(const QString& caption, const std::exception& error, const QString& registryKey);
};
