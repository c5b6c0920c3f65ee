// Temporary files of the engine: its page cache files and archives.
#pragma once

#include <QString>

// The system's folder for temporary files, with its trailing "/".
QString GetTempDirectory();
// Creates a new, empty file with a unique name beginning with the prefix in the folder and answers its full
// name; raises EFCreateError when the system cannot create one there.
QString CreateTempFileName(const QString& folder, const QString& prefix);
