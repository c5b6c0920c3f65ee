// The Reports menu: one item per saved report after a fixed item, or a disabled "Empty".
#pragma once

#include "platform/ui/Events.h"

#include <QStringList>

class TData;
class TMenuItem;
namespace sql {
class Connection;
}

namespace data {

// Frees every item after the anchor (after the last item when the anchor is not one of the menu's).
void RemoveItemsAfter(TMenuItem& menu, const TMenuItem* anchor);
// Appends one item per name whose click runs onClick (the item is the sender), or a disabled "Empty" item
// when there are none; answers the number of report items.
int AddReportItems(TMenuItem& menu, const QStringList& reportNames, const TNotifyEvent& onClick);
// The saved reports' names in name order.
QStringList ReportNames(const sql::Connection& connection);
// The data module's Reports menu: one item per saved report of the open database after the anchor; answers
// their number.
int FillReportsMenu(TData& data, TMenuItem& menu, const TMenuItem* anchor, const TNotifyEvent& onClick);

}  // namespace data
