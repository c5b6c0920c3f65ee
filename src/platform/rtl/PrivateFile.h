// Writing a file that only its owner may read (a password, the settings), replaced in one step.
#pragma once

#include <QByteArray>
#include <QString>

enum class PrivateFileOutcome { Written, CannotCreate, CannotWrite };

// Writes the bytes to a new file beside fileName, created readable and writable by its owner only, flushes
// it to disk and renames it over fileName: readers see the old or the new file whole, and nobody else can
// read the content at any moment. On failure nothing is left behind and error holds the system's reason.
PrivateFileOutcome WritePrivateFile(const QString& fileName, const QByteArray& data, QString& error);
