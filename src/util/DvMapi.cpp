// Finds the desktop's mail clients in the XDG application folders and mimeapps.list files.
#include "util/DvMapi.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStandardPaths>
#include <QTextStream>
#include <optional>

namespace {

const QString kMailtoType = QStringLiteral("x-scheme-handler/mailto");

// The keys of one group of a desktop-entry style file (localised keys such as Name[de] are skipped).
QHash<QString, QString> ReadGroup(const QString& fileName, const QString& group) {
    QHash<QString, QString> values;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return values;
    QTextStream in(&file);
    bool inGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == u'[' + group + u']';
            continue;
        }
        const int eq = line.indexOf(u'=');
        if (!inGroup || eq <= 0) continue;
        const QString key = line.left(eq).trimmed();
        if (!values.contains(key)) values.insert(key, line.mid(eq + 1).trimmed());
    }
    return values;
}

struct DesktopEntry {
    QString name;
    bool handlesMail = false;
};

// The desktop entry of an application id, from the first applications folder that has it.
std::optional<DesktopEntry> FindDesktopEntry(const QString& desktopId) {
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        const QString fileName = QDir(dir).filePath(desktopId);
        if (!QFile::exists(fileName)) continue;
        const auto entry = ReadGroup(fileName, QStringLiteral("Desktop Entry"));
        const QStringList types = entry.value(QStringLiteral("MimeType")).split(u';', Qt::SkipEmptyParts);
        return DesktopEntry{entry.value(QStringLiteral("Name")), types.contains(kMailtoType)};
    }
    return std::nullopt;
}

// Every application id in the applications folders (an id found twice counts once).
QStringList DesktopIds() {
    QStringList ids;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        for (const QString& name : QDir(dir).entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name))
            if (!ids.contains(name)) ids << name;
    }
    return ids;
}

// The first installed default mailto handler of the mimeapps.list files, in their order of precedence.
QString DefaultMailDesktopId() {
    QStringList lists;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists << QDir(dir).filePath(QStringLiteral("mimeapps.list"));
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
        lists << QDir(dir).filePath(QStringLiteral("mimeapps.list"));
    for (const QString& list : lists) {
        const auto defaults = ReadGroup(list, QStringLiteral("Default Applications"));
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
        if (entry && entry->handlesMail && !entry->name.isEmpty()) MailClients << entry->name;
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
