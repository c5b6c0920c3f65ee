// The mail-program connection: the desktop's mail clients from the XDG application folders and mimeapps.list
// files, the session, the hand-off through xdg-email and the result texts.
#include "mail/core/DvMapi.h"

#include "mail/core/XdgEmail.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"
#include "util/core/DesktopEntries.h"

#include <QDir>
#include <QStandardPaths>
#include <array>

using util::DesktopIds;
using util::FindDesktopEntry;

namespace {

const QString kMailtoType = QStringLiteral("x-scheme-handler/mailto");

// The first installed default mailto handler of the mimeapps.list files, in their order of precedence.
QString DefaultMailDesktopId() {
    QStringList lists;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists << QDir(dir).filePath(QStringLiteral("mimeapps.list"));
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
        lists << QDir(dir).filePath(QStringLiteral("mimeapps.list"));
    for (const QString& list : lists) {
        const auto defaults = util::ReadDesktopGroup(list, QStringLiteral("Default Applications"));
        for (const QString& id : defaults.value(kMailtoType).split(u';', Qt::SkipEmptyParts))
            if (FindDesktopEntry(id)) return id;
    }
    return QString();
}

// The texts of the result codes 1 to 26; the others have none.
const std::array<const char*, 27> kMapiErrorTexts = {
    nullptr,
    "User cancelled request",
    "General MAPI failure",
    "Logon failure",
    "Disk full",
    "Insufficient memory",
    "Access denied",
    nullptr,
    "Too many sessions",
    "Too many files open",
    "Too many recipients",
    "Attachment not found",
    "Failed to open attachment",
    "Failed to write attachment",
    "Unknown recipient",
    "Invalid recipient type",
    "No messages",
    "Invalid message",
    "Text too large.",
    "Invalid session",
    "Type not supported",
    "Ambiguous recipient",
    "Message in use",
    "Network failure",
    "Invalid edit fields",
    "Invalid recipients",
    "Not supported",
};

// Code 1 stands for a missing mail interface here: xdg-email is not installed or finds no mail program.
constexpr qint32 kNoMailProgram = 1;

void ReportNoMailProgram() {
    MessageDlg(QStringLiteral("The default mail client on this computer is not set. Please set a default mail client "
                              "or contact your administrator."),
               mtError, {mbOK});
}

}  // namespace

TDvMapiConnection::TDvMapiConnection() {
    SimpleMapiInstalled = !QStandardPaths::findExecutable(QStringLiteral("xdg-email")).isEmpty();
    for (const QString& id : DesktopIds()) {
        const auto entry = FindDesktopEntry(id);
        if (entry && entry->mimeTypes.contains(kMailtoType) && !entry->name.isEmpty()) MailClients << entry->name;
    }
    // Listed alphabetically, as the registry lists the clients' keys.
    MailClients.sort(Qt::CaseInsensitive);
    const QString defaultId = DefaultMailDesktopId();
    if (defaultId.isEmpty()) return;
    const QString name = FindDesktopEntry(defaultId)->name;
    for (const QString& client : MailClients) {
        if (client.compare(name, Qt::CaseInsensitive) == 0) {
            DefaultClientFound = true;
            DefaultClient = client;
            return;
        }
    }
}

bool TDvMapiConnection::IsOutlookExpress() const { return DefaultClient.toLower() == QLatin1String("outlook express"); }

TDvMapiConnection::~TDvMapiConnection() { Logoff(); }

QString MapiErrorText(qint32 code) {
    if (code > 0 && code < qint32(kMapiErrorTexts.size()) && kMapiErrorTexts[code])
        return QString::fromLatin1(kMapiErrorTexts[code]);
    return QStringLiteral("Unknown Error Code: ") + QString::number(code);
}

QString TDvMapiConnection::LastMapiErrorStr() const { return MapiErrorText(lastMapiError_); }

bool TDvMapiConnection::Logon(const QString&, const QString&) {
    rtl::HourGlass hourGlass;
    if (!SimpleMapiInstalled) return false;
    // xdg-email needs no logon: the session is the connection's own, numbered for the run.
    static quint32 lastSession = 0;
    session_ = ++lastSession;
    lastMapiError_ = 0;
    return true;
}

bool TDvMapiConnection::Logoff() {
    if (!session_) return true;
    AddressBook.Close();
    session_ = 0;
    lastMapiError_ = 0;
    return true;
}

bool TDvMapiConnection::EnsureLoggedOn() {
    if (IsLoggedOn()) return true;
    return AutoLogon && Logon(QString(), QString());
}

bool TDvMapiConnection::SendMail(bool) {
    if (!EnsureLoggedOn()) {
        if (AutoLogon) ReportNoMailProgram();
        return false;
    }
    {
        rtl::HourGlass hourGlass;
        lastMapiError_ = mail::RunXdgEmail(mail::XdgEmailArguments(Message), HandOverWaitMs);
    }
    if (lastMapiError_ == kNoMailProgram) ReportNoMailProgram();
    else if (lastMapiError_ != 0) MessageDlg(LastMapiErrorStr(), mtError, {mbOK});
    return lastMapiError_ == 0;
}

bool TDvMapiConnection::OpenAddressBook() {
    if (!IsLoggedOn() || !SimpleMapiInstalled || !IsOutlookExpress()) return false;
    auto wab = std::make_unique<TDvWab>();
    const bool opened = wab->Open();
    // A reader that did not open leaves the holder empty.
    AddressBook.SetWab(opened ? std::move(wab) : nullptr);
    return opened;
}
