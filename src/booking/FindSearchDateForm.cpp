// The "Go to Date" dialog.
#include "booking/FindSearchDateForm.h"

#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwFormClasses.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Keys.h"

TSearchDateForm::TSearchDateForm(QWidget* owner) : TForm(owner) {
    controls::RegisterEditFormClasses();
    ui::DescribeForm(
        *this, {"SearchDateForm", "Go to Date", bsDialog, poScreenCenter, 232, 84},
        {
            // name        class                 parent left top width height caption  properties
            {"DatePicker", "TwwDBDateTimePicker", "", 12, 12, 208, 23},
            {"OkButton", "TButton", "", 52, 48, 80, 25, "Ok", "Default=True; ModalResult=mrOk"},
            {"CancelButton", "TButton", "", 140, 48, 80, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
        });
    DatePicker = Find<TwwDBDateTimePicker>("DatePicker");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");
    DatePicker->SetUnboundDataType(wwDTEdtDate);
    DatePicker->SetDate(Date());
    DatePicker->OnKeyDown = [this](QObject*, Word& key, TShiftState) {
        if (key == VK_RETURN) SetModalResult(mrOk);
    };
    OnShow = [this](QObject*) { DatePicker->SetFocus(); };
    Loaded();
}
