// Small shared helpers.
#include "util/core/DvSysUtils.h"

#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/SystemFacts.h"

#include <QNetworkInterface>

bool HasIntervalElapsed(const TTimeStamp& stamp, quint32 interval) {
    const TTimeStamp now = DateTimeToTimeStamp(Now());
    qint64 elapsed = static_cast<qint64>(now.Time) - stamp.Time;
    if (now.Date != stamp.Date) elapsed += 86400000;
    return elapsed >= static_cast<qint64>(interval);
}

bool IsDigitKey(QChar key) { return (key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == QChar(8); }

bool IsEditCommandKey(QChar key) {
    // The control characters of the letters A, C, X and Z.
    return key == QChar(1) || key == QChar(3) || key == QChar(24) || key == QChar(26);
}

QString FormatByteSize(quint64 bytes) {
    const quint64 kilobytes = bytes / 1024;
    if (kilobytes < 1025) return QString::number(kilobytes) + QStringLiteral(" KB");
    return QString::number(bytes / 1048576) + QStringLiteral(" MB");
}

void LineBreaksToBlanks(QString& text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString ExpandHeaderFooterMacros(QString text) {
    QString result;
    while (!text.isEmpty()) {
        const int amp = text.indexOf(QLatin1Char('&'));
        if (amp < 0) {
            result += text;
            break;
        }
        result += text.left(amp);
        text.remove(0, amp + 1);
        // The macro word runs up to and including the first blank.
        const int blank = text.indexOf(QLatin1Char(' '));
        const int wordLength = blank < 0 ? text.size() : blank + 1;
        QString word = text.left(wordLength).toLower();
        text.remove(0, wordLength);
        while (word.endsWith(QLatin1Char(' '))) word.chop(1);
        if (word == QLatin1String("d")) result += FormatDateTime(QStringLiteral("mmm d yyy"), Date());
        else if (word == QLatin1String("t")) result += FormatDateTime(QStringLiteral("h:mm am/pm"), Time());
        result += QLatin1Char(' ');
    }
    return result;
}

void SplitHeaderFooterText(const QString& text, QString& left, QString& centre, QString& right) {
    centre.clear();
    right.clear();
    const int first = text.indexOf(QLatin1Char(';'));
    if (first < 0) {
        left = ExpandHeaderFooterMacros(text);
        return;
    }
    left = ExpandHeaderFooterMacros(text.left(first));
    const QString rest = text.mid(first + 1);
    const int second = rest.indexOf(QLatin1Char(';'));
    centre = ExpandHeaderFooterMacros(second < 0 ? rest : rest.left(second));
    if (second >= 0) right = ExpandHeaderFooterMacros(rest.mid(second + 1));
}

QString GetMyDocumentsFolder() { return rtl::DocumentsFolder(); }

bool IsInternetConnected(bool) {
    for (const QNetworkInterface& itf : QNetworkInterface::allInterfaces()) {
        const auto flags = itf.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        if (!itf.addressEntries().isEmpty()) return true;
    }
    return false;
}
