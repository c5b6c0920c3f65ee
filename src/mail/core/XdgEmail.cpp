// Runs xdg-email and turns its exit status into the mail interface's result codes.
#include "mail/core/XdgEmail.h"

#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

namespace {

// xdg-email's exit codes.
enum { kXdgSuccess = 0, kXdgFileMissing = 2, kXdgNoMethod = 3 };
// The mail interface's codes for them.
enum : qint32 { kMapiSuccess = 0, kMapiLibraryMissing = 1, kMapiFailure = 2, kMapiAttachmentNotFound = 11 };

QString WithoutSmtpPrefix(const QString& address) {
    const QString prefix = QStringLiteral("SMTP:");
    return address.startsWith(prefix) ? address.mid(prefix.size()) : address;
}

// xdg-email reads a bare argument that starts with "-" as an option and one that starts with "mailto:" as a whole
// mailto address, whose parameters could attach any file; it refuses one without "@". Its --to option takes any
// text as an address.
bool SafeAsBareAddress(const QString& address) {
    return address.contains(u'@') && !address.startsWith(u'-') &&
           !address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
}

qint32 CodeOfExit(const QProcess& process) {
    if (process.exitStatus() != QProcess::NormalExit) return kMapiFailure;
    switch (process.exitCode()) {
        case kXdgSuccess: return kMapiSuccess;
        case kXdgNoMethod: return kMapiLibraryMissing;
        case kXdgFileMissing: return kMapiAttachmentNotFound;
        default: return kMapiFailure;
    }
}

}  // namespace

namespace mail {

QStringList XdgEmailArguments(const TDvMapiMessage& message) {
    QStringList arguments{QStringLiteral("--utf8")};
    QStringList to;
    const TDvMapiRecipList& recipients = message.Recipients;
    for (qint32 i = 0; i < recipients.Count(); ++i) {
        const TDvMapiRecipDesc& recipient = recipients.Items(i);
        const QString address = WithoutSmtpPrefix(recipient.Address);
        // xdg-email refuses an empty address (a copy switched on without one).
        if (address.isEmpty()) continue;
        if (recipient.RecipClass == MAPI_CC) arguments << QStringLiteral("--cc") << address;
        else if (recipient.RecipClass == MAPI_BCC) arguments << QStringLiteral("--bcc") << address;
        else if (recipient.RecipClass == MAPI_TO) to << address;
    }
    if (!message.Subject.isEmpty()) arguments << QStringLiteral("--subject") << message.Subject;
    // xdg-email ends each line with CR LF itself: a CR of ours would come out doubled.
    if (!message.NoteText.isEmpty())
        arguments << QStringLiteral("--body")
                  << QString(message.NoteText).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (qint32 i = 0; i < message.Files.Count(); ++i)
        arguments << QStringLiteral("--attach") << message.Files.Items(i).PathName;
    for (const QString& address : to) {
        if (SafeAsBareAddress(address)) arguments << address;
        else arguments << QStringLiteral("--to") << address;
    }
    return arguments;
}

qint32 RunXdgEmail(const QStringList& arguments, int waitMs) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (program.isEmpty()) return kMapiLibraryMissing;
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QEventLoop wait;
    QObject::connect(process.get(), &QProcess::finished, &wait, &QEventLoop::quit);
    QTimer::singleShot(waitMs, &wait, &QEventLoop::quit);
    process->start(program, arguments);
    if (!process->waitForStarted()) return kMapiLibraryMissing;
    if (process->state() != QProcess::NotRunning) wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (process->state() != QProcess::NotRunning) {
        // Left to finish with the mail program; freed then, never killed.
        QProcess* running = process.release();
        QObject::connect(running, &QProcess::finished, running, &QObject::deleteLater);
        return kMapiSuccess;
    }
    return CodeOfExit(*process);
}

}  // namespace mail
