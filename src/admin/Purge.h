// The purge's two passes over the open database, a page of rows at a time with each page's deletions committed
// whole, and its log file.
#pragma once

#include "platform/rtl/DateUtils.h"

#include <QFile>
#include <QString>
#include <functional>

class TADOConnection;

namespace admin {

// The text log: 8-bit, each piece written when complete and cut to 1,024 characters (a cut piece keeps its
// line end, so the next line still starts on its own).
class PurgeLog {
public:
    // False when the file cannot be created.
    bool Create(const QString& fileName);
    // Raises when the disk refuses the piece.
    void Write(const QString& piece);
    void Close() { file_.close(); }

private:
    QFile file_;
};

// How a pass went.
struct PurgeCounts {
    int processed = 0;
    int purged = 0;
    bool stopped = false;  // the user stopped it
    bool failed = false;   // a database error ended it; the page in hand was rolled back
};

// What a pass asks of its window while it runs.
struct PurgeMonitor {
    // False stops the pass before its next row; the deletions so far stay.
    std::function<bool()> running;
    // After each row is counted: the rows processed and the bar's position.
    std::function<void(int processed, int position)> row;
    // The log lines of committed deletions, a page at a time.
    std::function<void(const QString& lines)> log;
};

// Rows the pages hold; each page's deletions are one transaction.
inline constexpr int kPurgePageRows = 500;

// Deletes every booking whose end day is on or before lastDay, logging each one.
PurgeCounts PurgeBookings(TADOConnection& connection, TDateTime lastDay, const PurgeMonitor& monitor);
// Deletes every History row dated on or before lastDay that has no booking: neither id set, or an id that no
// booking carries.
PurgeCounts PurgeOrphanHistory(TADOConnection& connection, TDateTime lastDay, const PurgeMonitor& monitor);

}  // namespace admin
