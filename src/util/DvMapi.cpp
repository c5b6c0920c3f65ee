// Finds the desktop's mail clients in the XDG application folders and mimeapps.list files.
#include "util/DvMapi.h"

#include "util/DesktopEntries.h"

#include <QDir>
#include <QStandardPaths>

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
