// Choosing members in the list selection dialog and writing what changed: a resource's features and groups, and a
// group's resources.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class TADOConnection;

namespace admin {

// The dialog's caption and list labels.
struct MembershipTexts {
    QString caption;
    QString available;
    QString selected;
};

// Shows the dialog with the available names on the left and the current members on the right; the names chosen
// when the user pressed OK, nothing after Cancel.
std::optional<QStringList> ChooseMembers(const MembershipTexts& texts, const QStringList& current,
                                         const QStringList& available);

// The names that are in one list and not in the other, letter case aside, in the first list's order.
QStringList NamesMissingFrom(const QStringList& names, const QStringList& others);

// The dialog over the resource's features or groups; on OK the rows of the names taken out are deleted, then those
// of the names added are inserted, all in one transaction. Names reach the database only as parameters.
void EditResourceFeatures(TADOConnection& connection, int resourceId);
void EditResourceGroups(TADOConnection& connection, int resourceId);
// The same for the resources of a group; a chosen name that no longer names a resource is skipped.
void EditGroupResources(TADOConnection& connection, const QString& groupName);

}  // namespace admin
