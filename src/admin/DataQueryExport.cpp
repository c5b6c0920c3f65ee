// The SQL tool's export: the result as comma-separated lines, from its first row.
#include "admin/CsvText.h"
#include "admin/DataQuery.h"
#include "platform/db/Field.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Menus.h"

void TDataQueryForm::ExportResult() {
    if (!SaveDialog->Execute()) return;
    const QString fileName = SaveDialog->FileName();
    admin::CsvFile file;
    if (!file.OpenAsking(fileName)) return;
    ui::HourGlass hourGlass;
    const bool always = AlwaysDelimitWithDoubleQuoteItem->Checked();
    QStringList values;
    if (ShowFieldNamesItem->Checked()) {
        for (int i = 0; i < Query.FieldCount(); ++i) values << Query.Fields()[i]->FieldName();
        file.Write(admin::CsvLine(values, always, false));
    }
    for (Query.First(); !Query.Eof(); Query.Next()) {
        values.clear();
        for (int i = 0; i < Query.FieldCount(); ++i) values << Query.Fields()[i]->AsString();
        file.Write(admin::CsvLine(values, always, true));
    }
    file.Commit();
}
