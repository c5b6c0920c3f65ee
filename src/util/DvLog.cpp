// The log dialogs' report preparation and writing.
#include "util/DvLog.h"

#include "platform/rtl/Exceptions.h"
#include "util/DvLogReport.h"
#include "util/DvSysUtils.h"

namespace {

const QString kDefaultLogFileName = QStringLiteral("log.txt");

QString MessageOf(const std::exception& error) {
    if (const auto* e = dynamic_cast<const Exception*>(&error)) return e->Message();
    return QString::fromUtf8(error.what());
}

}  // namespace

void TDvCustomLogDialog::FormShow() {
    if (FileName.isEmpty()) FileName = GetMyDocumentsFolder() + u'/' + kDefaultLogFileName;
}

void TDvCustomLogDialog::WriteLogFile() {
    util::WriteLogFile(FileName, util::LogReportLines(OutputLines.ToStringList(), RegKeys));
}

TDvLogSystemInfoDialog::TDvLogSystemInfoDialog() {
    Caption = QStringLiteral("System Information Log");
    MsgLines.Add(QStringLiteral("Click Ok to save system information to the specified file."));
}

void TDvLogSystemInfoDialog::PrepareOutput() { OutputLines.Assign(LogLines); }

TDvLogExceptionDialog::TDvLogExceptionDialog() {
    Caption = QStringLiteral("Exception Log");
    MsgLines.Add(QStringLiteral("Click Ok to save exception information to the specified file."));
}

void TDvLogExceptionDialog::PrepareOutput(const QString& caption, const std::exception& error,
                                          const QString& registryKey) {
    Caption = caption;
    OutputLines.Assign(LogLines);
    if (LogLines.Count() > 0) OutputLines.Add(QString());
    OutputLines.Add(QStringLiteral("Exception: ") + MessageOf(error));
    if (FExceptionInfoLines.Count() > 0) {
        OutputLines.Add(QString());
        OutputLines.AddStrings(FExceptionInfoLines);
    }
    TDvRegExport exporter;
    if (exporter.ExportKey(HKEY_CURRENT_USER, registryKey, true)) {
        OutputLines.Add(QString());
        OutputLines.Add(QStringLiteral("Registry Export Key = ") + registryKey);
        OutputLines.Add(QString());
        for (const QString& line : exporter.Lines()) OutputLines.Add(line);
    } else {
        OutputLines.Add(QStringLiteral("Error exporting registry key ") + registryKey);
    }
}
