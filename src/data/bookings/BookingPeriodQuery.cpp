// The containers' period statement. The interval conditions alone let the engine bound only the resource
// in the (ResourceId, BookingStart) index; a range on BookingStart, wide enough for the longest booking of
// the resources, lets it bound the start on both sides while the conditions still pick exactly the same rows.
#include "data/bookings/BookingPeriodQuery.h"

#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace data {

namespace {

// A stored date and time as its place in time. Before the day-count origin a value is minus the day plus the time
// (9:00 on the day before the origin is -1.375, 10:00 is -1.41667), so the values themselves run backwards within
// each day there; the day's number plus the time runs forwards on both sides.
QString Instant(const QString& column) { return "(Fix(" + column + ") + Abs(" + column + " - Fix(" + column + ")))"; }

// Before the origin a stored value lies up to a day below its day, and a booking's stored length differs from its
// length by up to two days: the start range widened by as much still holds every booking of the window.
constexpr double kStoredSlack = 3;

// The largest of the resources' values of an expression over their bookings, read through the length index;
// 0 when none is larger. Resource ids are the parameters ?1..?count, so one statement serves every choice of
// as many resources.
QString LargestLengthSql(int count, const QString& value, const QString& order) {
    QStringList terms{QStringLiteral("0")};
    for (int i = 1; i <= count; ++i)
        terms << QStringLiteral(
                     "coalesce((SELECT %1 FROM Bookings WHERE ResourceId = ?%2 "
                     "ORDER BY BookingEnd - BookingStart %3 LIMIT 1), 0)")
                     .arg(value)
                     .arg(i)
                     .arg(order);
    return terms.size() == 1 ? terms.first() : "max(" + terms.join(", ") + ")";
}

}  // namespace

void EnsureBookingIndexes(TADOConnection& connection) {
    sql::Connection& engine = connection.Engine();
    if (engine.IsReadOnly()) return;
    engine.Native().Exec(QStringLiteral(
        "CREATE INDEX IF NOT EXISTS tavorin_BookingLength ON Bookings (ResourceId, BookingEnd - BookingStart)"));
    engine.Native().Exec(QStringLiteral("CREATE INDEX IF NOT EXISTS tavorin_BookingStart ON Bookings (BookingStart)"));
}

StartRange BookingStartRange(TADOConnection& connection, const TResourceList& resources, TDateTime firstDate,
                             TDateTime lastDate) {
    const int count = resources.GetCount();
    // The text for as many resources, made once.
    static QHash<int, QString> texts;
    QString& text = texts[count];
    if (text.isEmpty())
        text = "SELECT " +
               LargestLengthSql(count, QStringLiteral("BookingEnd - BookingStart"), QStringLiteral("DESC")) + ", " +
               LargestLengthSql(count, QStringLiteral("BookingStart - BookingEnd"), QStringLiteral("ASC"));
    const auto statement = connection.Engine().CachedNative(text);
    for (int i = 0; i < count; ++i) statement->Bind(i, resources.GetItem(i)->ResourceId);
    statement->Step();
    const double longest = statement->Value(0).toDouble();
    const double mostBackwards = statement->Value(1).toDouble();
    // Whole days, rounded outwards; a booking over the whole window ends on or after its earlier date.
    StartRange range{std::floor(std::min(DateOf(firstDate), DateOf(lastDate)) - longest),
                     std::ceil(DateOf(lastDate) + 1 + mostBackwards)};
    if (range.From < 0) {
        range.From -= kStoredSlack;
        range.Before += kStoredSlack;
    }
    return range;
}

void SetBookingPeriodStatement(TADOQuery& query, const QStringList& selectLines, const TResourceList& resources,
                               TDateTime firstDate, TDateTime lastDate, const StartRange& range) {
    // The text depends only on the number of resources and on whether the window reaches before the origin, so
    // the connection compiles it once for each; the dates and ids are its parameters.
    const bool beforeOrigin = range.From < 0;
    const QString start =
        beforeOrigin ? Instant(QStringLiteral("[Bookings].BookingStart")) : QStringLiteral("[Bookings].BookingStart");
    const QString end =
        beforeOrigin ? Instant(QStringLiteral("[Bookings].BookingEnd")) : QStringLiteral("[Bookings].BookingEnd");
    TStrings& sql = query.SQL;
    sql.BeginUpdate();
    sql.Clear();
    for (const QString& line : selectLines) sql.Add(line);
    sql.Add(QStringLiteral("from [Resources], [Bookings]"));
    sql.Add(QStringLiteral("where [Resources].ResourceId = [Bookings].ResourceId"));
    sql.Add("   and (((" + start + " >= :FirstDate) and (" + start + " < :NextDate))");
    sql.Add("       or ((" + end + " >= :FirstDate) and (" + end + " < :NextDate))");
    sql.Add("       or ((" + start + " <= :FirstDate) and (" + end + " >= :LastDate)))");
    sql.Add(QStringLiteral("   and ("));
    for (int i = 0; i < resources.GetCount(); ++i) {
        if (i > 0) sql.Add(QStringLiteral("      or"));
        sql.Add(QStringLiteral("      [Bookings].ResourceId = :Resource%1").arg(i + 1));
    }
    sql.Add(QStringLiteral("   )"));
    sql.Add(
        QStringLiteral("   and ([Bookings].BookingStart >= :StartFrom) and ([Bookings].BookingStart < :StartBefore)"));
    sql.Add("order by [Resources].ResourceName, " + start);
    sql.EndUpdate();
    // Dates as their days' numbers, the values the statement compares.
    const auto bind = [&query](const QString& name, const QVariant& value) {
        query.Parameters.ParamByName(name).SetValue(value);
    };
    bind(QStringLiteral("FirstDate"), DateOf(firstDate));
    bind(QStringLiteral("NextDate"), DateOf(lastDate) + 1);
    bind(QStringLiteral("LastDate"), DateOf(lastDate));
    for (int i = 0; i < resources.GetCount(); ++i)
        bind(QStringLiteral("Resource%1").arg(i + 1), resources.GetItem(i)->ResourceId);
    bind(QStringLiteral("StartFrom"), DateOf(range.From));
    bind(QStringLiteral("StartBefore"), DateOf(range.Before));
}

void OpenBookingPeriodQuery(TADOQuery& query, const TResourceList& resources, TDateTime firstDate, TDateTime lastDate) {
    query.Close();
    if (!query.Connection()) DatabaseError(QStringLiteral("Missing Connection or ConnectionString"));
    const StartRange range = BookingStartRange(*query.Connection(), resources, firstDate, lastDate);
    // The columns the layouts use, and no more: a view reads few rows, but each row whole.
    SetBookingPeriodStatement(
        query,
        {QStringLiteral("Select BookingId, Trans, Bookings.ResourceId, Client, "),
         QStringLiteral("   Bookings.Description, BookingStart, BookingEnd, Reminder, ResourceName")},
        resources, firstDate, lastDate, range);
    query.Open();
}

}  // namespace data
