// The one outgoing message of the mail-program connection, with its recipient and attachment lists.
#pragma once

#include <QList>
#include <QString>

// Recipient classes as the mail interface numbers them.
enum : qint32 { MAPI_ORIG = 0, MAPI_TO = 1, MAPI_CC = 2, MAPI_BCC = 3 };

struct TDvMapiRecipDesc {
    qint32 RecipClass = MAPI_TO;
    QString Name;
    // "SMTP:" followed by the address.
    QString Address;
};

class TDvMapiRecipList {
public:
    // Appends a recipient; the name defaults to the address without its "SMTP:" prefix.
    void Add(qint32 recipClass, const QString& name, const QString& address);
    void Clear();
    qint32 Count() const { return static_cast<qint32>(recips_.size()); }
    const TDvMapiRecipDesc& Items(qint32 index) const { return recips_.at(index); }

private:
    QList<TDvMapiRecipDesc> recips_;
};

struct TDvMapiFileDesc {
    quint32 Flags = 0;
    // Where the attachment sits in the text; -1 leaves it to the mail program.
    qint32 Position = -1;
    QString PathName;
    QString FileName;
};

class TDvMapiFileDescList {
public:
    void Add(const QString& pathName, const QString& fileName);
    void Clear();
    qint32 Count() const { return static_cast<qint32>(files_.size()); }
    const TDvMapiFileDesc& Items(qint32 index) const { return files_.at(index); }

private:
    QList<TDvMapiFileDesc> files_;
};

class TDvMapiMessage {
public:
    QString OriginatorName;
    // A bare address.
    QString OriginatorAddress;
    // Kept for the callers; the mail program is not told it.
    QString ReplyTo;
    TDvMapiRecipList Recipients;
    QString Subject;
    QString NoteText;
    TDvMapiFileDescList Files;
    quint32 Flags = 0;
};
