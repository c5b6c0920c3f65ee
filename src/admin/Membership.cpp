// The membership dialogs of the resource and group editors: the lists read, the dialog run, the differences written.
#include "admin/Membership.h"

#include "admin/ListSelectionForm.h"
#include "data/bookings/WriteTransaction.h"
#include "data/module/LookupQueries.h"
#include "platform/db/ADODataSet.h"
#include "platform/rtl/ScreenService.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"

namespace admin {
namespace {

QStringList Names(TADOConnection& connection, const QString& select, const data::SqlParams& params,
                  const QString& field) {
    TADOQuery query;
    query.SetConnection(&connection);
    query.LockType = ltReadOnly;
    query.SQL.SetText(select);
    data::OpenedQuery opened(query, params);
    QStringList names;
    for (query.First(); !query.Eof(); query.Next()) names << query.FieldByName(field).AsString();
    return names;
}

// A resource's features or groups: one table of memberships, one list of what there is.
struct ResourceMembership {
    MembershipTexts texts;
    QString table;  // ResourceFeatures
    QString field;  // Feature
    QString list;   // Features
};

void EditResourceMembership(TADOConnection& connection, int resourceId, const ResourceMembership& m) {
    const data::SqlParams id = {{QStringLiteral("TheResourceId"), resourceId}};
    const QStringList current = Names(connection,
                                      QStringLiteral("select %1\nfrom %2\nwhere ResourceId = :TheResourceId\n"
                                                     "order by %1")
                                          .arg(m.field, m.table),
                                      id, m.field);
    const QStringList available = Names(
        connection,
        QStringLiteral("select *\nfrom %3\nwhere %1 not in\n(select %1 from %2 where ResourceId = :TheResourceId)")
            .arg(m.field, m.table, m.list),
        id, m.field);
    const std::optional<QStringList> chosen = ChooseMembers(m.texts, current, available);
    if (!chosen) return;
    const QString name = QStringLiteral("TheName");
    data::WriteTransaction transaction(connection);
    for (const QString& removed : NamesMissingFrom(current, *chosen))
        data::ExecuteWith(connection,
                          QStringLiteral("delete from %1\nwhere ResourceId = :TheResourceId\nand %2 = :TheName")
                              .arg(m.table, m.field),
                          {id[0], {name, removed}});
    for (const QString& added : NamesMissingFrom(*chosen, current))
        data::ExecuteWith(
            connection,
            QStringLiteral("insert into %1\n(ResourceId, %2)\nvalues (:TheResourceId, :TheName)").arg(m.table, m.field),
            {id[0], {name, added}});
    transaction.Commit();
}

}  // namespace

std::optional<QStringList> ChooseMembers(const MembershipTexts& texts, const QStringList& current,
                                         const QStringList& available) {
    TListSelectionForm dialog;
    dialog.SetCaption(texts.caption);
    dialog.SrcLabel->SetCaption(texts.available);
    dialog.DstLabel->SetCaption(texts.selected);
    dialog.SrcList->Clear();
    dialog.DstList->Clear();
    for (const QString& name : available) dialog.SrcList->Items().Add(name);
    for (const QString& name : current) dialog.DstList->Items().Add(name);
    if (dialog.ShowModal() != mrOk) return std::nullopt;
    return dialog.DstList->Items().ToStringList();
}

QStringList NamesMissingFrom(const QStringList& names, const QStringList& others) {
    QStringList missing;
    for (const QString& name : names)
        if (!others.contains(name, Qt::CaseInsensitive)) missing << name;
    return missing;
}

void EditResourceFeatures(TADOConnection& connection, int resourceId) {
    EditResourceMembership(connection, resourceId,
                           {{"Resource Features", "Available Features:", "Selected Features:"},
                            "ResourceFeatures",
                            "Feature",
                            "Features"});
}

void EditResourceGroups(TADOConnection& connection, int resourceId) {
    EditResourceMembership(
        connection, resourceId,
        {{"Group Membership", "Available Groups:", "Selected Groups:"}, "ResourceGroups", "GroupName", "Groups"});
}

void EditGroupResources(TADOConnection& connection, const QString& groupName) {
    const data::SqlParams group = {{QStringLiteral("GroupName"), groupName}};
    const QStringList current = Names(
        connection,
        QStringLiteral("select [ResourceGroups].ResourceId as ResourceId, ResourceName\n"
                       "from [ResourceGroups] inner join [Resources] on [ResourceGroups].ResourceId = "
                       "[Resources].ResourceId\nwhere [ResourceGroups].GroupName = :GroupName\norder by ResourceName"),
        group, QStringLiteral("ResourceName"));
    const QStringList available =
        Names(connection,
              QStringLiteral("select ResourceId, ResourceName\nfrom Resources\nwhere ResourceId not in\n"
                             "(select ResourceId from ResourceGroups where GroupName = :GroupName)"),
              group, QStringLiteral("ResourceName"));
    const std::optional<QStringList> chosen =
        ChooseMembers({"Resource Selection", "Available Resources:", "Selected Resources:"}, current, available);
    if (!chosen) return;
    const auto idsOf = [&](const QStringList& names) {
        QList<int> ids;
        for (const QString& name : names) {
            const QStringList found =
                Names(connection, QStringLiteral("select ResourceId\nfrom Resources\nwhere ResourceName = :TheName"),
                      {{QStringLiteral("TheName"), name}}, QStringLiteral("ResourceId"));
            if (!found.isEmpty()) ids << found[0].toInt();
        }
        return ids;
    };
    const rtl::HourGlass hourGlass;
    data::WriteTransaction transaction(connection);
    const QList<int> removed = idsOf(NamesMissingFrom(current, *chosen));
    const QList<int> added = idsOf(NamesMissingFrom(*chosen, current));
    for (int id : removed)
        data::ExecuteWith(connection,
                          QStringLiteral("delete from ResourceGroups\nwhere GroupName = :GroupName\n"
                                         "and ResourceId = :TheResourceId"),
                          {group[0], {QStringLiteral("TheResourceId"), id}});
    for (int id : added)
        data::ExecuteWith(connection,
                          QStringLiteral("insert into ResourceGroups\n(ResourceId, GroupName)\n"
                                         "values (:TheResourceId, :GroupName)"),
                          {group[0], {QStringLiteral("TheResourceId"), id}});
    transaction.Commit();
}

}  // namespace admin
