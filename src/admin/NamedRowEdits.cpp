// Posting or dropping a pending named row before the user moves on.
#include "admin/NamedRowEdits.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"

namespace admin {

bool PostNamedRowEdits(TDataSet& dataSet, const QString& nameField) {
    if (dataSet.State() != dsInsert && dataSet.State() != dsEdit) return true;
    const TField& name = dataSet.FieldByName(nameField);
    if (name.IsNull() || name.AsString().trimmed().isEmpty()) {
        dataSet.Cancel();
        return true;
    }
    return PostRowEdits(dataSet);
}

bool PostRowEdits(TDataSet& dataSet) {
    if (dataSet.State() != dsInsert && dataSet.State() != dsEdit) return true;
    try {
        dataSet.Post();
        return true;
    } catch (const EAbort&) {
        return false;
    } catch (const Exception& error) {
        MessageDlg(error.Message(), mtInformation, {mbOK});
        return false;
    }
}

}  // namespace admin
