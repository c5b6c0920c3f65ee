// The maintenance dialogs' header rows.
#include "admin/DialogHeader.h"

namespace admin {

std::vector<ui::ControlRow> HeaderRows(int formWidth, const QString& title, const QString& description,
                                       const QString& note, int noteHeight) {
    return {
        {"TopPanel", "TPanel", "", 0, 0, formWidth, 76, "", "Color=clWhite; BevelOuter=bvNone"},
        {"TitleLabel", "TLabel", "TopPanel", 16, 8, formWidth - 32, 22, title, "AutoSize=False; Font.Style=fsBold"},
        {"DescriptionLabel", "TLabel", "TopPanel", 32, 32, formWidth - 48, 40, description,
         "AutoSize=False; WordWrap=True"},
        {"InfoMemo", "TMemo", "", 16, 84, formWidth - 32, noteHeight, note,
         "ReadOnly=True; TabStop=False; Color=clBtnFace; BorderStyle=bsNone"},
    };
}

}  // namespace admin
