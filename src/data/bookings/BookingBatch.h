// The bulk path for callers that save many new bookings at once (a repeat run, an import).
#pragma once

#include "data/bookings/BookingValidation.h"
#include "data/bookings/Bookings.h"
#include "data/bookings/WriteTransaction.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

class TADOConnection;
class TBookingRecord;
class TDataSet;
class TUDFField;

namespace sql {
class Statement;
}

namespace data {

// What became of one booking of a batch.
struct BatchOutcome {
    // The id the booking was stored under; 0 when it is not stored.
    qint32 BookingId = 0;
    // Its validation code (Bookings.h); the overlap check runs only for a valid booking.
    int Validation = kBookingValid;
    // The overlap check: status 1 when it was stored, 3 with the bookings it overlaps, 0 when not checked.
    TBookingConflictResult Conflicts{};
};

// All of a batch goes to disk in one write transaction, or none of it: nobody sees a half-stored batch, so its
// rows are written as committed rows at once. Each booking passes what a single save of a new booking does: it
// gets a new id and is validated, stored, checked for overlaps with every stored booking (those of the batch
// added before it included), and either kept with its History row (code 1, described as a new booking) or
// taken out again.
class BookingBatch {
public:
    struct Settings {
        TADOConnection* Connection = nullptr;
        // The resource shadow table: limits and names of the resources.
        TDataSet* Resources = nullptr;
        RestrictLimit Global;
        TDateTime Today = 0;
        // The History rows' user id, already cut to its column.
        QString UserId;
        // The database's custom booking columns, null when absent.
        const TUDFField* Udf1 = nullptr;
        const TUDFField* Udf2 = nullptr;
        // Nonzero: the rows and their History rows (of this code, with no description) are written staged
        // (Trans = true), for the caller to commit or take out with CommitStaged and RemoveStaged.
        int StagedHistoryCode = 0;
    };

    // Takes the write lock.
    explicit BookingBatch(const Settings& settings);
    // Rolls back unless committed.
    ~BookingBatch();
    BookingBatch(const BookingBatch&) = delete;
    BookingBatch& operator=(const BookingBatch&) = delete;

    // Saves the record's values (its BookingId is not used) as a new booking; the head of a group gets its own new
    // id as its GroupBookingId.
    BatchOutcome Add(const TBookingRecord& booking, bool groupHead = false);
    void Commit();

    // Staged bookings and their History rows, in one write transaction each: made committed, or deleted.
    static void CommitStaged(TADOConnection& connection, const QList<qint32>& bookingIds);
    static void RemoveStaged(TADOConnection& connection, const QList<qint32>& bookingIds);

private:
    const std::optional<ResourceLimits>& LimitsOf(int resourceId);
    void Store(qint32 id, const TBookingRecord& booking, qint32 groupId);
    void Unstore(qint32 id);
    void WriteHistory(qint32 id, const TBookingRecord& booking);

    Settings settings_;
    std::unique_ptr<WriteTransaction> transaction_;
    QHash<int, std::optional<ResourceLimits>> limits_;
    // Prepared once for the whole batch.
    std::unique_ptr<sql::Statement> insert_;
    std::unique_ptr<sql::Statement> remove_;
};

}  // namespace data
