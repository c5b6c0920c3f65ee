// The system mail program's facts: which client is the default one and how the program can reach it.
#pragma once

#include <QString>
#include <QStringList>

// The mail program is reached through xdg-email; the clients are the desktop's mailto handlers.
class TDvMapiConnection {
public:
    // Reads the facts once; a desktop without mail configuration leaves them empty and false.
    TDvMapiConnection();

    // xdg-email is there to hand a message to the mail program.
    bool SimpleMapiInstalled = false;
    // No mail client offers the extended interface here.
    bool ExtendedMapiInstalled = false;
    // The names of every installed mailto handler.
    QStringList MailClients;
    // The default mailto handler's name as MailClients spells it; empty when none is configured.
    bool DefaultClientFound = false;
    QString DefaultClient;

    bool IsOutlookExpress() const;
};
