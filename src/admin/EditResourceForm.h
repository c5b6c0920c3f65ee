// TEditResourceForm: the resource list with each resource's details (description and notes, booking limits,
// features, groups, managers and picture), or one resource's details alone ("View Resource Details").
#pragma once

#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/Form.h"

#include <functional>

class TButton;
class TData;
class TEdit;
class TGroupBox;
class TImage;
class TLabel;
class TOpenDialog;
class TPageControl;
class TPanel;
class TRadioButton;
class TSQLData;
class TTabSheet;
class TwwCheckBox;
class TwwDBDateTimePicker;
class TwwDBEdit;
class TwwDBGrid;

class TEditResourceForm : public TForm {
public:
    // Works on the data module's connection; the lookup module guards names, deletes and new rows.
    TEditResourceForm(TData& data, TSQLData& sqlData, QWidget* owner = nullptr);

    // The resource made current when the window shows; one that matches no row leaves the first current.
    void SetResourceId(int resourceId) { ResourceIdToShow = resourceId; }
    // True: the list with its buttons at the design width. False: only the details group, narrowed to it.
    void SetListMode(bool listMode);

    bool ListMode = true;
    int ResourceIdToShow = 0;

    TADOQuery ResourcesQuery;
    TDataSource ResourcesDataSource;
    TADOQuery ResourceFeaturesQuery;
    TDataSource ResourceFeaturesDataSource;
    TADOQuery GroupsQuery;
    TDataSource GroupsDataSource;
    TADOQuery ResourceManagersQuery;
    TDataSource ResourceManagersDataSource;

    TwwDBGrid* MasterDBGrid;
    TButton* NewResourceButton;
    TButton* DeleteResourceButton;
    TButton* RenameResourceButton;
    TButton* CancelEditButton;
    TGroupBox* ResourceDetailsGroupBox;
    TPageControl* DetailsPageControl;
    TTabSheet* GeneralTabSheet;
    TLabel* DescLabel;
    TwwDBEdit* DescriptionDBEdit;
    TLabel* NotesLabel;
    TwwDBEdit* NotesDBEdit;
    TwwCheckBox* MaxBookingDays;
    TEdit* MaxDaysEdit;
    TLabel* DaysLabel;
    TGroupBox* AllowBookingsGroupBox;
    TRadioButton* AllowAll;
    TRadioButton* AllowDaysAhead;
    TRadioButton* AllowUntil;
    TEdit* AllowDaysAheadEdit;
    TwwDBDateTimePicker* AllowUntilDateTimePicker;
    TwwCheckBox* OnlyAllowManagersWriteCheckBox;
    TwwDBGrid* FeaturesDBGrid;
    TButton* AddRemoveFeaturesButton;
    TButton* EditFeatureListButton;
    TwwDBGrid* GroupsDBGrid;
    TButton* AddRemoveGroupsButton;
    TButton* EditGroupListButton;
    TwwDBGrid* ResourceManagersDBGrid;
    TButton* DeleteManagerButton;
    TButton* AddManagerButton;
    TButton* CancelManagerEditButton;
    TPanel* ImagePanel;
    TImage* ResourceImage;
    TButton* LoadButton;
    TButton* ClearButton;
    TButton* CloseButton;
    TButton* HelpButton;
    TOpenDialog* OpenPictureDialog;

    // Shows a page of the help; while it is empty "Help" is disabled.
    std::function<void(const QString& topic)> ShowHelpTopic;

    // Caption, locks and controls by the rights, then the four queries opened.
    void OpenResourceDatasets();
    // Shows the current resource's limits and picture without writing anything back.
    void MasterDBGridRowChanged();
    // Posts a pending resource; false (the error shown, the list focused) when that fails.
    bool PostResourceEdits();
    void AddRemoveFeaturesButtonClick();
    void AddRemoveGroupsButtonClick();
    void LoadPictureButtonClick();
    void ClearPictureButtonClick();
    // The picture of the current row, scaled into the panel.
    void LoadResourcePicture();
    void PlacePicture();
    void LoginasAdminItemClick();

    // The limit controls' handlers: what the user changes goes into the current row.
    void ABClick();
    void MaxDaysEditChange();
    void AllowDaysAheadEditChange();
    void AllowUntilDateTimePickerChange();

private:
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void DetachLimitHandlers();
    void AttachLimitHandlers();
    void EditResourceRow();
    TField& Resource(const char* field);
    int GlobalRestrictMode() const;

    TData& data_;
    TSQLData& sqlData_;
    int designClientWidth_ = 0;
    int designDetailsLeft_ = 0;
};
