// Builds and writes the diagnostic report.
#include "util/DvLogReport.h"

#include "mail/core/DvMapi.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SystemFacts.h"
#include "util/DvSystemInfo.h"
#include "util/core/DvSysUtils.h"

namespace util {
namespace {

QString BoolText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

void AddMachine(QStringList& lines) {
    TDvSystemInfo info;
    TDvComputerInfo& computer = info.GetComputerInfo();
    lines << QStringLiteral("Operating System: ") + info.GetOSDescription()
          << QStringLiteral("Architecture: ") + computer.ArchitectureText
          << QStringLiteral("Number of Processors: ") + QString::number(computer.ProcessorCount)
          << QStringLiteral("Physical memory: ") + FormatByteSize(computer.PhysicalMemory)
          << QStringLiteral("ProcessorType: ") + computer.ProcessorTypeText << QString();
}

void AddEngines(QStringList& lines) {
    lines << QStringLiteral("Jet version: ") + TDvJetInfo().GetVersionText()
          << QStringLiteral("MDAC version: ") + TDvMDACInfo().GetVersionText() << QString();
}

void AddRegionalSettings(QStringList& lines) {
    const TFormatSettings& fs = FormatSettings;
    lines << QStringLiteral("CurrencyString: ") + fs.CurrencyString
          << QStringLiteral("CurrencyFormat: ") + QString::number(fs.CurrencyFormat)
          << QStringLiteral("NegCurrFormat: ") + QString::number(fs.NegCurrFormat)
          << QStringLiteral("ThousandSeparator: ") + fs.ThousandSeparator
          << QStringLiteral("DecimalSeparator: ") + fs.DecimalSeparator
          << QStringLiteral("CurrencyDecimals: ") + QString::number(fs.CurrencyDecimals)
          << QStringLiteral("DateSeparator: ") + fs.DateSeparator
          << QStringLiteral("ShortDateFormat: ") + fs.ShortDateFormat
          << QStringLiteral("LongDateFormat: ") + fs.LongDateFormat
          << QStringLiteral("TimeSeparator: ") + fs.TimeSeparator << QStringLiteral("TimeAMString: ") + fs.TimeAMString
          << QStringLiteral("TimePMString: ") + fs.TimePMString
          << QStringLiteral("ShortTimeFormat: ") + fs.ShortTimeFormat
          << QStringLiteral("LongTimeFormat: ") + fs.LongTimeFormat << QStringLiteral("Sys locale: ")
          << QStringLiteral("    DefaultLCID: ") + QString::number(fs.DefaultLCID)
          << QStringLiteral("    PriLangID: ") + QString::number(fs.PriLangID)
          << QStringLiteral("    SubLangID: ") + QString::number(fs.SubLangID)
          << QStringLiteral("    FarEast: ") + BoolText(fs.FarEast)
          << QStringLiteral("    MiddleEast: ") + BoolText(fs.MiddleEast)
          << QStringLiteral("TwoDigitYearCenturyWindow: ") + QString::number(fs.TwoDigitYearCenturyWindow)
          << QStringLiteral("ListSeparator: ") + fs.ListSeparator << QString();
}

void AddMail(QStringList& lines) {
    const TDvMapiConnection mapi;
    lines << QStringLiteral("Mapi client: ") + mapi.DefaultClient
          << QStringLiteral("Mapi address book supported: ") + BoolText(mapi.IsOutlookExpress())
          << QStringLiteral("Simple Mapi installed: ") + BoolText(mapi.SimpleMapiInstalled)
          << QStringLiteral("Extended Mapi installed: ") + BoolText(mapi.ExtendedMapiInstalled) << QString();
}

// Byte counts with thousands separators and no decimals.
QString Count(double value) { return Format(QStringLiteral("%.0n"), {value}); }

void AddMemory(QStringList& lines) {
    const rtl::MemoryFacts memory = rtl::Memory();
    if (!memory.valid) return;
    lines << QStringLiteral("Memory Load: ") + Format(QStringLiteral("%.0n "), {double(memory.memoryLoad)})
          << QStringLiteral("Total Physical: ") + Count(double(memory.totalPhysical))
          << QStringLiteral("TotalVirtual: ") + Count(double(memory.totalVirtual))
          << QStringLiteral("AvailVirtual: ") + Count(double(memory.availableVirtual));
}

void AddRegistryExports(QStringList& lines, const TDvRegKeys& regKeys) {
    if (regKeys.GetCount() == 0) return;
    auto keyName = [&](int i) -> QString {
        return RegRootKeyName(regKeys.RootKeys().GetItem(i)) + regKeys.KeyNames()[i];
    };
    lines << QString() << QStringLiteral("Windows Registry Export");
    for (int i = 0; i < regKeys.GetCount(); ++i) lines << keyName(i);
    lines << QString() << QStringLiteral("Windows Registry Editor Version 5.00");
    for (int i = 0; i < regKeys.GetCount(); ++i) {
        TDvRegExport exporter;
        if (!exporter.ExportKey(regKeys.RootKeys().GetItem(i), regKeys.KeyNames()[i], true)) {
            lines << QStringLiteral("Error exporting registry key [") + keyName(i) + u']';
        } else if (!exporter.Lines().isEmpty()) {
            lines << QString() << exporter.Lines();
        }
    }
}

}  // namespace

QStringList LogReportLines(const QStringList& outputLines, const TDvRegKeys& regKeys) {
    QStringList lines = outputLines;
    if (!outputLines.isEmpty()) lines << QString();
    AddMachine(lines);
    AddEngines(lines);
    AddRegionalSettings(lines);
    AddMail(lines);
    AddMemory(lines);
    AddRegistryExports(lines, regKeys);
    return lines;
}

bool WriteLogFile(const QString& fileName, const QStringList& lines) {
    if (FileExists(fileName) &&
        MessageDlg(QStringLiteral("Overwrite ") + fileName, mtConfirmation, {mbOK, mbCancel}) != mrOk)
        return false;
    std::unique_ptr<TFileStream> file;
    try {
        file = std::make_unique<TFileStream>(fileName, fmCreate);
    } catch (const Exception& e) {
        MessageDlg(QStringLiteral("Could not create log file.\r\n\r\n") + e.Message(), mtError, {mbOK});
        return false;
    }
    QByteArray text;
    for (const QString& line : lines) text += line.toUtf8() + "\r\n";
    file->WriteBuffer(text.constData(), text.size());
    return true;
}

}  // namespace util
