// The "Email options" and "Print Options" dialogs of the booking window, and the report printer they choose.
#pragma once

#include "booking/BookingOptions.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Form.h"

#include <QStringList>
#include <functional>
#include <memory>

class TComboBox;
class TGroupBox;
class TppPrinter;

namespace booking {

// The report engine's printer object as the print options use it; the engine fills these when it lands. While
// CreatePrinter is empty the dialog has no printer of its own and its printer choice is off.
struct ReportPrinterHooks {
    // A printer made with its plain constructor.
    std::function<std::shared_ptr<TppPrinter>()> CreatePrinter;
    // TppPrinterSetup.GetPrinterNames of the printer's setup.
    std::function<QStringList(TppPrinter& printer)> GetPrinterNames;
    // The printer name of the printer's setup.
    std::function<QString(TppPrinter& printer)> GetPrinterName;
    // TppCustomPrinter.SetPrinterName.
    std::function<void(TppPrinter& printer, const QString& name)> SetPrinterName;
    // CopyReportPrinter: the selected printer and its device settings.
    std::function<void(TppPrinter& source, TppPrinter& target)> CopyReportPrinter;
    // TPrintSetupDialog on the printer; true on OK.
    std::function<bool(TppPrinter& printer)> PrintSetupDialog;
};

// The "Include" group both option dialogs show, and the options both have.
struct IncludeBoxes {
    TGroupBox* IncludeGroupBox = nullptr;
    TCheckBox* EmailCheckBox = nullptr;
    TCheckBox* PhoneCheckBox = nullptr;
    TCheckBox* AddressCheckBox = nullptr;
    TCheckBox* DescriptionCheckBox = nullptr;
    TCheckBox* NotesCheckBox = nullptr;
    TCheckBox* ReminderCheckBox = nullptr;
    TCheckBox* ResourceNotesCheckBox = nullptr;
    TCheckBox* ResourceFeaturesCheckBox = nullptr;
    TCheckBox* Udf1CheckBox = nullptr;
    TCheckBox* Udf2CheckBox = nullptr;

    void FindIncludeBoxes(TForm& form);
    // The "UDF1" / "UDF2" box shows the custom field's caption, and only when there is one.
    void SetUdf1Caption(const QString& caption);
    void SetUdf2Caption(const QString& caption);
    // The boxes of the options both dialogs bind.
    template <class Options>
    void ShowIncluded(const Options& o);
    template <class Options>
    void TakeIncluded(Options& o) const;
};

template <class Options>
void IncludeBoxes::ShowIncluded(const Options& o) {
    PhoneCheckBox->SetChecked(o.InclPhone);
    DescriptionCheckBox->SetChecked(o.InclDescription);
    NotesCheckBox->SetChecked(o.InclNotes);
    ReminderCheckBox->SetChecked(o.InclReminder);
    ResourceNotesCheckBox->SetChecked(o.InclResourceNotes);
    ResourceFeaturesCheckBox->SetChecked(o.InclResourceFeatures);
    Udf1CheckBox->SetChecked(o.InclUDF1);
    Udf2CheckBox->SetChecked(o.InclUDF2);
}

template <class Options>
void IncludeBoxes::TakeIncluded(Options& o) const {
    o.InclPhone = PhoneCheckBox->Checked();
    o.InclDescription = DescriptionCheckBox->Checked();
    o.InclNotes = NotesCheckBox->Checked();
    o.InclReminder = ReminderCheckBox->Checked();
    o.InclResourceNotes = ResourceNotesCheckBox->Checked();
    o.InclResourceFeatures = ResourceFeaturesCheckBox->Checked();
    o.InclUDF1 = Udf1CheckBox->Checked();
    o.InclUDF2 = Udf2CheckBox->Checked();
}

}  // namespace booking

class TBookingInfoEmailOptionsForm : public TForm, public booking::IncludeBoxes {
public:
    explicit TBookingInfoEmailOptionsForm(QWidget* owner);
    ~TBookingInfoEmailOptionsForm() override;

    // The dialog's own options; the caller copies in before showing and out after OK.
    TEmailBookingOptions& Options() { return *options_; }

    TCheckBox* ShowBeforeSendingCheckBox;
    TButton* OkButton;
    TButton* CancelButton;

private:
    void FormShow();
    void OkButtonClick();

    std::unique_ptr<TEmailBookingOptions> options_;
};

class TBookingInfoPrintOptionsForm : public TForm, public booking::IncludeBoxes {
public:
    TBookingInfoPrintOptionsForm(QWidget* owner, booking::ReportPrinterHooks printers = {});
    ~TBookingInfoPrintOptionsForm() override;

    // Edited in place; the caller keeps it alive while the dialog shows.
    TPrintBookingOptions* PrintOptions = nullptr;
    void SetPrinterNames(const QStringList& names);
    void SetPrinterName(const QString& name);
    QString GetPrinterName() const;
    // Copies the report printer into the dialog's own one.
    void AssignPrinter(TppPrinter& printer);
    // The dialog's own printer; null without the report engine.
    TppPrinter* Printer() const { return printer_.get(); }

    TGroupBox* OptionsGroupBox;
    TCheckBox* NewPageCheckBox;
    TCheckBox* KeepTogetherCheckBox;
    TGroupBox* PrinterGroupBox;
    TComboBox* PrinterComboBox;
    TButton* SetupButton;
    TButton* OkButton;
    TButton* CancelButton;

private:
    void FormShow();
    void OkButtonClick();
    void PrinterComboBoxChange();
    void SetupButtonClick();

    booking::ReportPrinterHooks printers_;
    std::shared_ptr<TppPrinter> printer_;
};
