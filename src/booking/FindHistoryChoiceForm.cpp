// The shared choices of the history search windows: ids, linked dates, OK and Cancel.
#include "booking/FindHistoryChoiceForm.h"

#include "controls/edit/DatePickerPairs.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/grid/WwGridFormClasses.h"
#include "data/module/DataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"

#include <QScopeGuard>

TFindHistoryChoiceForm::TFindHistoryChoiceForm(QWidget* owner, TData& data, const ui::FormFrame& frame,
                                               const std::vector<ui::ControlRow>& rows)
    : TForm(owner), data_(data) {
    controls::RegisterGridFormClasses();
    ui::DescribeForm(*this, frame, rows);
    AllRadioButton = Find<TRadioButton>("AllRadioButton");
    BookingIdRadioButton = Find<TRadioButton>("BookingIdRadioButton");
    BookingIdEdit = Find<TEdit>("BookingIdEdit");
    DatesRadioButton = Find<TRadioButton>("DatesRadioButton");
    FromDatePicker = Find<TwwDBDateTimePicker>("FromDatePicker");
    ToDatePicker = Find<TwwDBDateTimePicker>("ToDatePicker");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");

    AllRadioButton->SetChecked(true);
    settingDates_ = true;
    for (TwwDBDateTimePicker* picker : {FromDatePicker, ToDatePicker}) {
        picker->SetUnboundDataType(wwDTEdtDate);
        picker->SetDate(Date());
    }
    settingDates_ = false;
    CheckOnTyping(*BookingIdEdit, *BookingIdRadioButton);
    FromDatePicker->OnChange = [this](QObject*) { DateChange(true); };
    ToDatePicker->OnChange = [this](QObject*) { DateChange(false); };
    OkButton->OnClick = [this](QObject*) { OkButtonClick(); };
    OnShow = [this](QObject*) { CancelButton->SetFocus(); };
}

void TFindHistoryChoiceForm::CheckOnTyping(TEdit& edit, TRadioButton& radio) {
    edit.OnChange = [&edit, &radio](QObject*) {
        if (!edit.Text().isEmpty()) radio.SetChecked(true);
    };
}

void TFindHistoryChoiceForm::DateChange(bool first) {
    if (settingDates_) return;
    settingDates_ = true;
    const auto done = qScopeGuard([this] { settingDates_ = false; });
    DatesRadioButton->SetChecked(true);
    controls::KeepDatesInOrder(*FromDatePicker, *ToDatePicker, first);
}

bool TFindHistoryChoiceForm::ReadId(const TEdit& edit, const QString& message, int& id) {
    bool ok = false;
    id = edit.Text().trimmed().toInt(&ok);
    if (!ok) MessageDlg(message, mtInformation, {mbOK});
    return ok;
}

int TFindHistoryChoiceForm::GroupOf(int bookingId) const {
    TADOTable& shadow = data_.BookingsShadowTable;
    if (!shadow.Active() || !shadow.Locate(QStringLiteral("BookingId"), bookingId)) return -1;
    const TField& group = shadow.FieldByName(QStringLiteral("GroupBookingId"));
    return group.IsNull() || group.AsInteger() <= 0 ? -1 : static_cast<int>(group.AsInteger());
}
