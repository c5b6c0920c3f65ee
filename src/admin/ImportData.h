// TImportForm: adds the bookings of a comma-separated file to the open database, staged until the user confirms.
#pragma once

#include "data/bookings/ResourceList.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/ui/Form.h"

#include <QFile>
#include <QList>
#include <QStringList>

class TButton;
class TCheckBox;
class TComboBox;
class TData;
class TEdit;
class TOpenDialog;
class TSaveDialog;
class TSQLData;
class TStatusBar;
class TwpsCsvParser;
namespace data {
class BookingBatch;
}

// ImportRow's answers.
enum : int { kImportAdded = 1, kImportConflict = 3, kImportRefused = 8 };

class TImportForm : public TForm {
public:
    TImportForm(TData& data, TSQLData& sqlData, QWidget* owner = nullptr);
    ~TImportForm() override;

    TEdit* DataFilenameEdit;
    TButton* BrowseDatafileButton;
    TEdit* LogFilenameEdit;
    TButton* BrowseLogfileButton;
    TCheckBox* LogRecords;
    TCheckBox* IgnoreFirstLineCheckBox;
    TComboBox* DateFormatComboBox;
    TButton* StartButton;
    TButton* StopButton;
    TButton* OkButton;
    TButton* CancelButton;
    TButton* ViewButton;
    TStatusBar* StatusBar;
    TOpenDialog* OpenDialog;
    TSaveDialog* SaveDialog;

    bool Running = false;
    int Percent = 0;
    int ImportedCount = 0;
    int ErrorCount = 0;
    int ConflictCount = 0;
    TResourceList Resources;
    QStringList HeaderFields;
    QList<int> CsvGroupIds;
    QList<qint32> NewGroupIds;
    TFormatSettings DateSettings;

private:
    void FormShow();
    void StartButtonClick();
    void RunImport();
    // Reads the header, then every further row into one run that stays staged when it ends unstopped.
    void ImportRows(TwpsCsvParser& parser);
    int ImportRow(TwpsCsvParser& parser, data::BookingBatch& batch);
    void OkButtonClick();
    // Takes out the rows a finished run left staged.
    void RemoveStagedRows();
    void WriteLogLine(const QString& text);
    void ShowStatus(const QString& text);
    void ShowTotals();

    TData& data_;
    TSQLData& sqlData_;
    QFile log_;
    // The bookings of the run in hand, and those of the last finished run, staged until Ok.
    QList<qint32> running_;
    QList<qint32> staged_;
};
