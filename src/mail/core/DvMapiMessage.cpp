// The message's recipient and attachment lists.
#include "mail/core/DvMapiMessage.h"

void TDvMapiRecipList::Add(qint32 recipClass, const QString& name, const QString& address) {
    recips_.append({recipClass, name.isEmpty() ? address : name, QStringLiteral("SMTP:") + address});
}

void TDvMapiRecipList::Clear() { recips_.clear(); }

void TDvMapiFileDescList::Add(const QString& pathName, const QString& fileName) {
    TDvMapiFileDesc file;
    file.PathName = pathName;
    file.FileName = fileName;
    files_.append(file);
}

void TDvMapiFileDescList::Clear() { files_.clear(); }
