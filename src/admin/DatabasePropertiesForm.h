// TDatabasePropertiesForm: the database-wide settings, with the task managers and the managers of every resource.
#pragma once

#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/rtl/Clock.h"
#include "platform/ui/Form.h"

#include <functional>

class TButton;
class TCheckBox;
class TComboBox;
class TData;
class TEdit;
class TLabel;
class TPageControl;
class TRadioButton;
class TSQLData;
class TTabSheet;
class TwwDBDateTimePicker;
class TwwDBGrid;

class TDatabasePropertiesForm : public TForm {
public:
    // Works on the data module's connection; the lookup module guards the manager names.
    TDatabasePropertiesForm(TData& data, TSQLData& sqlData, QWidget* owner = nullptr);

    TPageControl* PageControl;
    TTabSheet* GeneralTabSheet;
    TTabSheet* ManagersTabSheet;
    TTabSheet* BookingsTabSheet;
    TRadioButton* DatabaseTitleFilenameRadioButton;
    TRadioButton* DatabaseTitleUserSpecifiedRadioButton;
    TRadioButton* DatabaseTitleFilenameFullPathRadioButton;
    TEdit* DatabaseTitleEdit;
    TRadioButton* WorkstationLogonRadioButton;
    TRadioButton* NovellUsernameRadioButton;
    TADOQuery TaskManagersQuery;
    TDataSource TaskManagersDataSource;
    TwwDBGrid* TaskManagersDBGrid;
    TButton* DeleteTaskManagerButton;
    TButton* AddTaskManagerButton;
    TButton* CancelTaskManagerEditButton;
    TADOQuery ResourceManagersQuery;
    TDataSource ResourceManagersDataSource;
    TwwDBGrid* ResourceManagersDBGrid;
    TButton* DeleteResourceManagerButton;
    TButton* AddResourceManagerButton;
    TButton* CancelResourceManagerEditButton;
    TRadioButton* RestrictByResource;
    TRadioButton* MaxDaysAhead;
    TEdit* MaxDaysAheadEdit;
    TRadioButton* UpToDate;
    TwwDBDateTimePicker* UpToDateDateTimePicker;
    TCheckBox* BookingOwnerOnlyModify;
    TCheckBox* BookingAllowUserCreate;
    TCheckBox* TaskOwnerOnlyModify;
    TCheckBox* TaskAllowUserCreate;
    TCheckBox* CheckReclaim;
    TLabel* CheckReclaimLabel;
    TEdit* CheckReclaimSize;
    TLabel* CheckReclaimMBLabel;
    TLabel* MinProgramVersionLabel;
    TComboBox* MinProgramVersionComboBox;
    TCheckBox* Treat1159AsMidnightCheckBox;
    TButton* AdvancedSQLDataQueryButton;
    TCheckBox* AllowuserSQLQueriesCheckBox;
    TButton* OkButton;
    TButton* CancelButton;
    TButton* HelpButton;

    // True when the dialog was last set up without the edit right: OK then saves nothing.
    bool ReadOnlyView = false;

    // The SQL query window in its full mode; while it is empty the button does nothing.
    std::function<void()> OpenDataQuery;
    // Shows a page of the help (an empty topic: the help file itself); while it is empty "Help" is disabled.
    std::function<void(const QString& topic)> ShowHelpTopic;

    // Caption, controls and the manager lists' locks by the rights.
    void ApplyRights();
    // Selects the version in the list (letter case ignored), appending it when it is not there.
    void SelectMinProgramVersion(const QString& version);
    void SetDatabaseTitleEnable();
    // While the dialog shows, the user must be an administrator (asked for the password when needed).
    bool CheckAdminAccess();
    void LoginAsAdminItemClick();

private:
    void FormShow();
    void FormCloseQuery(bool& canClose);
    // A click or date change refused by CheckAdminAccess puts the restriction as it was.
    void RestrictionChanged();
    void HelpButtonClick();

    TData& data_;
    TRadioButton* restriction_ = nullptr;
    TDateTime untilDate_ = 0;
};
