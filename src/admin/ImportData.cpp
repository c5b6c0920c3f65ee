// The import window: each row of the file checked and stored as a booking made by hand is, all of them staged
// until Ok, and each row's outcome written to the log.
#include "admin/ImportData.h"

#include "admin/CsvParser.h"
#include "data/bookings/BookingBatch.h"
#include "data/bookings/BookingRecord.h"
#include "data/bookings/UDFField.h"
#include "data/bookings/WriteTransaction.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/db/ADOConnection.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/KillPoints.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/NumberParse.h"
#include "platform/sql/EngineError.h"
#include "platform/ui/Application.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Lists.h"
#include "util/DesktopOpen.h"

#include <QApplication>
#include <QDir>
#include <QPainter>

namespace {

// The History code of an imported booking.
constexpr int kHistoryImported = 4;
// Log lines are cut to this many characters.
constexpr int kLogLineLength = 1023;

const char* const kRequiredColumns[] = {"ResourceName", "Client", "BookingStart", "BookingEnd"};

// The log's words for a validation code (Bookings.h).
QString ValidationMessage(int code) {
    switch (code) {
        case 2: return QStringLiteral("Error - Client missing: ");
        case 3: return QStringLiteral("Error - Start dates exceeds end date: ");
        case 4: return QStringLiteral("Error - Start time exceeds end time: ");
        case 5: return QStringLiteral("Error - exceeds max book days for resource: ");
        case 6: return QStringLiteral("Error - resource not found: ");
        case 7: return QStringLiteral("Error - exceeds max global days ahead: ");
        case 8: return QStringLiteral("Error - exceeds global until date: ");
        case 9: return QStringLiteral("Error - exceeds max resource days ahead: ");
        default: return QStringLiteral("Error - exceeds resource until date: ");
    }
}

// A row's values by the header's column names, compared without regard to case and untrimmed.
class ImportColumns {
public:
    ImportColumns(const QStringList& header, const QStringList& fields) : header_(header), fields_(fields) {}

    int Position(const QString& name) const {
        for (int i = 0; i < header_.size(); ++i)
            if (header_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
        return -1;
    }
    bool Has(int position) const { return position >= 0 && position < fields_.size(); }
    QString Value(int position) const { return Has(position) ? fields_[position] : QString(); }
    QString Value(const QString& name) const { return Value(Position(name)); }

private:
    const QStringList& header_;
    const QStringList& fields_;
};

}  // namespace

TImportForm::TImportForm(TData& data, TSQLData& sqlData, QWidget* owner)
    : TForm(owner), data_(data), sqlData_(sqlData) {
    ui::DescribeForm(*this, {"ImportForm", "Import", bsDialog, poScreenCenter, 460, 252},
                     {
                         // name                  class       parent left top width height caption  properties
                         {"DataFileLabel", "TLabel", "", 16, 12, 200, 17, "Import file"},
                         {"DataFilenameEdit", "TEdit", "", 16, 30, 390, 23},
                         {"BrowseDatafileButton", "TButton", "", 412, 30, 30, 23, "..."},
                         {"LogFileLabel", "TLabel", "", 16, 60, 200, 17, "Logfile"},
                         {"LogFilenameEdit", "TEdit", "", 16, 78, 390, 23},
                         {"BrowseLogfileButton", "TButton", "", 412, 78, 30, 23, "..."},
                         {"LogRecords", "TCheckBox", "", 16, 114, 220, 21, "Log successful records"},
                         {"IgnoreFirstLineCheckBox", "TCheckBox", "", 16, 140, 220, 21, "&Ignore first line"},
                         {"DateFormatLabel", "TLabel", "", 262, 112, 180, 17, "Date Format"},
                         {"DateFormatComboBox", "TComboBox", "", 262, 130, 180, 23},
                         {"StartButton", "TButton", "", 16, 182, 78, 25, "Start", "Default=True"},
                         {"StopButton", "TButton", "", 102, 182, 78, 25, "Stop"},
                         {"OkButton", "TButton", "", 188, 182, 78, 25, "Ok"},
                         {"CancelButton", "TButton", "", 274, 182, 78, 25, "Cancel", "Cancel=True"},
                         {"ViewButton", "TButton", "", 364, 182, 78, 25, "View log"},
                         {"StatusBar", "TStatusBar", "", 0, 226, 460, 22, "", "Align=alBottom"},
                     });
    DataFilenameEdit = Find<TEdit>("DataFilenameEdit");
    BrowseDatafileButton = Find<TButton>("BrowseDatafileButton");
    LogFilenameEdit = Find<TEdit>("LogFilenameEdit");
    BrowseLogfileButton = Find<TButton>("BrowseLogfileButton");
    LogRecords = Find<TCheckBox>("LogRecords");
    IgnoreFirstLineCheckBox = Find<TCheckBox>("IgnoreFirstLineCheckBox");
    DateFormatComboBox = Find<TComboBox>("DateFormatComboBox");
    StartButton = Find<TButton>("StartButton");
    StopButton = Find<TButton>("StopButton");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");
    ViewButton = Find<TButton>("ViewButton");
    StatusBar = Find<TStatusBar>("StatusBar");
    OpenDialog = new TOpenDialog(this);
    OpenDialog->setObjectName(QStringLiteral("OpenDialog"));
    OpenDialog->SetFilter(QStringLiteral("CSV or Text File (*.csv;*.txt)|*.csv;*.txt|All Files (*.*)|*.*"));
    OpenDialog->SetOptions(TOpenOptions{ofFileMustExist, ofHideReadOnly, ofEnableSizing});
    SaveDialog = new TSaveDialog(this);
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    SaveDialog->SetFilter(QStringLiteral("Text (*.txt)|*.TXT"));

    LogRecords->SetChecked(true);
    DateFormatComboBox->SetStyle(csDropDown);
    DateFormatComboBox->Items().Add(QStringLiteral("mm/dd/yyyy"));
    DateFormatComboBox->Items().Add(QStringLiteral("dd/mm/yyyy"));
    StatusBar->AddPanel(100, true);
    StatusBar->AddPanel(150);
    StatusBar->OnDrawPanel = [this](TStatusBar&, int, QPainter& painter, const QRect& rect) {
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width() * Percent / 100, rect.height()), Qt::blue);
    };

    DataFilenameEdit->OnChange = [this](QObject*) { StartButton->SetEnabled(!DataFilenameEdit->Text().isEmpty()); };
    BrowseDatafileButton->OnClick = [this](QObject*) {
        if (!OpenDialog->FileName().isEmpty()) OpenDialog->SetFileName(DataFilenameEdit->Text());
        if (OpenDialog->Execute()) DataFilenameEdit->SetText(OpenDialog->FileName());
    };
    BrowseLogfileButton->OnClick = [this](QObject*) {
        SaveDialog->SetFileName(LogFilenameEdit->Text());
        SaveDialog->SetInitialDir(ExtractFileDir(LogFilenameEdit->Text()));
        if (SaveDialog->Execute()) LogFilenameEdit->SetText(SaveDialog->FileName());
    };
    StartButton->OnClick = [this](QObject*) { StartButtonClick(); };
    // The run loop rolls the run back once the row in hand is done.
    StopButton->OnClick = [this](QObject*) { Running = false; };
    OkButton->OnClick = [this](QObject*) { OkButtonClick(); };
    CancelButton->OnClick = [this](QObject*) {
        if (Running) return;
        ui::HourGlass hourGlass;
        RemoveStagedRows();
        Close();
    };
    ViewButton->OnClick = [this](QObject*) { util::CurrentFileViewer().Open(LogFilenameEdit->Text()); };
    OnShow = [this](QObject*) { FormShow(); };
    // Closing other than by Ok takes out what a finished run staged; a failure keeps the window and the rows.
    OnCloseQuery = [this](QObject*, bool& canClose) {
        canClose = !Running;
        if (!canClose) return;
        canClose = false;
        RemoveStagedRows();
        canClose = true;
    };
    OnClose = [this](QObject*, TCloseAction&) { Resources.Clear(); };
    Loaded();
}

TImportForm::~TImportForm() = default;

void TImportForm::FormShow() {
    Percent = 0;
    ImportedCount = ErrorCount = ConflictCount = 0;
    OkButton->SetEnabled(false);
    StopButton->SetEnabled(false);
    StartButton->SetEnabled(!DataFilenameEdit->Text().isEmpty());
    DataFilenameEdit->SetFocus();
    const QString folder = ExtractFilePath(data_.DatabaseFileName);
    OpenDialog->SetInitialDir(ExtractFilePath(ExcludeTrailingPathDelimiter(folder)));
    LogFilenameEdit->SetText(folder + QStringLiteral("Input_log.txt"));
    DateSettings = FormatSettings;
    DateFormatComboBox->SetText(DateSettings.ShortDateFormat);
}

void TImportForm::StartButtonClick() {
    if (data_.CurrentUserId().isEmpty()) return;
    // A run not confirmed by Ok is not kept when another begins.
    RemoveStagedRows();
    DateSettings.ShortDateFormat = DateFormatComboBox->Text();
    // Years of one or two digits fall in the current century.
    DateSettings.TwoDigitYearCenturyWindow = 0;
    Resources.Clear();
    sqlData_.FillResources(Resources);
    Running = true;
    StartButton->SetEnabled(false);
    CancelButton->SetEnabled(false);
    StopButton->SetEnabled(true);
    const auto finish = [this] {
        StartButton->SetEnabled(true);
        CancelButton->SetEnabled(true);
        StopButton->SetEnabled(false);
        Running = false;
    };
    try {
        RunImport();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TImportForm::ShowStatus(const QString& text) {
    StatusBar->SetPanelText(1, text);
    StatusBar->repaint();
}

void TImportForm::ShowTotals() {
    ShowStatus(QStringLiteral("Records imported %1   Errors %2   Conflicts %3")
                   .arg(ImportedCount)
                   .arg(ErrorCount)
                   .arg(ConflictCount));
}

void TImportForm::WriteLogLine(const QString& text) {
    const QByteArray bytes = (text.left(kLogLineLength) + QStringLiteral("\r\n")).toUtf8();
    if (log_.write(bytes) != bytes.size())
        throw Exception(QStringLiteral("Could not write the log file \"%1\": %2")
                            .arg(QDir::toNativeSeparators(log_.fileName()), log_.errorString()));
}

void TImportForm::RunImport() {
    Percent = 0;
    ImportedCount = ErrorCount = ConflictCount = 0;
    OkButton->SetEnabled(false);
    TwpsCsvParser parser;
    const QString dataFile = DataFilenameEdit->Text();
    if (!parser.OpenFile(dataFile)) {
        MessageDlg(QStringLiteral("Could not open data file \r\r") + dataFile +
                       QStringLiteral("\r\rCheck if another program has the file openand close it."),
                   mtError, {mbOK});
        return;
    }
    const QString logFile = LogFilenameEdit->Text();
    if (FileExists(logFile) &&
        MessageDlg(QStringLiteral("Overwrite ") + logFile, mtConfirmation, {mbOK, mbCancel}) != mrOk)
        return;
    log_.setFileName(logFile);
    if (!log_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        MessageDlg(QStringLiteral("Could not create log file \"%1\"").arg(logFile), mtError, {mbOK});
        return;
    }
    CsvGroupIds.clear();
    NewGroupIds.clear();
    ShowStatus(QStringLiteral("0%"));
    try {
        ImportRows(parser);
    } catch (...) {
        log_.close();
        ShowTotals();
        throw;
    }
    log_.close();
    if (Running) {
        ShowTotals();
    } else {
        ShowStatus(QStringLiteral(" Processing cancelled by user."));
    }
}

void TImportForm::ImportRows(TwpsCsvParser& parser) {
    parser.SkipFirstLine = IgnoreFirstLineCheckBox->Checked();
    parser.SetDelimiterMode(0);
    const qint64 size = parser.GetSize();
    if (parser.ReadNextRecord()) HeaderFields = parser.Fields;
    else HeaderFields.clear();
    QStringList missing;
    const ImportColumns header(HeaderFields, HeaderFields);
    for (const char* name : kRequiredColumns)
        if (header.Position(QLatin1String(name)) < 0) missing << QLatin1String(name);
    if (!missing.isEmpty()) {
        const QString list = missing.join(QLatin1String(", "));
        WriteLogLine(QStringLiteral("Error - required fields not found: ") + list);
        MessageDlg(QStringLiteral("The import file does not have the required fields specified on the first line of "
                                  "the file. Missing Fields: ") +
                       list,
                   mtError, {mbOK});
        QApplication::beep();
        OkButton->SetEnabled(Running);
        return;
    }
    // The whole run is one write transaction: a Stop, a failure or a crash before its end leaves nothing of it.
    std::unique_ptr<data::BookingBatch> batch = data_.BeginBookingBatch(kHistoryImported);
    running_.clear();
    while (Running && parser.ReadNextRecord()) {
        const int percent = size > 0 ? static_cast<int>(parser.GetPosition() * 100 / size) : 100;
        if (percent != Percent) {
            Percent = percent;
            ShowStatus(QString::number(Percent) + u'%');
        }
        switch (ImportRow(parser, *batch)) {
            case kImportAdded: ++ImportedCount; break;
            case kImportConflict: ++ConflictCount; break;
            default: ++ErrorCount;
        }
        rtl::KillPoint("import-row");
        Application->ProcessMessages();
        StatusBar->repaint();
    }
    QApplication::beep();
    Percent = 100;
    if (!Running) {
        // Rolled back before the message, so that others need not wait for the user to read it.
        batch.reset();
        MessageDlg(QStringLiteral("Processing cancelled by user"), mtInformation, {mbOK});
        return;
    }
    batch->Commit();
    staged_ = running_;
    OkButton->SetEnabled(true);
}

int TImportForm::ImportRow(TwpsCsvParser& parser, data::BookingBatch& batch) {
    const QString& line = parser.Line;
    const ImportColumns row(HeaderFields, parser.Fields);
    const auto refuse = [this, &line](const QString& message) {
        WriteLogLine(message + line);
        return kImportRefused;
    };
    const int resourceColumn = row.Position(QStringLiteral("ResourceName"));
    if (resourceColumn < 0) return refuse(QStringLiteral("Error - resource name column not found in CSV file: "));
    const QString resourceName = row.Value(resourceColumn);
    const int resource = Resources.IndexOfName(resourceName);
    if (resource < 0)
        return refuse(QStringLiteral("Error - resource ") + resourceName + QStringLiteral(" does not exist: "));
    int group = 0;
    const int groupColumn = row.Position(QStringLiteral("GroupBookingId"));
    if (const QString text = row.Value(groupColumn); !text.isEmpty() && !TryStrToInt(text, group))
        return refuse(QStringLiteral("Error - Field %1 is not an integer: ").arg(groupColumn + 1));
    TDateTime times[2] = {0, 0};
    const char* const timeColumns[2] = {"BookingStart", "BookingEnd"};
    for (int i = 0; i < 2; ++i) {
        const QString name = QLatin1String(timeColumns[i]);
        const int column = row.Position(name);
        if (!row.Has(column)) return refuse(QStringLiteral("Error - ") + name + QStringLiteral(" was not found: "));
        if (!TryStrToDateTime(row.Value(column), times[i], DateSettings))
            return refuse(QStringLiteral("Error - Field %1 is not a valid date time: ").arg(column + 1));
    }

    const std::unique_ptr<TBookingRecord> booking = data_.NewBookingRecord(data_.BookingsTable);
    booking->ResourceId = Resources.GetItem(resource)->ResourceId;
    booking->StartDate = DateOf(times[0]);
    booking->StartTime = TimeOf(times[0]);
    booking->EndDate = DateOf(times[1]);
    booking->EndTime = TimeOf(times[1]);
    booking->Client = row.Value(QStringLiteral("Client"));
    booking->Address = row.Value(QStringLiteral("Address"));
    booking->Phone = row.Value(QStringLiteral("Phone"));
    booking->Email = row.Value(QStringLiteral("Email"));
    booking->Description = row.Value(QStringLiteral("Description"));
    booking->Notes = row.Value(QStringLiteral("Notes"));
    booking->Reminder = row.Value(QStringLiteral("Reminder"));
    // The owner is the row's own when it names one (an exported file keeps its owners), else the importing user,
    // as for a booking made by hand; the History row names the importing user either way.
    booking->Owner = row.Value(QStringLiteral("Owner"));
    if (booking->Owner.isEmpty()) booking->Owner = data_.CurrentUserId();
    for (TUDFField* custom : {booking->Udf1.get(), booking->Udf2.get()}) {
        if (!custom) continue;
        const QString value = row.Value(custom->Caption);
        custom->Value = value.isEmpty() ? QVariant() : QVariant(value);
    }
    // The first row of a group that is stored heads it; the group's later rows point to that booking.
    const qsizetype groupIndex = group > 0 ? CsvGroupIds.indexOf(group) : -1;
    if (groupIndex >= 0) booking->GroupBookingId = NewGroupIds[groupIndex];
    const bool groupHead = group > 0 && groupIndex < 0;

    data::BatchOutcome outcome;
    try {
        // A savepoint: a row that fails part-way leaves neither its booking nor its History row.
        data::WriteTransaction rowWrite(data_.ADOConnection);
        outcome = batch.Add(*booking, groupHead);
        rowWrite.Commit();
    } catch (const EFileError&) {
        throw;
    } catch (const Exception&) {
        // A value the table refuses (a text longer than its column) is this row's alone.
        if (!data_.ADOConnection.InTransaction()) throw;
        return refuse(QStringLiteral("Error - unknown error during Post: "));
    }
    if (outcome.Validation != kBookingValid) return refuse(ValidationMessage(outcome.Validation));
    if (outcome.Conflicts.Status == kConflictFound) {
        data_.LastConflictId = outcome.Conflicts.Ids[outcome.Conflicts.Ids[0]];
        WriteLogLine(QStringLiteral("Conflict with %1: ").arg(data_.LastConflictId) + line);
        return kImportConflict;
    }
    if (outcome.BookingId == 0)
        return refuse(QStringLiteral("Error - unknown error with %1: ").arg(data_.LastConflictId));
    if (groupHead) {
        CsvGroupIds << group;
        NewGroupIds << outcome.BookingId;
    }
    running_ << outcome.BookingId;
    if (LogRecords->Checked()) WriteLogLine(QStringLiteral("Added: ") + line);
    return kImportAdded;
}

void TImportForm::OkButtonClick() {
    // A failure (a full disk) is shown by the caller; the rows stay staged and the window open.
    data::BookingBatch::CommitStaged(data_.ADOConnection, staged_);
    staged_.clear();
    SetModalResult(mrOk);
}

void TImportForm::RemoveStagedRows() {
    if (staged_.isEmpty()) return;
    data::BookingBatch::RemoveStaged(data_.ADOConnection, staged_);
    staged_.clear();
}
