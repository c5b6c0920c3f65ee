// The column size dialog: its choice, its width and the blank-width rule.
#include "app/main/ColumnSizeForm.h"

#include "platform/rtl/Messages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "util/core/DvSysUtils.h"

TColumnSizeForm::TColumnSizeForm(QWidget* owner) : TForm(owner) {
    ui::DescribeForm(
        *this, {"ColumnSizeForm", "Column Size", bsDialog, poScreenCenter, 292, 150},
        {
            // name        class          parent          left top width height caption  properties
            {"ColumnWidthsGroupBox", "TGroupBox", "", 8, 8, 276, 96, "Column Widths"},
            {"AutoSize", "TRadioButton", "ColumnWidthsGroupBox", 12, 24, 250, 21, "Auto Size to fit grid"},
            {"Specified", "TRadioButton", "ColumnWidthsGroupBox", 12, 56, 150, 21, "Specify (pixels)"},
            {"SpecifiedEdit", "TEdit", "ColumnWidthsGroupBox", 168, 55, 60, 23, "100"},
            {"OkButton", "TButton", "", 116, 116, 80, 25, "Ok", "Default=True"},
            {"CancelButton", "TButton", "", 204, 116, 80, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
        });
    AutoSize = Find<TRadioButton>("AutoSize");
    Specified = Find<TRadioButton>("Specified");
    SpecifiedEdit = Find<TEdit>("SpecifiedEdit");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");
    AutoSize->SetChecked(true);
    SpecifiedEdit->OnKeyPress = [this](QObject*, QChar& key) {
        if (IsDigitKey(key)) Specified->SetChecked(true);
        else if (!IsEditCommandKey(key)) key = QChar();
    };
    OkButton->OnClick = [this](QObject*) { OkButtonClick(); };
    Loaded();
}

void TColumnSizeForm::SetColumnSize(int width, bool autoSize) {
    SpecifiedEdit->SetText(QString::number(width));
    Specified->SetChecked(true);
    if (autoSize) AutoSize->SetChecked(true);
}

int TColumnSizeForm::ColumnWidth() const {
    bool ok = false;
    const int width = SpecifiedEdit->Text().toInt(&ok);
    return ok ? width : 0;
}

bool IsSensibleColumnWidth(int width) { return width >= kMinColumnWidth && width <= kMaxColumnWidth; }

QString ColumnWidthRangeMessage() {
    return QStringLiteral("The size of the column must be from %1 to %2 pixels.")
        .arg(kMinColumnWidth)
        .arg(kMaxColumnWidth);
}

void TColumnSizeForm::OkButtonClick() {
    if (Specified->Checked() && SpecifiedEdit->Text().isEmpty()) {
        MessageDlg(QStringLiteral("The size of the column can not be blank"), mtInformation, {mbOK});
        return;
    }
    if (Specified->Checked() && !IsSensibleColumnWidth(ColumnWidth())) {
        MessageDlg(ColumnWidthRangeMessage(), mtInformation, {mbOK});
        SpecifiedEdit->SetFocus();
        SpecifiedEdit->SelectAll();
        return;
    }
    SetModalResult(mrOk);
}
