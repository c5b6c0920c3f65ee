// The compaction commands and the database password: the file compacted with a backup while nobody else has it,
// its sizes reported, and the database opened again.
#pragma once

#include "admin/MainWindowServices.h"

#include <QString>

class TData;
class TForm;

// Whether the database engine can compact; the built-in engine always can.
bool CheckJetVersion();

namespace admin {

// The size in bytes of the file, 0 when there is none.
qint64 GetFileSize(const QString& fileName);

// Compacts the closed file keeping its password, with a backup, under the "Compacting database..." panel
// centred on the form, and reports the sizes; the compaction's result code (an error has been shown).
int CompactDatabaseFile(TData& data, TForm* form, const QString& fileName, const QString& password);

// "&Current Database": the open database compacted and opened again with the rights it had.
void CompactCurrentDatabase(TData& data, const MainWindowServices& mainWindow);
// "&Database...": a file the user chooses, asking for its password until it is right or the user gives up.
void CompactDatabase(TData& data, const MainWindowServices& mainWindow);
// "&Set Database Password...": sets, changes or clears the open database's password through a compaction.
void SetDatabasePassword(TData& data, const MainWindowServices& mainWindow);

}  // namespace admin
