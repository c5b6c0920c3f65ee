// What the main window hands the report chooser when "Reports..." or "&Print..." runs on a grid or the
// reminders tab.
#pragma once

#include <QString>

using TDateTime = double;
class TMainForm;

struct TReportsRequest {
    TDateTime Date = 0;
    int ColumnWidth = 0;
    // The chooser's radio button to preselect ("DayViewRadioButton", ...); empty for none.
    QString ReportChoice;
    // "ResourceRadioButton" or "ResourceGroupRadioButton"; empty for neither.
    QString ResourceChoice;
    QString ResourceName;
    QString GroupName;
};

// The request for the active tab and the remembered resource and group.
TReportsRequest ReportsRequestOf(TMainForm& form);
