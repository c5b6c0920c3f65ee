// The handlers before a feature, group or resource is deleted: counts, question, cleanup; the feature and
// resource ones are shared by the lookup module and the data module's twins. What a delete takes with it goes in
// one transaction with the row itself, so a failure anywhere leaves everything as it was.
#include "data/module/SQLDataModule.h"

#include "data/bookings/WriteTransaction.h"
#include "data/module/LookupQueries.h"
#include "platform/db/ADOConnection.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"

namespace {

const QString kQuote = QStringLiteral("\"");
const QString kQuestionBreak = QStringLiteral("\r\r");
// The History code of a deleted resource.
constexpr int kResourceDeletedCode = 5;

QString Plural(int count, const QString& one, const QString& many) { return count == 1 ? one : many; }

QString UserIdOf(const data::LookupHost& host) { return host.currentUserId ? host.currentUserId() : QString(); }

// Yes/No; anything but Yes stops the delete.
void ConfirmOrAbort(const QString& question) {
    if (MessageDlg(question, mtConfirmation, {mbYes, mbNo}) != mrYes) Abort();
}

}  // namespace

namespace data {

// Names reach the statements as parameters, so a feature or group called a"b or Feature deletes only its rows.
void FeatureBeforeDelete(const LookupHost& host, TDataSet& dataSet) {
    // A user without an id is not asked, and the feature's assignments are left to the row's own delete.
    if (UserIdOf(host).isEmpty()) return;
    TADOConnection& connection = *host.connection;
    const QString name = dataSet.FieldByName(QStringLiteral("Feature")).AsString();
    const SqlParams feature{{QStringLiteral("TheFeature"), name}};
    const int resources = CountRows(
        connection,
        QStringLiteral("select ResourceId\nfrom [ResourceFeatures]\nwhere [ResourceFeatures].Feature = :TheFeature"),
        feature);
    QString question =
        QStringLiteral("Are you sure you want to delete the feature ") + kQuote + name + kQuote + QLatin1Char('?');
    if (resources > 0)
        question += kQuestionBreak + QStringLiteral("The feature is assigned to ") + QString::number(resources) +
                    QLatin1Char(' ') + Plural(resources, QStringLiteral("resource."), QStringLiteral("resources."));
    ConfirmOrAbort(question);
    FinishWithDelete(dataSet, connection, [&] {
        ExecuteWith(connection, QStringLiteral("delete from ResourceFeatures RF\nwhere RF.Feature = :TheFeature"),
                    feature);
    });
}

void ResourceBeforeDelete(const LookupHost& host, TDataSet& dataSet) {
    const QString user = UserIdOf(host);
    if (user.isEmpty()) Abort();
    TADOConnection& connection = *host.connection;
    const QString name = dataSet.FieldByName(QStringLiteral("ResourceName")).AsString();
    const QString id = QString::number(dataSet.FieldByName(QStringLiteral("ResourceId")).AsInteger());
    const int bookings =
        CountRows(connection, QStringLiteral("select BookingId\nfrom [Bookings]\nwhere [Bookings].ResourceId = ") + id);
    const int groups =
        CountRows(connection,
                  QStringLiteral("select GroupName\nfrom [ResourceGroups]\nwhere [ResourceGroups].ResourceId = ") + id);
    const int features = CountRows(
        connection,
        QStringLiteral("select Feature\nfrom [ResourceFeatures]\nwhere [ResourceFeatures].ResourceId = ") + id);
    QString question = QStringLiteral("Are you sure you want to delete the resource ") + kQuote + name + kQuote +
                       QLatin1Char('?') + kQuestionBreak + QStringLiteral("The resource has ") +
                       QString::number(bookings) + QLatin1Char(' ') +
                       Plural(bookings, QStringLiteral("booking"), QStringLiteral("bookings")) +
                       QStringLiteral(" and belongs to ") + QString::number(groups) + QLatin1Char(' ') +
                       Plural(groups, QStringLiteral("group."), QStringLiteral("groups."));
    if (bookings > 0 || groups > 0 || features > 0)
        question += QStringLiteral(" Deleting this resource will delete all its bookings");
    ConfirmOrAbort(question);
    rtl::HourGlass hourGlass;
    FinishWithDelete(dataSet, connection, [&] {
        if (bookings > 0) connection.Execute(QStringLiteral("delete from Bookings B\nwhere B.ResourceId = ") + id);
        if (groups > 0) connection.Execute(QStringLiteral("delete from ResourceGroups G\nwhere G.ResourceId = ") + id);
        if (features > 0)
            connection.Execute(QStringLiteral("delete from ResourceFeatures RF\nwhere RF.ResourceId = ") + id);
        if (host.addHistory)
            host.addHistory(-1, -1, kResourceDeletedCode, user,
                            QStringLiteral("Resource ") + name + QStringLiteral(" deleted.") +
                                QStringLiteral(" Bookings deleted (") + QString::number(bookings) + QLatin1Char(')'));
    });
}

}  // namespace data

void TSQLData::FeatureBeforeDelete(TDataSet& dataSet) { data::FeatureBeforeDelete(host_, dataSet); }

void TSQLData::GroupBeforeDelete(TDataSet& dataSet) {
    const QString name = dataSet.FieldByName(QStringLiteral("GroupName")).AsString();
    const data::SqlParams group{{QStringLiteral("TheGroupName"), name}};
    const int resources = data::CountRows(
        Connection(),
        QStringLiteral("select ResourceId\nfrom [ResourceGroups]\nwhere [ResourceGroups].GroupName = :TheGroupName"),
        group);
    QString question =
        QStringLiteral("Are you sure you want to delete group ") + kQuote + name + kQuote + QLatin1Char('?');
    if (resources > 0)
        question +=
            kQuestionBreak + QStringLiteral("This group has ") + QString::number(resources) + QLatin1Char(' ') +
            Plural(resources, QStringLiteral("resource"), QStringLiteral("resources")) +
            QStringLiteral(" assigned to it. Deleting this group will not delete any of the resources or bookings.");
    ConfirmOrAbort(question);
    if (resources > 0)
        data::FinishWithDelete(dataSet, Connection(), [&] {
            data::ExecuteWith(Connection(),
                              QStringLiteral("delete from ResourceGroups RG\nwhere RG.GroupName = :TheGroupName"),
                              group);
        });
}

void TSQLData::ResourceBeforeDelete(TDataSet& dataSet) { data::ResourceBeforeDelete(host_, dataSet); }
