// Leaving a pending row of an administration list: its error is shown, and a named row (a group) left without a
// name is dropped.
#pragma once

#include <QString>

class TDataSet;

namespace admin {

// When the dataset is inserting or editing: a name that is null or blank is taken as the user's change of mind and
// the pending row is cancelled without a word; otherwise the row is posted, and when that fails its error is shown
// and the answer is false (the row stays pending). True in every other case.
bool PostNamedRowEdits(TDataSet& dataSet, const QString& nameField);
// Posts the dataset when it is inserting or editing; when that fails its error is shown and the answer is false.
bool PostRowEdits(TDataSet& dataSet);

}  // namespace admin
