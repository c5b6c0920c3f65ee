// Saving many new bookings in one write transaction with the checks and History of single saves.
#include "data/bookings/BookingBatch.h"

#include "data/bookings/BookingConflicts.h"
#include "data/bookings/BookingRecord.h"
#include "data/bookings/History.h"
#include "data/bookings/NewBookingId.h"
#include "data/bookings/OptionalText.h"
#include "platform/db/ADOConnection.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"

namespace data {
namespace {

// The columns a new booking's row is written with: Trans, then those of TBookingRecord::Save in its order.
QStringList BookingColumns(const TUDFField* udf1, const TUDFField* udf2) {
    QStringList columns = {
        QStringLiteral("Trans"),        QStringLiteral("BookingId"),  QStringLiteral("GroupBookingId"),
        QStringLiteral("Ep"),           QStringLiteral("Owner"),      QStringLiteral("ResourceId"),
        QStringLiteral("BookingStart"), QStringLiteral("BookingEnd"), QStringLiteral("Client"),
        QStringLiteral("Email"),        QStringLiteral("Phone"),      QStringLiteral("Address"),
        QStringLiteral("Description"),  QStringLiteral("Notes"),      QStringLiteral("Reminder")};
    for (const TUDFField* custom : {udf1, udf2})
        if (custom) columns << custom->FieldName;
    return columns;
}

QString InsertSql(const QString& table, const QStringList& columns) {
    QStringList names, values;
    for (int i = 0; i < columns.size(); ++i) {
        names << u'[' + columns[i] + u']';
        values << QStringLiteral(":V%1").arg(i);
    }
    return QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
        .arg(table, names.join(QLatin1String(", ")), values.join(QLatin1String(", ")));
}

// Trans of a row as written: true (-1) while staged, empty once committed.
QVariant Staged(const BookingBatch::Settings& settings) {
    return settings.StagedHistoryCode != 0 ? QVariant(-1) : QVariant();
}

void ForEachStaged(TADOConnection& connection, const QList<qint32>& bookingIds, const QStringList& statements) {
    WriteTransaction transaction(connection);
    for (const QString& text : statements) {
        const std::unique_ptr<sql::Statement> statement = connection.Engine().Prepare(text);
        for (const qint32 id : bookingIds) {
            statement->Reset();
            statement->Bind(0, id);
            statement->Step();
        }
    }
    transaction.Commit();
}

}  // namespace

void BookingBatch::CommitStaged(TADOConnection& connection, const QList<qint32>& bookingIds) {
    ForEachStaged(connection, bookingIds,
                  {QStringLiteral("UPDATE Bookings SET Trans = 0 WHERE BookingId = :Id AND Trans <> 0"),
                   QStringLiteral("UPDATE History SET Trans = 0 WHERE BookingId = :Id AND Trans <> 0")});
}

void BookingBatch::RemoveStaged(TADOConnection& connection, const QList<qint32>& bookingIds) {
    // History first: its staged rows name the working bookings.
    ForEachStaged(connection, bookingIds,
                  {QStringLiteral("DELETE FROM History WHERE BookingId = :Id AND Trans <> 0"),
                   QStringLiteral("DELETE FROM Bookings WHERE BookingId = :Id AND Trans <> 0")});
}

BookingBatch::BookingBatch(const Settings& settings) : settings_(settings) {
    TADOConnection& connection = *settings_.Connection;
    transaction_ = std::make_unique<WriteTransaction>(connection);
    sql::Connection& engine = connection.Engine();
    insert_ = engine.Prepare(InsertSql(QStringLiteral("Bookings"), BookingColumns(settings_.Udf1, settings_.Udf2)));
    remove_ = engine.Prepare(QStringLiteral("DELETE FROM Bookings WHERE BookingId = :Id"));
}

BookingBatch::~BookingBatch() = default;

void BookingBatch::Commit() { transaction_->Commit(); }

const std::optional<ResourceLimits>& BookingBatch::LimitsOf(int resourceId) {
    auto it = limits_.find(resourceId);
    if (it == limits_.end()) it = limits_.insert(resourceId, FindResourceLimits(*settings_.Resources, resourceId));
    return *it;
}

void BookingBatch::Store(qint32 id, const TBookingRecord& booking, qint32 groupId) {
    // Trans as a committed change leaves it: empty.
    QVariantList values = {Staged(settings_),
                           id,
                           groupId,
                           booking.Ep,
                           booking.Owner,
                           booking.ResourceId,
                           booking.BookingStart(),
                           booking.BookingEnd(),
                           booking.Client,
                           OptionalText(booking.Email),
                           OptionalText(booking.Phone),
                           OptionalText(booking.Address),
                           OptionalText(booking.Description),
                           OptionalText(booking.Notes),
                           OptionalText(booking.Reminder)};
    // The record carries the custom values of the columns it was made for.
    for (const auto& [column, custom] :
         {std::pair{settings_.Udf1, booking.Udf1.get()}, {settings_.Udf2, booking.Udf2.get()}})
        if (column) values << (custom ? custom->Value : QVariant());
    insert_->Reset();
    for (int i = 0; i < values.size(); ++i) insert_->Bind(i, values[i]);
    insert_->Step();
}

void BookingBatch::Unstore(qint32 id) {
    remove_->Reset();
    remove_->Bind(0, id);
    remove_->Step();
}

void BookingBatch::WriteHistory(qint32 id, const TBookingRecord& booking) {
    const bool staged = settings_.StagedHistoryCode != 0;
    HistoryEntry entry;
    entry.BookingId = id;
    entry.Code = staged ? static_cast<HistoryCode>(settings_.StagedHistoryCode) : HistoryCode::BookingCreated;
    entry.UserId = settings_.UserId;
    entry.Staged = staged;
    if (!staged) entry.Description = booking.DescribeChanges(nullptr, *settings_.Resources);
    WriteHistoryRow(*settings_.Connection, entry);
}

BatchOutcome BookingBatch::Add(const TBookingRecord& booking, bool groupHead) {
    BatchOutcome outcome;
    outcome.Validation = ValidateBookingValues({booking.Client, booking.BookingStart(), booking.BookingEnd()},
                                               LimitsOf(booking.ResourceId), settings_.Global, settings_.Today);
    if (outcome.Validation != kBookingValid) return outcome;
    const qint32 id = NewBookingId(*settings_.Connection);
    Store(id, booking, groupHead ? id : booking.GroupBookingId);
    FindBookingConflicts(*settings_.Connection, booking.ResourceId, id, booking.BookingStart(), booking.BookingEnd(),
                         outcome.Conflicts);
    if (outcome.Conflicts.Status != kConflictNone) {
        Unstore(id);
        return outcome;
    }
    WriteHistory(id, booking);
    outcome.BookingId = id;
    return outcome;
}

}  // namespace data
