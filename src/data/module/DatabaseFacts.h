// Facts about an open database file: who has it open, and how much compacting would give back.
#pragma once

#include <QString>
#include <QStringList>

namespace sql {
class Connection;
}

namespace data {

// One computer name per program instance connected to the file.
QStringList ConnectedComputers(const sql::Connection& connection);

// The file's size and the bytes compacting would reclaim; both 0 without a connection. A file that is not
// found leaves size unchanged, a provider without the property leaves reclaimable unchanged.
void GetReclaimableSpace(const sql::Connection* connection, const QString& fileName, qint64& size, qint64& reclaimable);

// Tells the user how much can be reclaimed when it is at least thresholdMb megabytes.
void ReportReclaimableSpace(const sql::Connection& connection, const QString& fileName, int thresholdMb);

}  // namespace data
