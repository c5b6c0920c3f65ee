// The purge window: its questions, log texts, status and pacing around the two passes.
#include "admin/DeleteAndPurgeForm.h"

#include "admin/BackupRecommendation.h"
#include "admin/Purge.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwFormClasses.h"
#include "data/module/DataModule.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Application.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "util/DesktopOpen.h"
#include "util/core/DvSysUtils.h"

#include <QApplication>

namespace {

constexpr int kDaysKept = 180;
constexpr int kRowsBetweenMessages = 10;
constexpr quint32 kStatusInterval = 1000;
constexpr int kHistoryCodePurged = 10;
const QString kCrLf = QStringLiteral("\r\n");
const QString kDialogDate = QStringLiteral("mmm dd yyyy");

QString DateText(TDateTime date) { return FormatDateTime(kDialogDate, date); }

// The texts a pass ends its part of the log with.
QString PassClosing(const QString& records, const admin::PurgeCounts& counts) {
    QString text;
    if (counts.failed) text += kCrLf + QStringLiteral("*** Error occurred ***") + kCrLf;
    else if (counts.stopped) text += kCrLf + QStringLiteral("*** Processing was cancelled by the user ***") + kCrLf;
    return text + kCrLf + records + QStringLiteral(" Records Processed = %1").arg(counts.processed) + kCrLf + records +
           QStringLiteral(" Records Purged = %1").arg(counts.purged) + kCrLf;
}

}  // namespace

TDeleteAndPurgeForm::TDeleteAndPurgeForm(TData& data, QWidget* owner) : TForm(owner), data_(data) {
    controls::RegisterEditFormClasses();
    ui::DescribeForm(*this, {"DeleteAndPurgeForm", "Delete and Purge Bookings", bsDialog, poScreenCenter, 520, 414},
                     {
                         // name                  class         parent left top width height caption  properties
                         {"OptionsGroupBox", "TGroupBox", "", 8, 8, 504, 84, "Options"},
                         {"PurgeBookingsCheckBox", "TCheckBox", "OptionsGroupBox", 12, 22, 360, 21,
                          "Purge Bookings up to (and including)"},
                         {"PurgeBookingsDatePicker", "TwwDBDateTimePicker", "OptionsGroupBox", 376, 20, 116, 23},
                         {"PurgeHistoryCheckBox", "TCheckBox", "OptionsGroupBox", 12, 52, 360, 21,
                          "Purge Orphan History up to (and including)"},
                         {"PurgeHistoryDatePicker", "TwwDBDateTimePicker", "OptionsGroupBox", 376, 50, 116, 23},
                         {"ResultsGroupBox", "TGroupBox", "", 8, 98, 504, 84, "Results"},
                         {"BookingRecordsLabel", "TLabel", "ResultsGroupBox", 12, 26, 120, 17, "Booking Records"},
                         {"PurgeBookingsCountEdit", "TEdit", "ResultsGroupBox", 140, 22, 100, 23, "", "ReadOnly=True"},
                         {"BookingsPurgedLabel", "TLabel", "ResultsGroupBox", 256, 26, 60, 17, "Purged"},
                         {"PurgeBookingsPurgedEdit", "TEdit", "ResultsGroupBox", 320, 22, 100, 23, "", "ReadOnly=True"},
                         {"HistoryRecordsLabel", "TLabel", "ResultsGroupBox", 12, 56, 120, 17, "History Records"},
                         {"PurgeHistoryCountEdit", "TEdit", "ResultsGroupBox", 140, 52, 100, 23, "", "ReadOnly=True"},
                         {"HistoryPurgedLabel", "TLabel", "ResultsGroupBox", 256, 56, 60, 17, "Purged"},
                         {"PurgeHistoryPurgedEdit", "TEdit", "ResultsGroupBox", 320, 52, 100, 23, "", "ReadOnly=True"},
                         {"LogfileGroupBox", "TGroupBox", "", 8, 188, 504, 58, "Logfile"},
                         {"PurgeLogfileEdit", "TEdit", "LogfileGroupBox", 12, 24, 360, 23},
                         {"BrowseBookingsButton", "TButton", "LogfileGroupBox", 376, 24, 30, 23, "..."},
                         {"PurgeBookingsViewButton", "TButton", "LogfileGroupBox", 412, 23, 80, 25, "View log"},
                         {"ProgressGroupBox", "TGroupBox", "", 8, 252, 504, 84, "Progress"},
                         {"BookingsLabel", "TLabel", "ProgressGroupBox", 12, 26, 70, 17, "Bookings"},
                         {"PurgeBookingsProgressBar", "TProgressBar", "ProgressGroupBox", 90, 24, 402, 20},
                         {"HistoryLabel", "TLabel", "ProgressGroupBox", 12, 56, 70, 17, "History"},
                         {"PurgeHistoryProgressBar", "TProgressBar", "ProgressGroupBox", 90, 54, 402, 20},
                         {"PurgeButton", "TButton", "", 8, 350, 80, 25, "Purge", "Default=True"},
                         {"StopButton", "TButton", "", 96, 350, 80, 25, "Stop"},
                         {"CloseButton", "TButton", "", 344, 350, 80, 25, "Close", "Cancel=True"},
                         {"HelpButton", "TButton", "", 432, 350, 80, 25, "Help"},
                         {"StatusBar", "TStatusBar", "", 0, 392, 520, 22, "", "Align=alBottom"},
                     });
    PurgeBookingsCheckBox = Find<TCheckBox>("PurgeBookingsCheckBox");
    PurgeBookingsDatePicker = Find<TwwDBDateTimePicker>("PurgeBookingsDatePicker");
    PurgeHistoryCheckBox = Find<TCheckBox>("PurgeHistoryCheckBox");
    PurgeHistoryDatePicker = Find<TwwDBDateTimePicker>("PurgeHistoryDatePicker");
    PurgeBookingsCountEdit = Find<TEdit>("PurgeBookingsCountEdit");
    PurgeBookingsPurgedEdit = Find<TEdit>("PurgeBookingsPurgedEdit");
    PurgeHistoryCountEdit = Find<TEdit>("PurgeHistoryCountEdit");
    PurgeHistoryPurgedEdit = Find<TEdit>("PurgeHistoryPurgedEdit");
    PurgeLogfileEdit = Find<TEdit>("PurgeLogfileEdit");
    BrowseBookingsButton = Find<TButton>("BrowseBookingsButton");
    PurgeBookingsViewButton = Find<TButton>("PurgeBookingsViewButton");
    PurgeBookingsProgressBar = Find<TProgressBar>("PurgeBookingsProgressBar");
    PurgeHistoryProgressBar = Find<TProgressBar>("PurgeHistoryProgressBar");
    PurgeButton = Find<TButton>("PurgeButton");
    StopButton = Find<TButton>("StopButton");
    CloseButton = Find<TButton>("CloseButton");
    HelpButton = Find<TButton>("HelpButton");
    StatusBar = Find<TStatusBar>("StatusBar");
    SaveDialog = new TSaveDialog(this);
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    SaveDialog->SetFilter(QStringLiteral("Text (*.txt)|*.TXT"));

    PurgeBookingsCheckBox->SetChecked(true);
    PurgeHistoryCheckBox->SetChecked(true);
    const TDateTime start = DateOf(rtl::CurrentClock().Now()) - kDaysKept;
    for (TwwDBDateTimePicker* picker : {PurgeBookingsDatePicker, PurgeHistoryDatePicker}) {
        picker->SetUnboundDataType(wwDTEdtDate);
        picker->SetDate(start);
    }
    StopButton->SetEnabled(false);
    StatusBar->SetSimplePanel(true);

    PurgeButton->OnClick = [this](QObject*) { PurgeButtonClick(); };
    StopButton->OnClick = [this](QObject*) { Running = false; };
    BrowseBookingsButton->OnClick = [this](QObject*) {
        if (!Running && SaveDialog->Execute()) PurgeLogfileEdit->SetText(SaveDialog->FileName());
    };
    PurgeBookingsViewButton->OnClick = [this](QObject*) {
        if (!Running) util::CurrentFileViewer().Open(PurgeLogfileEdit->Text());
    };
    CloseButton->OnClick = [this](QObject*) { Close(); };
    HelpButton->OnClick = [this](QObject*) {
        if (ShowHelpTopic) ShowHelpTopic(QStringLiteral("html\\databases\\purging_bookings_and_history.html"));
    };
    OnShow = [this](QObject*) { FormShow(); };
    OnCloseQuery = [this](QObject*, bool& canClose) { canClose = !Running; };
    Loaded();
}

void TDeleteAndPurgeForm::FormShow() {
    Running = false;
    ShowStatus(QString());
    ResetResults();
}

void TDeleteAndPurgeForm::ResetResults() {
    QString folder = ExtractFilePath(data_.DatabaseFileName);
    if (!folder.isEmpty() && !folder.endsWith(u'/')) folder += u'/';
    PurgeLogfileEdit->SetText(folder + QStringLiteral("purge_log.txt"));
    PurgeBookingsProgressBar->SetPosition(0);
    PurgeHistoryProgressBar->SetPosition(0);
    for (TEdit* edit :
         {PurgeBookingsCountEdit, PurgeBookingsPurgedEdit, PurgeHistoryCountEdit, PurgeHistoryPurgedEdit}) {
        edit->SetText(QString());
        edit->repaint();
    }
}

void TDeleteAndPurgeForm::SetControlsRunning(bool running) {
    for (const char* group : {"OptionsGroupBox", "ResultsGroupBox", "LogfileGroupBox"})
        Find<TGroupBox>(group)->SetEnabled(!running);
    for (TButton* button : {PurgeButton, CloseButton, HelpButton}) button->SetEnabled(!running);
    StopButton->SetEnabled(running);
}

void TDeleteAndPurgeForm::ShowStatus(const QString& text) {
    StatusBar->SetSimpleText(text);
    StatusBar->repaint();
}

void TDeleteAndPurgeForm::PurgeButtonClick() {
    PurgeBookingsProgressBar->SetPosition(0);
    PurgeHistoryProgressBar->SetPosition(0);
    for (TEdit* edit : {PurgeBookingsCountEdit, PurgeBookingsPurgedEdit, PurgeHistoryCountEdit, PurgeHistoryPurgedEdit})
        edit->SetText(QString());
    const bool bookings = PurgeBookingsCheckBox->Checked();
    const bool history = PurgeHistoryCheckBox->Checked();
    if (!bookings && !history) {
        MessageDlg(QStringLiteral("You have not selected anything to Purge."), mtInformation, {mbOK});
        return;
    }
    const QString bookingDate = DateText(PurgeBookingsDatePicker->Date());
    const QString historyDate = DateText(PurgeHistoryDatePicker->Date());
    QString question;
    if (bookings && history)
        question = QStringLiteral("You are about to delete all bookings up to \r") + bookingDate +
                   QStringLiteral("\rand all orphan history records up to \r") + historyDate;
    else if (bookings)
        question =
            QStringLiteral("You are about to delete all bookings up to \r") + bookingDate + QStringLiteral("\r\r");
    else
        question = QStringLiteral("You are about to delete all orphan history records before\r") + historyDate +
                   QStringLiteral("\r\r");
    question += QStringLiteral("\r\rBefore proceeding ensure you have a current backup.\r\rContinue?");
    if (MessageDlg(question, mtConfirmation, {mbOK, mbCancel}) != mrOk) return;
    Purge(bookings, history);
}

void TDeleteAndPurgeForm::Purge(bool bookings, bool history) {
    const QString logName = PurgeLogfileEdit->Text();
    if (FileExists(logName) &&
        MessageDlg(QStringLiteral("Overwrite log file ") + logName, mtConfirmation, {mbOK, mbCancel}) != mrOk)
        return;
    admin::PurgeLog log;
    if (!log.Create(logName)) {
        MessageDlg(QStringLiteral("Could not create log file \"%1\"").arg(logName), mtError, {mbOK});
        return;
    }
    const TDateTime bookingDate = DateOf(PurgeBookingsDatePicker->Date());
    const TDateTime historyDate = DateOf(PurgeHistoryDatePicker->Date());
    const QString bookingDateText = DateText(bookingDate);
    const QString historyDateText = DateText(historyDate);
    log.Write(QStringLiteral("Purging database at ") +
              FormatDateTime(QStringLiteral("mmm dd yyyy h:mm am/pm"), rtl::CurrentClock().Now()) + kCrLf);
    Running = true;
    SetControlsRunning(true);
    bool stoppedInHistory = false;
    try {
        TTimeStamp lastStatus = DateTimeToTimeStamp(rtl::CurrentClock().Now());
        // The pacing both passes share: the status at most once a second, window messages every 10th row.
        const auto monitorFor = [&](TProgressBar& bar, const QString& step) {
            admin::PurgeMonitor monitor;
            monitor.running = [this] { return Running; };
            monitor.row = [&bar, &lastStatus, step, this](int processed, int position) {
                bar.SetPosition(position);
                if (HasIntervalElapsed(lastStatus, kStatusInterval)) {
                    ShowStatus(step + QStringLiteral(" (%1%)").arg(bar.Position()));
                    lastStatus = DateTimeToTimeStamp(rtl::CurrentClock().Now());
                }
                if (processed % kRowsBetweenMessages == 0) {
                    Application->ProcessMessages();
                    bar.repaint();
                }
            };
            monitor.log = [&log](const QString& lines) { log.Write(lines); };
            return monitor;
        };
        if (bookings) {
            log.Write(kCrLf + QStringLiteral("Purging bookings up to ") + bookingDateText + u'.' + kCrLf + kCrLf);
            const admin::PurgeCounts counts =
                admin::PurgeBookings(data_.ADOConnection, bookingDate,
                                     monitorFor(*PurgeBookingsProgressBar, QStringLiteral("Purging Bookings")));
            if (!counts.stopped) PurgeBookingsProgressBar->SetPosition(100);
            PurgeBookingsCountEdit->SetText(QString::number(counts.processed));
            PurgeBookingsPurgedEdit->SetText(QString::number(counts.purged));
            log.Write(PassClosing(QStringLiteral("Booking"), counts));
        }
        if (Running) {
            data_.BookingsTable.Requery();
            data_.BookingsShadowTable.Requery();
            if (history) {
                log.Write(kCrLf + QStringLiteral("Purging orphan history records up to ") + historyDateText + u'.' +
                          kCrLf + kCrLf);
                const admin::PurgeCounts counts =
                    admin::PurgeOrphanHistory(data_.ADOConnection, historyDate,
                                              monitorFor(*PurgeHistoryProgressBar, QStringLiteral("Purging History")));
                stoppedInHistory = counts.stopped;
                if (!counts.stopped) PurgeHistoryProgressBar->SetPosition(100);
                PurgeHistoryCountEdit->SetText(QString::number(counts.processed));
                PurgeHistoryPurgedEdit->SetText(QString::number(counts.purged));
                log.Write(PassClosing(QStringLiteral("History"), counts));
            }
            QString description;
            if (bookings && history)
                description = QStringLiteral("Purged bookings up to ") + bookingDateText +
                              QStringLiteral(" and orphaned history up to ") + historyDateText + u'.';
            else if (bookings) description = QStringLiteral("Purged bookings up to ") + bookingDateText + u'.';
            else description = QStringLiteral("Purged orphan history up to ") + historyDateText + u'.';
            if (stoppedInHistory) description += QStringLiteral(" Operation was cancelled by user.");
            description += QStringLiteral(" Booking Records(") + PurgeBookingsCountEdit->Text() +
                           QStringLiteral(") Purged(") + PurgeBookingsPurgedEdit->Text() + QStringLiteral(").") +
                           QStringLiteral(" History Records(") + PurgeHistoryCountEdit->Text() +
                           QStringLiteral(") Purged(") + PurgeHistoryPurgedEdit->Text() + QStringLiteral(").");
            data_.AddHistory(-1, -1, kHistoryCodePurged, data_.CurrentUserId(), description);
        }
    } catch (...) {
        log.Close();
        Running = false;
        SetControlsRunning(false);
        throw;
    }
    log.Close();
    QApplication::beep();
    const bool completed = Running;
    Running = false;
    SetControlsRunning(false);
    if (completed) {
        ShowStatus(QStringLiteral("Purging Complete."));
        MessageDlg(QStringLiteral("Purging complete. To reduce the file size compact the database."), mtInformation,
                   {mbOK});
    } else {
        ShowStatus(QStringLiteral("Purging Cancelled."));
    }
}

namespace admin {

void DeleteAndPurge(TData& data, const MainWindowServices& mainWindow,
                    std::function<void(const QString& topic)> showHelpTopic) {
    if (!data.CheckAdministrator()) return;
    Call(mainWindow.ShowAdministratorMode);
    Call(mainWindow.StopRefreshTimer);
    if (RecommendBackup(mainWindow, BackupOperation::PurgeAndDelete)) {
        TDeleteAndPurgeForm form(data, mainWindow.Form);
        form.ShowHelpTopic = std::move(showHelpTopic);
        form.ShowModal();
        Call(mainWindow.RefreshBookings);
    }
    Call(mainWindow.RestartRefreshTimer);
}

}  // namespace admin
