// Filling the Reports menu from the saved reports.
#include "data/forms/ReportsMenu.h"

#include "data/module/DataModule.h"
#include "platform/sql/Connection.h"
#include "platform/ui/Menus.h"

namespace data {

void RemoveItemsAfter(TMenuItem& menu, const TMenuItem* anchor) {
    const int index = menu.IndexOf(anchor);
    const int keep = index < 0 ? menu.Count() : index + 1;
    while (menu.Count() > keep) menu.Delete(menu.Count() - 1);
}

int AddReportItems(TMenuItem& menu, const QStringList& reportNames, const TNotifyEvent& onClick) {
    if (reportNames.isEmpty()) {
        auto* empty = new TMenuItem(nullptr);
        empty->SetCaption(QStringLiteral("Empty"));
        empty->SetEnabled(false);
        menu.Add(empty);
        return 0;
    }
    for (const QString& name : reportNames) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(name);
        item->OnClick = onClick;
        menu.Add(item);
    }
    return static_cast<int>(reportNames.size());
}

QStringList ReportNames(const sql::Connection& connection) {
    const auto query = connection.Prepare(QStringLiteral("select *\r\nfrom Reports\r\norder by ReportName"));
    int column = 0;
    while (column < query->ColumnCount() &&
           query->ColumnName(column).compare(QLatin1String("ReportName"), Qt::CaseInsensitive) != 0)
        ++column;
    QStringList names;
    while (query->Step()) names << query->Value(column).toString();
    return names;
}

int FillReportsMenu(TData& data, TMenuItem& menu, const TMenuItem* anchor, const TNotifyEvent& onClick) {
    RemoveItemsAfter(menu, anchor);
    if (!data.ADOConnection.Connected()) return 0;
    return AddReportItems(menu, ReportNames(data.ADOConnection.Engine()), onClick);
}

}  // namespace data
