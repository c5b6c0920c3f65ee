// The database check window: the connection it needs, the log's frame, the pacing of a run and the reopen at close.
#include "admin/CheckDatabaseForm.h"

#include "admin/DatabaseCheck.h"
#include "data/module/ConnectionInfo.h"
#include "data/module/DataModule.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/Application.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "util/DesktopOpen.h"
#include "util/core/DvSysUtils.h"

#include <QApplication>
#include <QFileInfo>

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

QString DayAndTime(TDateTime value) {
    return FormatDateTime(QStringLiteral("mmm d yyyy"), value) + QStringLiteral(" at ") +
           FormatDateTime(QStringLiteral("h:mm am/pm"), value);
}

QString YesNo(bool value) { return value ? QStringLiteral("yes") : QStringLiteral("no"); }

}  // namespace

TCheckDatabaseForm::TCheckDatabaseForm(TData& data, QWidget* owner) : TForm(owner), data_(data) {
    std::vector<ui::ControlRow> rows{
        // name        class      parent left top width height caption  properties
        {"OptionsGroupBox", "TGroupBox", "", 8, 4, 544, 48, "Options"},
        {"ShowWarnings", "TCheckBox", "OptionsGroupBox", 12, 20, 200, 20, "Show warnings"},
        {"ResultsGroupBox", "TGroupBox", "", 8, 56, 544, 128, "Results"},
        {"LogfileGroupBox", "TGroupBox", "", 8, 188, 544, 54, "Logfile"},
        {"CheckLogFileEdit", "TEdit", "LogfileGroupBox", 12, 20, 376, 24},
        {"BrowseCheckButton", "TButton", "LogfileGroupBox", 394, 20, 28, 24, "..."},
        {"CheckViewButton", "TButton", "LogfileGroupBox", 432, 20, 100, 25, "View log"},
        {"ProgressGroupBox", "TGroupBox", "", 8, 246, 544, 48, "Progress"},
        {"CheckDatabaseCheckOnlyButton", "TButton", "", 8, 302, 100, 25, "Check Only"},
        {"CheckDatabaseCheckFixButton", "TButton", "", 114, 302, 100, 25, "Check && Fix"},
        {"CheckDatabaseStopButton", "TButton", "", 220, 302, 82, 25, "Stop"},
        {"CloseButton", "TButton", "", 378, 302, 82, 25, "Close", "Cancel=True"},
        {"HelpButton", "TButton", "", 470, 302, 82, 25, "Help"},
        {"CheckDatabaseStatusBar", "TStatusBar", "", 0, 336, 560, 19},
        {"WaitPanel", "TPanel", "", 130, 120, 300, 100, "", "Visible=False"},
    };
    const struct {
        const char* edit;
        const char* caption;
    } results[] = {
        {"CheckDatabaseCountEdit", "Booking Records"},
        {"CheckDatabaseHistoryEdit", "History Records"},
        {"CheckDatabaseErrorsEdit", "Errors"},
        {"CheckDatabaseWarningEdit", "Warnings"},
        {"CheckDatabaseBookingTransactionEdit", "Booking Transactions"},
        {"CheckDatabaseHistoryTransactionEdit", "History Transactions"},
        {"OldestBookingEdit", "Oldest Booking"},
        {"FutureBookingEndsEdit", "Future Booking Ends"},
    };
    for (int i = 0; i < 8; ++i) {
        const int left = i < 4 ? 12 : 256;
        const int top = 20 + (i % 4) * 26;
        rows.push_back({QStringLiteral("%1Label").arg(QLatin1String(results[i].edit)), "TLabel", "ResultsGroupBox",
                        left, top + 3, 162, 18, results[i].caption});
        // The right column holds dates as "mmm d yyyy".
        rows.push_back(
            {results[i].edit, "TEdit", "ResultsGroupBox", left + 164, top, i < 4 ? 72 : 112, 22, "", "ReadOnly=True"});
    }
    ui::DescribeForm(
        *this, {"CheckDatabaseForm", "Check and Fix Database Integrity", bsDialog, poScreenCenter, 560, 355}, rows);
    OptionsGroupBox = Find<TGroupBox>("OptionsGroupBox");
    ShowWarnings = Find<TCheckBox>("ShowWarnings");
    ResultsGroupBox = Find<TGroupBox>("ResultsGroupBox");
    CheckDatabaseCountEdit = Find<TEdit>("CheckDatabaseCountEdit");
    CheckDatabaseHistoryEdit = Find<TEdit>("CheckDatabaseHistoryEdit");
    CheckDatabaseErrorsEdit = Find<TEdit>("CheckDatabaseErrorsEdit");
    CheckDatabaseWarningEdit = Find<TEdit>("CheckDatabaseWarningEdit");
    CheckDatabaseBookingTransactionEdit = Find<TEdit>("CheckDatabaseBookingTransactionEdit");
    CheckDatabaseHistoryTransactionEdit = Find<TEdit>("CheckDatabaseHistoryTransactionEdit");
    OldestBookingEdit = Find<TEdit>("OldestBookingEdit");
    FutureBookingEndsEdit = Find<TEdit>("FutureBookingEndsEdit");
    LogfileGroupBox = Find<TGroupBox>("LogfileGroupBox");
    CheckLogFileEdit = Find<TEdit>("CheckLogFileEdit");
    BrowseCheckButton = Find<TButton>("BrowseCheckButton");
    CheckViewButton = Find<TButton>("CheckViewButton");
    ProgressGroupBox = Find<TGroupBox>("ProgressGroupBox");
    CheckDatabaseCheckOnlyButton = Find<TButton>("CheckDatabaseCheckOnlyButton");
    CheckDatabaseCheckFixButton = Find<TButton>("CheckDatabaseCheckFixButton");
    CheckDatabaseStopButton = Find<TButton>("CheckDatabaseStopButton");
    CloseButton = Find<TButton>("CloseButton");
    HelpButton = Find<TButton>("HelpButton");
    CheckDatabaseStatusBar = Find<TStatusBar>("CheckDatabaseStatusBar");
    CheckDatabaseStatusBar->SetSimplePanel(true);
    WaitPanel = Find<TPanel>("WaitPanel");
    CheckProgressBar = new TProgressBar(ProgressGroupBox);
    CheckProgressBar->setGeometry(12, 20, 520, 18);
    CheckDatabaseStopButton->SetEnabled(false);
    SaveDialog = new TSaveDialog(this);
    SaveDialog->SetName(QStringLiteral("SaveDialog"));
    SaveDialog->SetFilter(QStringLiteral("Text (*.txt)|*.TXT"));

    CheckDatabaseCheckOnlyButton->OnClick = [this](QObject*) { CheckDatabaseRecords(false); };
    CheckDatabaseCheckFixButton->OnClick = [this](QObject*) { CheckDatabaseRecords(true); };
    CheckDatabaseStopButton->OnClick = [this](QObject*) { CheckDatabaseStopButtonClick(); };
    BrowseCheckButton->OnClick = [this](QObject*) { BrowseCheckButtonClick(); };
    CheckViewButton->OnClick = [this](QObject*) { CheckViewButtonClick(); };
    CloseButton->OnClick = [this](QObject*) { Close(); };
    HelpButton->OnClick = [this](QObject*) {
        if (ShowHelpTopic) ShowHelpTopic(QStringLiteral("html\\databases\\checking_database.html"));
    };
    OnShow = [this](QObject*) { FormShow(); };
    OnCloseQuery = [this](QObject*, bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this](QObject*, TCloseAction&) { FormClose(); };
    Loaded();
}

void TCheckDatabaseForm::FormShow() {
    Running = false;
    Reconnected = false;
    fileName_ = data_.DatabaseFileName;
    QString folder = QFileInfo(fileName_).absolutePath();
    if (!folder.endsWith(u'/')) folder += u'/';
    CheckLogFileEdit->SetText(folder + QStringLiteral("error_log.txt"));
    ClearResults();
    password_ = data_.DatabasePassword;
    administrator_ = data_.AdministratorMode;
    userId_ = data_.CurrentUserId();
    CheckDatabaseStatusBar->SetSimpleText(QString());
    SetActiveControl(CloseButton);
}

void TCheckDatabaseForm::ClearResults() {
    CheckProgressBar->SetPosition(0);
    for (TEdit* edit : {CheckDatabaseCountEdit, CheckDatabaseHistoryEdit, CheckDatabaseErrorsEdit,
                        CheckDatabaseWarningEdit, CheckDatabaseBookingTransactionEdit,
                        CheckDatabaseHistoryTransactionEdit, OldestBookingEdit, FutureBookingEndsEdit})
        edit->SetText(QString());
}

void TCheckDatabaseForm::SetControlsRunning(bool running) {
    for (TControl* control : std::initializer_list<TControl*>{OptionsGroupBox, ResultsGroupBox, LogfileGroupBox,
                                                              CheckDatabaseCheckFixButton, CheckDatabaseCheckOnlyButton,
                                                              CloseButton, HelpButton})
        control->SetEnabled(!running);
    CheckDatabaseStopButton->SetEnabled(running);
}

void TCheckDatabaseForm::BrowseCheckButtonClick() {
    if (Running) return;
    SaveDialog->SetFileName(CheckLogFileEdit->Text());
    if (SaveDialog->Execute()) CheckLogFileEdit->SetText(SaveDialog->FileName());
}

void TCheckDatabaseForm::CheckViewButtonClick() {
    if (!Running) util::CurrentFileViewer().Open(CheckLogFileEdit->Text());
}

void TCheckDatabaseForm::ShowWait(const QString& text) {
    WaitPanel->SetCaption(text);
    WaitPanel->SetVisible(!text.isEmpty());
    WaitPanel->raise();
    WaitPanel->repaint();
}

bool TCheckDatabaseForm::Connect(bool fix) {
    if ((!fix || Reconnected) && data_.ADOConnection.Connected()) return true;
    data_.DisconnectDatabase();
    ShowWait(fix ? QStringLiteral("Opening database with exclusive access...") : QStringLiteral("Opening database..."));
    try {
        TDatabaseConnectionInfo info;
        info.DataSource = fileName_;
        info.Password = password_;
        data_.ADOConnection.Close();
        data_.ADOConnection.ConnectionString = info.GetConnectionString(fix);
        data_.ADOConnection.Open();
        for (TADOTable* table : {&data_.BookingsTable, &data_.BookingsShadowTable, &data_.HistoryTable,
                                 &data_.ResourceShadowTable, &data_.GlobalTable})
            table->Open();
        Reconnected = true;
    } catch (const std::exception&) {
        data_.ADOConnection.Close();
        ShowWait(QString());
        MessageDlg(QStringLiteral("Could not get exclusive access to database."), mtError, {mbOK});
        return false;
    }
    ShowWait(QString());
    return true;
}

bool TCheckDatabaseForm::OpenLog(TCheckLog& log) {
    const QString name = CheckLogFileEdit->Text();
    if (QFileInfo::exists(name) &&
        MessageDlg(QStringLiteral("Overwrite ") + name, mtConfirmation, {mbOK, mbCancel}) != mrOk)
        return false;
    if (log.Create(name)) return true;
    MessageDlg(QStringLiteral("Could not create log file \"") + name + u'"', mtError, {mbOK});
    return false;
}

void TCheckDatabaseForm::CheckDatabaseRecords(bool fix) {
    if (!Connect(fix)) return;
    TCheckLog log;
    if (!OpenLog(log)) return;
    log.Write(QStringLiteral("Check Database on ") + DayAndTime(Now()) + kLineEnd + kLineEnd +
              QStringLiteral("Fix Database = ") + YesNo(fix) + kLineEnd + QStringLiteral("Show Warnings = ") +
              YesNo(ShowWarnings->Checked()) + kLineEnd + kLineEnd);
    Running = true;
    SetControlsRunning(true);
    try {
        RunPasses(log, fix);
    } catch (const std::exception&) {
        log.Write(kLineEnd + QStringLiteral("*** An error occurred while checking the database ***") + kLineEnd);
        MessageDlg(QStringLiteral("An error occurred while checking the database"), mtError, {mbOK});
    }
    if (!Running) log.Write(kLineEnd + QStringLiteral("*** Processing was cancelled by the user ***") + kLineEnd);
    QApplication::beep();
    CheckDatabaseStatusBar->SetSimpleText(Running ? QStringLiteral("Check Database Complete.")
                                                  : QStringLiteral("Check Database Cancelled."));
    log.Close();
    Running = false;
    SetControlsRunning(false);
}

void TCheckDatabaseForm::RunPasses(TCheckLog& log, bool fix) {
    sql::Connection& connection = data_.ADOConnection.Engine();
    const auto count = [&connection](const QString& table) {
        const auto statement = connection.Prepare(QStringLiteral("SELECT Count(*) FROM ") + table);
        return statement->Step() ? statement->Value(0).toInt() : 0;
    };
    ProgressTotal = 2 * count(QStringLiteral("Bookings")) + count(QStringLiteral("History"));
    ProgressCount = 0;
    ClearResults();
    const bool showWarnings = ShowWarnings->Checked();
    TDatabaseCheck check(data_, log, fix, showWarnings);
    check.Running = [this] { return Running; };
    check.RowDone = [this](const QString& pass, int done, int total) { RowDone(pass, done, total); };
    CheckDatabaseStatusBar->SetSimpleText(QStringLiteral("Checking Booking Transactions..."));
    check.CheckTransactions();
    if (fix) ProgressTotal -= check.Results.BookingTransactions;
    CheckDatabaseStatusBar->SetSimpleText(QStringLiteral("Checking Bookings..."));
    check.CheckBookings();
    if (check.Results.BookingRows == 0 || ProgressTotal < 1) CheckProgressBar->SetPosition(100);
    if (!Running) return;
    check.CheckNextBookingId();
    const TCheckResults& r = check.Results;
    ShowResults(r);
    connection.Execute(QStringLiteral("DELETE FROM NextBookingId"));
    QString summary = kLineEnd + QStringLiteral("Booking Records Processed = %1").arg(r.BookingRows) + kLineEnd +
                      QStringLiteral("History Records Processed = %1").arg(r.HistoryRows) + kLineEnd +
                      QStringLiteral("Errors = %1").arg(r.Errors) + kLineEnd;
    QString description = QStringLiteral("Checked Database. Booking Records (%1) History Records (%2) Errors = (%3)")
                              .arg(r.BookingRows)
                              .arg(r.HistoryRows)
                              .arg(r.Errors);
    if (showWarnings) {
        summary += QStringLiteral("Warnings = %1").arg(r.Warnings) + kLineEnd;
        description += QStringLiteral(" Warnings (%1)").arg(r.Warnings);
    }
    if (fix) {
        summary += QStringLiteral("Booking Transaction Records Deleted = %1").arg(r.BookingTransactions) + kLineEnd +
                   QStringLiteral("History Transaction Records Deleted = %1").arg(r.HistoryTransactions) + kLineEnd;
        description += QStringLiteral(" Booking Transactions Deleted (%1) History Transactions Deleted (%2)")
                           .arg(r.BookingTransactions)
                           .arg(r.HistoryTransactions);
    }
    log.Write(summary);
    data_.AddHistory(-1, -1, 11, userId_, description);
    log.Write(kLineEnd + QStringLiteral("Check Database completed on ") + DayAndTime(Now()) + kLineEnd + kLineEnd);
}

void TCheckDatabaseForm::ShowResults(const TCheckResults& r) {
    CheckDatabaseCountEdit->SetText(QString::number(r.BookingRows));
    CheckDatabaseHistoryEdit->SetText(QString::number(r.HistoryRows));
    CheckDatabaseErrorsEdit->SetText(QString::number(r.Errors));
    CheckDatabaseWarningEdit->SetText(ShowWarnings->Checked() ? QString::number(r.Warnings) : QStringLiteral("-"));
    CheckDatabaseBookingTransactionEdit->SetText(QString::number(r.BookingTransactions));
    CheckDatabaseHistoryTransactionEdit->SetText(QString::number(r.HistoryTransactions));
    // The earliest start of all bookings, not the first resource's: the index runs by resource first.
    const auto oldest = data_.ADOConnection.Engine().Prepare(QStringLiteral("SELECT Min(BookingStart) FROM Bookings"));
    if (!oldest->Step() || oldest->Value(0).isNull()) return;
    OldestBookingEdit->SetText(FormatDateTime(QStringLiteral("mmm d yyyy"), oldest->Value(0).toDouble()));
    FutureBookingEndsEdit->SetText(FormatDateTime(QStringLiteral("mmm d yyyy"), r.LatestEnd));
}

void TCheckDatabaseForm::RowDone(const QString& pass, int done, int total) {
    ++ProgressCount;
    if (ProgressTotal > 0) CheckProgressBar->SetPosition(ProgressCount * 100 / ProgressTotal);
    if (HasIntervalElapsed(lastStatus_, 1000)) {
        lastStatus_ = DateTimeToTimeStamp(Now());
        CheckDatabaseStatusBar->SetSimpleText(pass + QStringLiteral(" (%1%)").arg(total > 0 ? done * 100 / total : 0));
    }
    if (AfterRow) AfterRow();
    if (++rowsSinceMessages_ < 10) return;
    rowsSinceMessages_ = 0;
    Application->ProcessMessages();
    CheckProgressBar->repaint();
}

void TCheckDatabaseForm::FormClose() {
    if (!Reconnected && data_.ADOConnection.Connected()) return;
    ShowWait(QStringLiteral("Opening database in multi-user mode..."));
    {
        const rtl::HourGlass hourGlass;
        data_.ConnectDatabase(fileName_, password_);
    }
    ShowWait(QString());
    data_.AdministratorMode = administrator_;
    Reconnected = false;
}
