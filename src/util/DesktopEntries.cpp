// Reads the desktop entries of the XDG application folders.
#include "util/DesktopEntries.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTextStream>

namespace util {

QHash<QString, QString> ReadDesktopGroup(const QString& fileName, const QString& group) {
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

std::optional<DesktopEntry> FindDesktopEntry(const QString& desktopId) {
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        const QString fileName = QDir(dir).filePath(desktopId);
        if (!QFile::exists(fileName)) continue;
        const auto entry = ReadDesktopGroup(fileName, QStringLiteral("Desktop Entry"));
        return DesktopEntry{entry.value(QStringLiteral("Name")),
                            entry.value(QStringLiteral("MimeType")).split(u';', Qt::SkipEmptyParts)};
    }
    return std::nullopt;
}

QStringList DesktopIds() {
    QStringList ids;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        for (const QString& name : QDir(dir).entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name))
            if (!ids.contains(name)) ids << name;
    }
    return ids;
}

bool DesktopHandlerExists(const QString& mimeType) {
    for (const QString& id : DesktopIds()) {
        const auto entry = FindDesktopEntry(id);
        if (entry && entry->mimeTypes.contains(mimeType)) return true;
    }
    return false;
}

}  // namespace util
