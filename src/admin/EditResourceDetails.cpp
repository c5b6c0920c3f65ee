// The resource editor's details: the limits shown on a row change and written when the user changes them, and the
// picture.
#include "admin/EditResourceForm.h"
#include "admin/EditorWindows.h"
#include "admin/ResourcePicture.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/module/DataModule.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberParse.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Image.h"

#include <QFile>

void TEditResourceForm::DetachLimitHandlers() {
    MaxDaysEdit->OnChange = nullptr;
    for (TRadioButton* button : {AllowAll, AllowDaysAhead, AllowUntil}) button->OnClick = nullptr;
    AllowDaysAheadEdit->OnChange = nullptr;
    AllowUntilDateTimePicker->OnChange = nullptr;
}

void TEditResourceForm::AttachLimitHandlers() {
    MaxDaysEdit->OnChange = [this](QObject*) { MaxDaysEditChange(); };
    for (TRadioButton* button : {AllowAll, AllowDaysAhead, AllowUntil})
        button->OnClick = [this](QObject*) { ABClick(); };
    AllowDaysAheadEdit->OnChange = [this](QObject*) { AllowDaysAheadEditChange(); };
    AllowUntilDateTimePicker->OnChange = [this](QObject*) { AllowUntilDateTimePickerChange(); };
}

void TEditResourceForm::MasterDBGridRowChanged() {
    // Loading the controls must not write into the row.
    DetachLimitHandlers();
    if (!ListMode)
        ResourceDetailsGroupBox->SetCaption(QStringLiteral("Resource ") + Resource("ResourceName").AsString());
    MaxDaysEdit->SetText(Resource("MaxBookDays").AsString());
    // Limits the administrator set for the whole database are shown in place of the resource's own.
    const bool ownLimits = GlobalRestrictMode() == 1;
    AllowBookingsGroupBox->SetCaption(ownLimits ? QStringLiteral("Allow bookings")
                                                : QStringLiteral("Allow bookings (Set by Administrator)"));
    const TDataSet& limits = ownLimits ? static_cast<const TDataSet&>(ResourcesQuery) : data_.GlobalTable;
    AllowDaysAheadEdit->SetText(limits.FieldByName(QStringLiteral("BookingRestrictDaysAhead")).AsString());
    const TField& untilDate = limits.FieldByName(QStringLiteral("BookingRestrictUntilDate"));
    if (!untilDate.IsNull()) AllowUntilDateTimePicker->SetDate(untilDate.AsDateTime());
    switch (limits.FieldByName(QStringLiteral("BookingRestrictMode")).AsInteger()) {
        case 2: AllowDaysAhead->SetChecked(true); break;
        case 3: AllowUntil->SetChecked(true); break;
        default: AllowAll->SetChecked(true); break;
    }
    LoadResourcePicture();
    PlacePicture();
    MaxDaysEdit->Repaint();
    AttachLimitHandlers();
    admin::WidenFirstColumn(*GroupsDBGrid);
}

void TEditResourceForm::EditResourceRow() {
    if (ResourcesQuery.State() == dsBrowse) ResourcesQuery.Edit();
}

void TEditResourceForm::ABClick() {
    EditResourceRow();
    if (AllowDaysAhead->Checked()) {
        Resource("BookingRestrictDaysAhead").SetAsInteger(StrToInt(AllowDaysAheadEdit->Text()));
        Resource("BookingRestrictMode").SetAsInteger(2);
    } else if (AllowUntil->Checked()) {
        Resource("BookingRestrictUntilDate").SetAsDateTime(AllowUntilDateTimePicker->Date());
        Resource("BookingRestrictMode").SetAsInteger(3);
    } else {
        Resource("BookingRestrictMode").SetAsInteger(1);
    }
}

void TEditResourceForm::MaxDaysEditChange() {
    EditResourceRow();
    Resource("MaxBookDays").SetAsInteger(StrToIntDef(MaxDaysEdit->Text(), 0));
    Resource("MaxBookDaysRestrict").SetAsBoolean(true);
}

void TEditResourceForm::AllowDaysAheadEditChange() {
    EditResourceRow();
    TField& daysAhead = Resource("BookingRestrictDaysAhead");
    daysAhead.SetAsInteger(daysAhead.IsNull() ? 0 : StrToInt(AllowDaysAheadEdit->Text()));
    AllowDaysAhead->SetChecked(true);
}

void TEditResourceForm::AllowUntilDateTimePickerChange() {
    EditResourceRow();
    TField& untilDate = Resource("BookingRestrictUntilDate");
    if (!untilDate.IsNull()) untilDate.SetAsDateTime(AllowUntilDateTimePicker->Date());
    AllowUntil->SetChecked(true);
}

void TEditResourceForm::LoadResourcePicture() {
    ResourceImage->Picture().SetGraphic(nullptr);
    if (ResourcesQuery.Active()) admin::LoadResourcePicture(Resource("Image"), *ResourceImage);
}

void TEditResourceForm::PlacePicture() {
    const QRect box =
        admin::PlacePicture(QSize(ImagePanel->ClientWidth(), ImagePanel->ClientHeight()), ImagePanel->Width(),
                            QSize(ResourceImage->Picture().Width(), ResourceImage->Picture().Height()));
    ResourceImage->SetBounds(box.left(), box.top(), box.width(), box.height());
    // Without a picture the panel's "No image" shows.
    ResourceImage->SetVisible(!box.isEmpty());
}

void TEditResourceForm::LoadPictureButtonClick() {
    if (!OpenPictureDialog->Execute()) return;
    QFile file(OpenPictureDialog->FileName());
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(file.fileName(), file.errorString()));
    const QByteArray bytes = file.readAll();
    EditResourceRow();
    // The file's bytes are stored as they are; the picture shows what they decode to.
    Resource("Image").SetValue(bytes);
    LoadResourcePicture();
    PlacePicture();
}

void TEditResourceForm::ClearPictureButtonClick() {
    EditResourceRow();
    Resource("Image").Clear();
    ResourceImage->Picture().SetGraphic(nullptr);
    PlacePicture();
}
