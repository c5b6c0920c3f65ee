// The white header of the maintenance dialogs and the read-only note below it, as rows of a form description.
#pragma once

#include "platform/ui/FormDescription.h"

#include <vector>

namespace admin {

// A bold title over a description (two lines' room at larger fonts) across the form's width, then the note as
// a frameless memo that wraps at any font.
std::vector<ui::ControlRow> HeaderRows(int formWidth, const QString& title, const QString& description,
                                       const QString& note, int noteHeight);

}  // namespace admin
