// The e-mail and print options dialogs: their descriptions, and the boxes copied to and from the options.
#include "booking/BookingOptionsForms.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Lists.h"

namespace {

// The "Include" group both dialogs share, its boxes in two columns below the given top.
std::vector<ui::ControlRow> IncludeRows(int top) {
    return {
        // name                    class        parent             left top  width height caption
        {"IncludeGroupBox", "TGroupBox", "", 16, top, 368, 158, "Include"},
        {"EmailCheckBox", "TCheckBox", "IncludeGroupBox", 16, 24, 160, 21, "Email"},
        {"PhoneCheckBox", "TCheckBox", "IncludeGroupBox", 16, 50, 160, 21, "Phone"},
        {"AddressCheckBox", "TCheckBox", "IncludeGroupBox", 16, 76, 160, 21, "Address"},
        {"DescriptionCheckBox", "TCheckBox", "IncludeGroupBox", 16, 102, 160, 21, "Description"},
        {"NotesCheckBox", "TCheckBox", "IncludeGroupBox", 16, 128, 160, 21, "Notes"},
        {"ReminderCheckBox", "TCheckBox", "IncludeGroupBox", 190, 24, 166, 21, "Reminder"},
        {"ResourceNotesCheckBox", "TCheckBox", "IncludeGroupBox", 190, 50, 166, 21, "Resource Notes"},
        {"ResourceFeaturesCheckBox", "TCheckBox", "IncludeGroupBox", 190, 76, 166, 21, "Resource Features"},
        {"Udf1CheckBox", "TCheckBox", "IncludeGroupBox", 190, 102, 166, 21, "UDF1"},
        {"Udf2CheckBox", "TCheckBox", "IncludeGroupBox", 190, 128, 166, 21, "UDF2"},
    };
}

std::vector<ui::ControlRow> ButtonRows(int top) {
    return {
        {"OkButton", "TButton", "", 118, top, 80, 25, "OK", "Default=True"},
        {"CancelButton", "TButton", "", 206, top, 80, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
    };
}

template <class Rows>
Rows Joined(Rows first, const Rows& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

}  // namespace

namespace booking {

void IncludeBoxes::FindIncludeBoxes(TForm& form) {
    IncludeGroupBox = form.Find<TGroupBox>("IncludeGroupBox");
    EmailCheckBox = form.Find<TCheckBox>("EmailCheckBox");
    PhoneCheckBox = form.Find<TCheckBox>("PhoneCheckBox");
    AddressCheckBox = form.Find<TCheckBox>("AddressCheckBox");
    DescriptionCheckBox = form.Find<TCheckBox>("DescriptionCheckBox");
    NotesCheckBox = form.Find<TCheckBox>("NotesCheckBox");
    ReminderCheckBox = form.Find<TCheckBox>("ReminderCheckBox");
    ResourceNotesCheckBox = form.Find<TCheckBox>("ResourceNotesCheckBox");
    ResourceFeaturesCheckBox = form.Find<TCheckBox>("ResourceFeaturesCheckBox");
    Udf1CheckBox = form.Find<TCheckBox>("Udf1CheckBox");
    Udf2CheckBox = form.Find<TCheckBox>("Udf2CheckBox");
}

namespace {

void SetUdfBoxCaption(TCheckBox& box, const QString& caption) {
    box.SetCaption(caption);
    box.SetVisible(!caption.isEmpty());
}

}  // namespace

void IncludeBoxes::SetUdf1Caption(const QString& caption) { SetUdfBoxCaption(*Udf1CheckBox, caption); }

void IncludeBoxes::SetUdf2Caption(const QString& caption) { SetUdfBoxCaption(*Udf2CheckBox, caption); }

}  // namespace booking

TBookingInfoEmailOptionsForm::TBookingInfoEmailOptionsForm(QWidget* owner)
    : TForm(owner), options_(std::make_unique<TEmailBookingOptions>()) {
    ui::DescribeForm(*this, {"BookingInfoEmailOptionsForm", "Email options", bsDialog, poScreenCenter, 400, 250},
                     Joined(Joined(std::vector<ui::ControlRow>{{"ShowBeforeSendingCheckBox", "TCheckBox", "", 16, 12,
                                                                250, 21, "Show before sending"}},
                                   IncludeRows(42)),
                            ButtonRows(212)));
    ShowBeforeSendingCheckBox = Find<TCheckBox>("ShowBeforeSendingCheckBox");
    FindIncludeBoxes(*this);
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");
    OnShow = [this](QObject*) { FormShow(); };
    OkButton->OnClick = [this](QObject*) { OkButtonClick(); };
    Loaded();
}

TBookingInfoEmailOptionsForm::~TBookingInfoEmailOptionsForm() = default;

void TBookingInfoEmailOptionsForm::FormShow() {
    const TEmailBookingOptions& o = *options_;
    ShowBeforeSendingCheckBox->SetChecked(o.ShowBeforeSending);
    EmailCheckBox->SetChecked(o.InclEmail);
    AddressCheckBox->SetChecked(o.InclAddress);
    ShowIncluded(o);
}

void TBookingInfoEmailOptionsForm::OkButtonClick() {
    TEmailBookingOptions& o = *options_;
    o.ShowBeforeSending = ShowBeforeSendingCheckBox->Checked();
    o.InclEmail = EmailCheckBox->Checked();
    o.InclAddress = AddressCheckBox->Checked();
    TakeIncluded(o);
    SetModalResult(mrOk);
}

TBookingInfoPrintOptionsForm::TBookingInfoPrintOptionsForm(QWidget* owner, booking::ReportPrinterHooks printers)
    : TForm(owner), printers_(std::move(printers)) {
    ui::DescribeForm(
        *this, {"BookingInfoPrintOptionsForm", "Print Options", bsDialog, poScreenCenter, 400, 350},
        Joined(Joined(IncludeRows(12),
                      {
                          {"OptionsGroupBox", "TGroupBox", "", 16, 180, 368, 56, "Options"},
                          {"NewPageCheckBox", "TCheckBox", "OptionsGroupBox", 16, 24, 200, 21, "New page per booking"},
                          {"KeepTogetherCheckBox", "TCheckBox", "OptionsGroupBox", 226, 24, 134, 21, "Keep together"},
                          {"PrinterGroupBox", "TGroupBox", "", 16, 246, 368, 58, "Printer"},
                          {"PrinterComboBox", "TComboBox", "PrinterGroupBox", 16, 24, 246, 23},
                          {"SetupButton", "TButton", "PrinterGroupBox", 272, 23, 82, 25, "Setup..."},
                      }),
               ButtonRows(314)));
    FindIncludeBoxes(*this);
    OptionsGroupBox = Find<TGroupBox>("OptionsGroupBox");
    NewPageCheckBox = Find<TCheckBox>("NewPageCheckBox");
    KeepTogetherCheckBox = Find<TCheckBox>("KeepTogetherCheckBox");
    PrinterGroupBox = Find<TGroupBox>("PrinterGroupBox");
    PrinterComboBox = Find<TComboBox>("PrinterComboBox");
    SetupButton = Find<TButton>("SetupButton");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");

    PrinterComboBox->SetStyle(csDropDownList);
    if (printers_.CreatePrinter) printer_ = printers_.CreatePrinter();
    PrinterComboBox->SetEnabled(printer_ != nullptr);
    SetupButton->SetEnabled(printer_ && printers_.PrintSetupDialog);

    OnShow = [this](QObject*) { FormShow(); };
    OkButton->OnClick = [this](QObject*) { OkButtonClick(); };
    // The two page options exclude each other.
    NewPageCheckBox->OnClick = [this](QObject*) {
        if (NewPageCheckBox->Checked()) KeepTogetherCheckBox->SetChecked(false);
    };
    KeepTogetherCheckBox->OnClick = [this](QObject*) {
        if (KeepTogetherCheckBox->Checked()) NewPageCheckBox->SetChecked(false);
    };
    PrinterComboBox->OnChange = [this](QObject*) { PrinterComboBoxChange(); };
    SetupButton->OnClick = [this](QObject*) { SetupButtonClick(); };
    Loaded();
}

TBookingInfoPrintOptionsForm::~TBookingInfoPrintOptionsForm() = default;

void TBookingInfoPrintOptionsForm::SetPrinterNames(const QStringList& names) {
    PrinterComboBox->Items().Clear();
    for (const QString& name : names) PrinterComboBox->Items().Add(name);
}

void TBookingInfoPrintOptionsForm::SetPrinterName(const QString& name) {
    PrinterComboBox->SetItemIndex(PrinterComboBox->Items().IndexOf(name));
}

QString TBookingInfoPrintOptionsForm::GetPrinterName() const { return PrinterComboBox->Text(); }

void TBookingInfoPrintOptionsForm::AssignPrinter(TppPrinter& printer) {
    if (printer_ && printers_.CopyReportPrinter) printers_.CopyReportPrinter(printer, *printer_);
}

void TBookingInfoPrintOptionsForm::FormShow() {
    if (!PrintOptions) return;
    const TPrintBookingOptions& o = *PrintOptions;
    ShowIncluded(o);
    // Set without the exclusion, so that stored options show as they are.
    const auto newPageClick = std::exchange(NewPageCheckBox->OnClick, nullptr);
    const auto keepClick = std::exchange(KeepTogetherCheckBox->OnClick, nullptr);
    NewPageCheckBox->SetChecked(o.NewPage);
    KeepTogetherCheckBox->SetChecked(o.KeepTogether);
    NewPageCheckBox->OnClick = newPageClick;
    KeepTogetherCheckBox->OnClick = keepClick;
}

void TBookingInfoPrintOptionsForm::OkButtonClick() {
    if (PrintOptions) {
        TPrintBookingOptions& o = *PrintOptions;
        TakeIncluded(o);
        o.NewPage = NewPageCheckBox->Checked();
        o.KeepTogether = KeepTogetherCheckBox->Checked();
    }
    SetModalResult(mrOk);
}

void TBookingInfoPrintOptionsForm::PrinterComboBoxChange() {
    if (printer_ && printers_.SetPrinterName) printers_.SetPrinterName(*printer_, PrinterComboBox->Text());
}

void TBookingInfoPrintOptionsForm::SetupButtonClick() {
    if (!printer_ || !printers_.PrintSetupDialog || !printers_.PrintSetupDialog(*printer_)) return;
    if (printers_.GetPrinterName) SetPrinterName(printers_.GetPrinterName(*printer_));
}
