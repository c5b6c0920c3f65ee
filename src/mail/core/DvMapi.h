// TDvMapiConnection: the program's way to the desktop's mail program: which client is the default one, the session,
// the one outgoing message and its hand-off, and the mail program's address book.
#pragma once

#include "mail/core/DvMapiAddressBook.h"
#include "mail/core/DvMapiMessage.h"

#include <QString>
#include <QStringList>

// The text of a result code of the mail interface.
QString MapiErrorText(qint32 code);

// The mail program is reached through xdg-email; the clients are the desktop's mailto handlers.
class TDvMapiConnection {
public:
    // Reads the facts once; a desktop without mail configuration leaves them empty and false.
    TDvMapiConnection();
    ~TDvMapiConnection();
    TDvMapiConnection(const TDvMapiConnection&) = delete;
    TDvMapiConnection& operator=(const TDvMapiConnection&) = delete;

    // xdg-email is there to hand a message to the mail program.
    bool SimpleMapiInstalled = false;
    // No mail client offers the extended interface here.
    bool ExtendedMapiInstalled = false;
    // The names of every installed mailto handler.
    QStringList MailClients;
    // The default mailto handler's name as MailClients spells it; empty when none is configured.
    bool DefaultClientFound = false;
    QString DefaultClient;
    // A send logs on first when no session is open.
    bool AutoLogon = true;
    // Kept with the settings; the automatic logon does not use it.
    QString Profile;
    TDvMapiMessage Message;
    TDvMapiAddressBook AddressBook;
    // How long a send waits for xdg-email to finish.
    int HandOverWaitMs = 3000;

    // The open session, 0 when logged off.
    quint32 Session() const { return session_; }
    // The result of the last logon, logoff or send; 0 is success.
    qint32 LastMapiError() const { return lastMapiError_; }
    QString LastMapiErrorStr() const;

    bool IsOutlookExpress() const;
    bool IsLoggedOn() const { return session_ != 0; }
    // Opens a session of the connection's own; false when there is no way to the mail program.
    bool Logon(const QString& profileName, const QString& password);
    bool Logoff();
    bool EnsureLoggedOn();
    // Hands Message to the mail program, which always shows its compose window; true when it took it. A failure
    // is reported to the user.
    bool SendMail(bool showDialog);
    // Opens the default client's address book into AddressBook; false when there is none to open.
    bool OpenAddressBook();

private:
    quint32 session_ = 0;
    qint32 lastMapiError_ = 0;
};
