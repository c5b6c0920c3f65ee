// TCheckDatabaseForm: checks every booking and History row of the open database and, on request, repairs what
// can be repaired, with a text log beside the database.
#pragma once

#include "platform/rtl/DateUtils.h"
#include "platform/ui/Form.h"

#include <functional>

class TButton;
class TCheckBox;
class TCheckLog;
class TData;
class TEdit;
class TGroupBox;
class TPanel;
class TProgressBar;
class TSaveDialog;
class TStatusBar;
struct TCheckResults;

class TCheckDatabaseForm : public TForm {
public:
    explicit TCheckDatabaseForm(TData& data, QWidget* owner = nullptr);

    TGroupBox* OptionsGroupBox;
    TCheckBox* ShowWarnings;
    TGroupBox* ResultsGroupBox;
    TEdit* CheckDatabaseCountEdit;
    TEdit* CheckDatabaseHistoryEdit;
    TEdit* CheckDatabaseErrorsEdit;
    TEdit* CheckDatabaseWarningEdit;
    TEdit* CheckDatabaseBookingTransactionEdit;
    TEdit* CheckDatabaseHistoryTransactionEdit;
    TEdit* OldestBookingEdit;
    TEdit* FutureBookingEndsEdit;
    TGroupBox* LogfileGroupBox;
    TEdit* CheckLogFileEdit;
    TButton* BrowseCheckButton;
    TButton* CheckViewButton;
    TGroupBox* ProgressGroupBox;
    TProgressBar* CheckProgressBar;
    TButton* CheckDatabaseCheckOnlyButton;
    TButton* CheckDatabaseCheckFixButton;
    TButton* CheckDatabaseStopButton;
    TButton* CloseButton;
    TButton* HelpButton;
    TStatusBar* CheckDatabaseStatusBar;
    TPanel* WaitPanel;
    TSaveDialog* SaveDialog;

    bool Running = false;
    bool Reconnected = false;
    int ProgressTotal = 0;
    int ProgressCount = 0;

    // Opens a help topic of the program's help file.
    std::function<void(const QString& topic)> ShowHelpTopic;
    // Runs after each row (with the pass's status text) so that a test can press Stop mid-run.
    std::function<void()> AfterRow;

    void FormShow();
    void CheckDatabaseRecords(bool fix);
    void CheckDatabaseStopButtonClick() { Running = false; }
    void BrowseCheckButtonClick();
    void CheckViewButtonClick();
    void FormCloseQuery(bool& canClose) { canClose = !Running; }
    void FormClose();
    void SetControlsRunning(bool running);
    void ClearResults();

private:
    bool Connect(bool fix);
    void ShowWait(const QString& text);
    bool OpenLog(TCheckLog& log);
    void RunPasses(TCheckLog& log, bool fix);
    void ShowResults(const TCheckResults& results);
    void RowDone(const QString& pass, int done, int total);

    TData& data_;
    QString fileName_;
    QString password_;
    bool administrator_ = false;
    QString userId_;
    TTimeStamp lastStatus_{};
    int rowsSinceMessages_ = 0;
};
