// TDatabaseInfoForm: a read-only summary of the open database, of the data-access software beneath it and of
// how long the main window's booking views took to load.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TData;
class TGroupBox;
class TLabel;
class TMemo;

class TDatabaseInfoForm : public TForm {
public:
    explicit TDatabaseInfoForm(TData& data, QWidget* owner = nullptr);

    // The main window's load statistics, given before showing.
    int RetrievalCount = 0;
    double LastRetrievalMs = 0;
    double TotalRetrievalMs = 0;
    double LongestRetrievalMs = 0;

    TButton* OkButton;
    TGroupBox* GroupBox;
    TLabel* DBMSNameLabel;
    TLabel* DBMSVersionLabel;
    TLabel* ProviderNameLabel;
    TLabel* ProviderVersionLabel;
    TLabel* OpenModeLabel;
    TLabel* LockModeLabel;
    TLabel* ReclaimSpaceLabel;
    TLabel* SecurityLabel;
    TLabel* UseridModeLabel;
    TLabel* UserNameLabel;
    TLabel* MDACVersionLabel;
    TLabel* OldestBookingLabel;
    TLabel* ElapsedLabel;
    TLabel* LongestLabel;
    TLabel* AverageLabel;
    TLabel* PathLabel;
    TMemo* FilenameMemo;

    void FormShow();

private:
    void ShowConnectedFacts();
    void ShowProviderProperties();
    void ShowReclaimableSpace();
    void ShowTimings();
    void ShowCaptionsOnly();
    QString OldestBookingText();

    TData& data_;
};
