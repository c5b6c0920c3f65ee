// TEMailSettings: the per-user settings of the program's own mail client. No password is ever kept here.
#pragma once

#include <QString>

class TEMailSettings {
public:
    TEMailSettings() = default;

    QString Host;
    int Port = 25;
    // True: user name and password (the client's default authentication); false: none.
    bool AuthType = true;
    QString Username;
    // Whether the password may be sent over a connection the server does not encrypt.
    bool AllowPlainTextPassword = false;
    QString SenderName;
    QString SenderAddress;
    QString ReplyTo;
    QString Organization;
    QString Signature;
    bool ReturnReceipt = false;
    QString Subject;
    bool BCCSender = false;
    bool BCCOther = false;
    QString BCCOtherAddress;

    void Assign(const TEMailSettings& other) { *this = other; }
};
