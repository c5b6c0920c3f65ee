// The "Email options" and "Print Options" dialogs of the booking window, and the report printer they choose.
#pragma once

#include "booking/BookingOptions.h"
#include "platform/ui/Form.h"

#include <QStringList>
#include <functional>
#include <memory>

class TButton;
class TCheckBox;
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

// The "UDF1" / "UDF2" box shows the custom field's caption, and only when there is one.
void SetUdfBoxCaption(TCheckBox& box, const QString& caption);

}  // namespace booking

class TBookingInfoEmailOptionsForm : public TForm {
public:
    explicit TBookingInfoEmailOptionsForm(QWidget* owner);
    ~TBookingInfoEmailOptionsForm() override;

    // The dialog's own options; the caller copies in before showing and out after OK.
    TEmailBookingOptions& Options() { return *options_; }
    void SetUdf1Caption(const QString& caption);
    void SetUdf2Caption(const QString& caption);

    TCheckBox* ShowBeforeSendingCheckBox;
    TGroupBox* IncludeGroupBox;
    TCheckBox* EmailCheckBox;
    TCheckBox* PhoneCheckBox;
    TCheckBox* AddressCheckBox;
    TCheckBox* DescriptionCheckBox;
    TCheckBox* NotesCheckBox;
    TCheckBox* ReminderCheckBox;
    TCheckBox* ResourceNotesCheckBox;
    TCheckBox* ResourceFeaturesCheckBox;
    TCheckBox* Udf1CheckBox;
    TCheckBox* Udf2CheckBox;
    TButton* OkButton;
    TButton* CancelButton;

private:
    void FormShow();
    void OkButtonClick();

    std::unique_ptr<TEmailBookingOptions> options_;
};

class TBookingInfoPrintOptionsForm : public TForm {
public:
    TBookingInfoPrintOptionsForm(QWidget* owner, booking::ReportPrinterHooks printers = {});
    ~TBookingInfoPrintOptionsForm() override;

    // Edited in place; the caller keeps it alive while the dialog shows.
    TPrintBookingOptions* PrintOptions = nullptr;
    void SetUdf1Caption(const QString& caption);
    void SetUdf2Caption(const QString& caption);
    void SetPrinterNames(const QStringList& names);
    void SetPrinterName(const QString& name);
    QString GetPrinterName() const;
    // Copies the report printer into the dialog's own one.
    void AssignPrinter(TppPrinter& printer);
    // The dialog's own printer; null without the report engine.
    TppPrinter* Printer() const { return printer_.get(); }

    TGroupBox* IncludeGroupBox;
    TCheckBox* EmailCheckBox;
    TCheckBox* PhoneCheckBox;
    TCheckBox* AddressCheckBox;
    TCheckBox* DescriptionCheckBox;
    TCheckBox* NotesCheckBox;
    TCheckBox* ReminderCheckBox;
    TCheckBox* ResourceNotesCheckBox;
    TCheckBox* ResourceFeaturesCheckBox;
    TCheckBox* Udf1CheckBox;
    TCheckBox* Udf2CheckBox;
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
