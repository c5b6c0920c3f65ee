// TExportForm: writes the bookings of the open database, or those starting within a range of dates, to a
// comma-separated file.
#pragma once

#include "platform/db/ADODataSet.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Form.h"

class TButton;
class TCheckBox;
class TData;
class TEdit;
class TRadioButton;
class TSaveDialog;
class TStatusBar;
class TwwDBDateTimePicker;
namespace admin {
class CsvFile;
}

class TExportForm : public TForm {
public:
    // Exports from the data module's connection; both pickers start on the date.
    TExportForm(TData& data, TDateTime date, QWidget* owner = nullptr);

    TRadioButton* EntireDatabaseRadioButton;
    TRadioButton* DurationRadioButton;
    TwwDBDateTimePicker* StartDatePicker;
    TwwDBDateTimePicker* EndDatePicker;
    TEdit* FilenameEdit;
    TButton* BrowseButton;
    TCheckBox* AlwaysDelimitWithDoubleQuoteCheckBox;
    TCheckBox* ShowFieldNamesCheckBox;
    TButton* StartButton;
    TButton* StopButton;
    TButton* ViewButton;
    TButton* CancelButton;
    TStatusBar* StatusBar;
    TSaveDialog* SaveDialog;
    TADOQuery Query;

    bool Running = false;
    int Percent = 0;
    int Count() const { return count_; }

    void ExportBookings();

private:
    void FormShow();
    void FilenameEditChange();
    void StartButtonClick();
    // The Jet statement over the bookings to export, its select list learnt from the Bookings table.
    QString ExportSql();
    void WriteRows(admin::CsvFile& file, const QString& sql, int recordCount);
    void ShowStatus(const QString& text);

    TData& data_;
    int count_ = 0;
    bool settingDates_ = false;
};
