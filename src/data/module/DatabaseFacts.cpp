// Reading the roster and the reclaimable space of an open database.
#include "data/module/DatabaseFacts.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Messages.h"
#include "platform/sql/Connection.h"
#include "util/core/DvSysUtils.h"

namespace data {

QStringList ConnectedComputers(const sql::Connection& connection) {
    const sql::SchemaRowset roster = connection.UserRoster();
    const qsizetype computer = roster.columns.indexOf(QStringLiteral("COMPUTER_NAME"));
    const qsizetype connected = roster.columns.indexOf(QStringLiteral("CONNECTED"));
    QStringList computers;
    for (const QVariantList& row : roster.rows)
        if (row.value(connected).toBool()) computers << row.value(computer).toString();
    return computers;
}

void GetReclaimableSpace(const sql::Connection* connection, const QString& fileName, qint64& size,
                         qint64& reclaimable) {
    if (!connection) {
        size = 0;
        reclaimable = 0;
        return;
    }
    if (const qint64 fileSize = GetFileSize64(fileName); fileSize >= 0) size = fileSize;
    for (const auto& [name, value] : connection->Properties())
        if (name.compare(QLatin1String("Jet OLEDB:Compact Reclaimed Space Amount"), Qt::CaseInsensitive) == 0)
            reclaimable = value.toLongLong();
}

void ReportReclaimableSpace(const sql::Connection& connection, const QString& fileName, int thresholdMb) {
    qint64 size = 0;
    qint64 reclaimable = 0;
    GetReclaimableSpace(&connection, fileName, size, reclaimable);
    if (reclaimable / 1048576 < thresholdMb) return;
    const qint64 percent = size < 1 ? 0 : static_cast<qint64>(static_cast<double>(reclaimable) / size * 100);
    MessageDlg(QStringLiteral("This database has ") + FormatByteSize(static_cast<quint64>(reclaimable)) +
                   QStringLiteral(" (") + QString::number(percent) + QStringLiteral("%)") +
                   QStringLiteral(" which can be reclaimed by compacting."),
               mtInformation, {mbOK});
}

}  // namespace data
