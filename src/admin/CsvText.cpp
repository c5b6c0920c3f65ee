// Quoting values and writing whole lines of the export files.
#include "admin/CsvText.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FaultInjection.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Messages.h"
#include "util/core/DvSysUtils.h"

#include <QDir>

QString QuoteCsvValue(const QString& text) {
    return text.contains(QLatin1Char(',')) ? QLatin1Char('"') + text + QLatin1Char('"') : text;
}

namespace admin {

QString CsvLine(const QStringList& values, bool alwaysDelimit, bool dataLine) {
    QStringList quoted;
    quoted.reserve(values.size());
    for (const QString& value : values)
        quoted << (alwaysDelimit ? QLatin1Char('"') + value + QLatin1Char('"') : QuoteCsvValue(value));
    QString line = quoted.join(QLatin1Char(','));
    if (dataLine) LineBreaksToBlanks(line);
    return line + QStringLiteral("\r\n");
}

bool CsvFile::Open(const QString& fileName) {
    file_.setFileName(fileName);
    return file_.open(QIODevice::WriteOnly);
}

bool CsvFile::OpenAsking(const QString& fileName) {
    if (FileExists(fileName) &&
        MessageDlg(QStringLiteral("Overwrite ") + fileName, mtConfirmation, {mbOK, mbCancel}) != mrOk)
        return false;
    if (Open(fileName)) return true;
    MessageDlg(QStringLiteral("Could not create export file \"%1\"").arg(fileName), mtError, {mbOK});
    return false;
}

void CsvFile::Write(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    if (rtl::FaultInjection::Fails() || file_.write(bytes) != bytes.size()) Fail();
}

void CsvFile::Commit() {
    if (rtl::FaultInjection::Fails() || !file_.commit()) Fail();
}

void CsvFile::Fail() {
    const QString reason = file_.errorString();
    file_.cancelWriting();
    throw Exception(QStringLiteral("Could not write the export file \"%1\": %2")
                        .arg(QDir::toNativeSeparators(file_.fileName()), reason));
}

}  // namespace admin
