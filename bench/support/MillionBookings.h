// A database of the program's schema holding 1,000,000 bookings over 200 resources and 10 years, for the
// benchmarks: built once, kept under /tmp for as long as the schema stays the same.
#pragma once

#include "platform/rtl/DateUtils.h"

#include <QList>
#include <QString>
#include <memory>

class TData;

namespace sql {
class Database;
class Statement;
}  // namespace sql

namespace million_bookings {

inline constexpr int kResources = 200;
// The number of bookings: 1,000,000 unless TAVORIN_BENCH_BOOKINGS asks for another, for the same figures at other
// sizes (the file's name says its size).
int BookingCount();
inline constexpr int kDays = 3650;
// A Monday.
inline TDateTime FirstDay() { return EncodeDate(2020, 1, 6); }

// The password of the encrypted copy.
inline QString Password() { return QStringLiteral("million"); }

// Resource ids run 1..kResources; each resource's name sorts by its id.
QString ResourceName(int resourceId);

// The path of the ready database, plain or encrypted with Password(); built at the first call for the
// current schema (which takes a minute or two), found again at later ones. Needs a QCoreApplication.
QString DatabasePath(bool encrypted);

// A copy of it of this run's own, plain or encrypted, made at the first call and opened by the data module (which
// adds what an open adds to a file before anything is measured); later calls answer the same module.
TData& OpenedCopy(bool encrypted);

// A connection string the program would use for it, optionally read-only (Mode=Read).
QString ConnectionString(const QString& path, bool encrypted, bool readOnly = false);

// The floor of a view's load: the rows it reads, by the engine alone through one statement prepared once, every
// column the layouts use read: the resources' bookings touching first..last, by resource name and start. The start
// range is known beforehand (the file's longest booking lasts 14 days). ReadPeriodRows answers the number of rows.
std::unique_ptr<sql::Statement> PeriodRowsStatement(const sql::Database& database, const QList<int>& resourceIds);
int ReadPeriodRows(sql::Statement& statement, TDateTime first, TDateTime last);

}  // namespace million_bookings
