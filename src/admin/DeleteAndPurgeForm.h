// TDeleteAndPurgeForm: deletes the bookings that ended up to a day and the orphan History rows up to another,
// with a log beside the database, and records the run as one History row.
#pragma once

#include "admin/MainWindowServices.h"
#include "platform/ui/Form.h"

#include <functional>

class TButton;
class TCheckBox;
class TData;
class TEdit;
class TGroupBox;
class TProgressBar;
class TSaveDialog;
class TStatusBar;
class TwwDBDateTimePicker;

class TDeleteAndPurgeForm : public TForm {
public:
    explicit TDeleteAndPurgeForm(TData& data, QWidget* owner = nullptr);

    TCheckBox* PurgeBookingsCheckBox;
    TwwDBDateTimePicker* PurgeBookingsDatePicker;
    TCheckBox* PurgeHistoryCheckBox;
    TwwDBDateTimePicker* PurgeHistoryDatePicker;
    TEdit* PurgeBookingsCountEdit;
    TEdit* PurgeBookingsPurgedEdit;
    TEdit* PurgeHistoryCountEdit;
    TEdit* PurgeHistoryPurgedEdit;
    TEdit* PurgeLogfileEdit;
    TButton* BrowseBookingsButton;
    TButton* PurgeBookingsViewButton;
    TProgressBar* PurgeBookingsProgressBar;
    TProgressBar* PurgeHistoryProgressBar;
    TButton* PurgeButton;
    TButton* StopButton;
    TButton* CloseButton;
    TButton* HelpButton;
    TStatusBar* StatusBar;
    TSaveDialog* SaveDialog;

    // Set while a purge runs; "Stop" clears it.
    bool Running = false;
    std::function<void(const QString& topic)> ShowHelpTopic;

    void ResetResults();
    void SetControlsRunning(bool running);
    void PurgeButtonClick();

private:
    void FormShow();
    // Asks, creates the log and runs the passes.
    void Purge(bool bookings, bool history);
    void ShowStatus(const QString& text);

    TData& data_;
};

namespace admin {

// "&Delete and Purge...": administrator rights, the backup recommendation, the window, and the bookings read
// again afterwards.
void DeleteAndPurge(TData& data, const MainWindowServices& mainWindow,
                    std::function<void(const QString& topic)> showHelpTopic = {});

}  // namespace admin
