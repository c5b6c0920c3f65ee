// The desktop's applications as its XDG desktop entries describe them, and the mimeapps.list files.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace util {

// The keys of one group of a desktop-entry style file (localised keys such as Name[de] are skipped).
QHash<QString, QString> ReadDesktopGroup(const QString& fileName, const QString& group);

struct DesktopEntry {
    QString name;
    // The MIME types (and x-scheme-handler/... schemes) the application opens.
    QStringList mimeTypes;
};

// The desktop entry of an application id, from the first applications folder that has it.
std::optional<DesktopEntry> FindDesktopEntry(const QString& desktopId);

// Every application id in the applications folders (an id found twice counts once).
QStringList DesktopIds();

// Whether an installed application opens this MIME type.
bool DesktopHandlerExists(const QString& mimeType);

}  // namespace util
