// The main window and the open database: opening and closing, the resource tree, caption and status bar,
// the recent files and the administrator login.
#include "app/main/MainForm.h"

#include "app/main/MainFormTasks.h"
#include "controls/edit/MonthCalendar.h"
#include "data/forms/PasswordForms.h"
#include "data/module/DataModule.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ProgressPanel.h"
#include "platform/ui/Timer.h"
#include "util/DvMru.h"

#include <QFileInfo>
#include <optional>

namespace {

const QString kProgramTitle = QStringLiteral("Tavorin 7.0");

TResourceTreeNodeData* NodeData(const TTreeNode* node) {
    return node ? dynamic_cast<TResourceTreeNodeData*>(node->Data()) : nullptr;
}

}  // namespace

bool TMainForm::DatabaseOpen() const { return data_.ADOConnection.Connected(); }

void TMainForm::OpenDatabase(const QString& fileName, const QString& password, const QString& message) {
    if (DatabaseOpen()) CloseDatabase();
    LoadCount = 0;
    TotalLoadTime = 0;
    MaxLoadTime = 0;
    bool opened = false;
    {
        std::optional<ui::ProgressPanel> progress;
        if (!message.isEmpty()) progress.emplace(this, message);
        opened = data_.ConnectDatabase(fileName, password);
    }
    if (!opened) {
        ShowDatabasePanels(false);
        UpdateRefreshTimer();
        return;
    }
    // Whatever fails from here on leaves no half-open database behind.
    try {
        ResourcesQuery.Open();
        RestoreResourceAndGroupPosition();
        ShowOnlyResourceNameField();
        ShowOnlyGroupNameField();
        const TDateTime today = DateOf(rtl::CurrentClock().Now());
        Calendar->SetDate(today + 124);
        Calendar->SetDate(today);
        RemindersQuery.SQL.SetText(
            QStringLiteral("select Bookings.BookingId, Bookings.Trans,\n"
                           "   Bookings.BookingStart, Bookings.Client, Bookings.Description, Bookings.Reminder\n"
                           "from Bookings\n"
                           "where ((Bookings.BookingStart >= :TheDate) and (Bookings.BookingStart < :TheNextDate))\n"
                           "   and (Bookings.Reminder is not null)\n"
                           "order by Bookings.BookingStart"));
        if (services_.CreateBookingWindow) bookingWindow_ = services_.CreateBookingWindow(data_);
        // Its views open on their "View Top" times, wherever the previous database's were scrolled to.
        OpenTimeGridsAtInitialTime();
        FillResourceTree();
        if (RefreshView) RefreshView();
        ShowDatabasePanels(true);
        ConnectViewEvents(true);
        if (LayoutActiveView) LayoutActiveView();
        Repaint();
        CheckReminders();
        UpdateCaption();
        UpdateCommandStates();
        RebuildReportsMenu();
        Repaint();
    } catch (...) {
        CloseDatabase();
        throw;
    }
    AskForResources();
    UpdateRefreshTimer();
}

void TMainForm::CloseDatabase() {
    RefreshTimer->SetEnabled(false);
    if (DatabaseOpen()) DvMru->AddFile(data_.DatabaseFileName);
    Preferences.ResourceViewResource.clear();
    Preferences.ResourceViewGroup.clear();
    const TTreeNode* selected = ResourceTreeView->Selected();
    if (DatabaseOpen() && selected) {
        if (selected->Parent() == ResourcesNode) Preferences.ResourceViewResource = selected->Text();
        if (selected->Parent() == GroupsNode) Preferences.ResourceViewGroup = selected->Text();
    }
    TaskLists->CloseLists();
    for (TADOQuery* query : {&ResourcesQuery, &GroupsQuery, &RemindersQuery}) query->Close();
    data_.DisconnectDatabase();
    bookingWindow_.reset();
    SelectedResources.Clear();
    LoadCount = 0;
    TotalLoadTime = 0;
    MaxLoadTime = 0;
    ShowDatabasePanels(false);
    ConnectViewEvents(false);
    UpdateCaption();
    UpdateCommandStates();
}

void TMainForm::ShowDatabasePanels(bool show) {
    for (TPanel* panel : {ResourcePanel, CalendarPanel, BottomPanel}) panel->SetVisible(show);
}

void TMainForm::ConnectViewEvents(bool connect) {
    viewEventsConnected_ = connect;
    ResourceTreeView->OnChange = connect ? TTVChangedEvent([this](QObject*, TTreeNode*) {
        if (DatabaseOpen() && RefreshView) RefreshView();
    })
                                         : TTVChangedEvent();
    OnResize = connect ? TNotifyEvent([this](QObject*) {
        if (LayoutActiveView) LayoutActiveView();
    })
                       : TNotifyEvent();
}

void TMainForm::UpdateRefreshTimer() {
    RefreshTimer->SetInterval(Preferences.RefreshIntervalMs());
    RefreshTimer->SetEnabled(Preferences.RefreshEnabled && DatabaseOpen());
}

void TMainForm::RememberResourceAndGroupPosition() {
    Preferences.ResourceViewResource = ResourcesQuery.Active() && !ResourcesQuery.Eof()
                                           ? ResourcesQuery.FieldByName(QStringLiteral("ResourceName")).AsString()
                                           : QString();
    Preferences.ResourceViewGroup = GroupsQuery.Active() && !GroupsQuery.Eof()
                                        ? GroupsQuery.FieldByName(QStringLiteral("GroupName")).AsString()
                                        : QString();
}

void TMainForm::RestoreResourceAndGroupPosition() {
    const auto locate = [](TADOQuery& query, const QString& field, QString& name) {
        if (!query.Active()) query.Open();
        // A remembered name longer than the column cannot be in it; its first characters may be.
        const int size = query.FieldByName(field).Size();
        if (size > 0 && name.size() > size) name.truncate(size);
        if (!name.isEmpty()) query.Locate(field, name);
    };
    locate(ResourcesQuery, QStringLiteral("ResourceName"), Preferences.ResourceViewResource);
    locate(GroupsQuery, QStringLiteral("GroupName"), Preferences.ResourceViewGroup);
}

static void ShowOnlyField(TADOQuery& query, const QString& name) {
    if (!query.Active()) return;
    const TFields& fields = query.Fields();
    for (int i = 0; i < fields.Count(); ++i)
        fields[i]->SetVisible(fields[i]->FieldName().compare(name, Qt::CaseInsensitive) == 0);
}

void TMainForm::ShowOnlyResourceNameField() { ShowOnlyField(ResourcesQuery, QStringLiteral("ResourceName")); }
void TMainForm::ShowOnlyGroupNameField() { ShowOnlyField(GroupsQuery, QStringLiteral("GroupName")); }

TTreeNode* TMainForm::ChildNamed(TTreeNode* branch, const QString& name) const {
    for (int i = 0; i < branch->Count(); ++i)
        if (branch->Item(i)->Text().compare(name, Qt::CaseInsensitive) == 0) return branch->Item(i);
    return nullptr;
}

void TMainForm::FillBranch(TTreeNode* branch, TADOQuery& query, const QString& nameField, bool resources) {
    for (int i = 0; i < branch->Count(); ++i)
        if (auto* data = NodeData(branch->Item(i))) data->Marked = false;
    if (query.Active()) {
        for (query.First(); !query.Eof(); query.Next()) {
            const QString name = query.FieldByName(nameField).AsString();
            if (TTreeNode* node = ChildNamed(branch, name)) {
                if (auto* data = NodeData(node)) data->Marked = true;
                continue;
            }
            auto data = std::make_unique<TResourceTreeNodeData>();
            data->Marked = true;
            if (resources) {
                data->ResourceId = query.FieldByName(QStringLiteral("ResourceId")).AsInteger();
                data->Description = query.FieldByName(QStringLiteral("Description")).AsString();
            }
            ResourceTreeView->AddChild(branch, name, std::move(data));
        }
    }
    for (int i = branch->Count() - 1; i >= 0; --i) {
        const auto* data = NodeData(branch->Item(i));
        if (!data || !data->Marked) branch->Item(i)->Delete();
    }
}

void TMainForm::FillResourceTree() {
    // The tree's change event would reload the view for each node it passes on the way.
    const TTVChangedEvent onChange = ResourceTreeView->OnChange;
    ResourceTreeView->OnChange = nullptr;
    FillBranch(ResourcesNode, ResourcesQuery, QStringLiteral("ResourceName"), true);
    ResourcesNode->SetExpanded(Preferences.RTVExpandResources);
    FillBranch(GroupsNode, GroupsQuery, QStringLiteral("GroupName"), false);
    GroupsNode->SetExpanded(Preferences.RTVExpandGroups);
    SelectRememberedView();
    SelectRememberedNode();
    ResourceTreeView->OnChange = onChange;
}

void TMainForm::SelectRememberedView() {
    const QString view = Preferences.BookingView;
    TTabSheet* page = view == QLatin1String("multiday")    ? MultiDayViewTabSheet
                      : view == QLatin1String("week")      ? WeekViewTabSheet
                      : view == QLatin1String("month")     ? MonthViewTabSheet
                      : view == QLatin1String("tasks")     ? TasksTabSheet
                      : view == QLatin1String("reminders") ? RemindersTabSheet
                                                           : DayViewTabSheet;
    const TNotifyEvent onChange = DataPageControl->OnChange;
    DataPageControl->OnChange = nullptr;
    DataPageControl->SetActivePage(page);
    DataPageControl->OnChange = onChange;
    UpdateShortCuts();
}

void TMainForm::SelectRememberedNode() {
    TTreeNode* node = nullptr;
    if (Preferences.ResourceView == QLatin1String("Resources")) {
        if (!Preferences.ResourceViewResource.isEmpty())
            node = ChildNamed(ResourcesNode, Preferences.ResourceViewResource);
        if (!node) node = ResourcesNode->GetFirstChild();
    } else if (Preferences.ResourceView == QLatin1String("Groups")) {
        node = Preferences.ResourceViewGroup.isEmpty() ? GroupsNode->GetFirstChild()
                                                       : ChildNamed(GroupsNode, Preferences.ResourceViewGroup);
    }
    if (!node) node = ResourcesNode->GetFirstChild();
    ResourceTreeView->SetSelected(node);
}

void TMainForm::CheckReminders() {
    if (!data_.CheckReminders) return;
    const bool wasOpen = RemindersQuery.Active();
    const TDateTime day = DateOf(Calendar->Date());
    RemindersQuery.Parameters.ParamByName(QStringLiteral("TheDate")).SetValue(day);
    RemindersQuery.Parameters.ParamByName(QStringLiteral("TheNextDate")).SetValue(day + 1);
    if (!wasOpen) RemindersQuery.Open();
    if (!RemindersQuery.Eof()) MessageDlg(QStringLiteral("There are reminders for today"), mtInformation, {mbOK});
    if (!wasOpen) RemindersQuery.Close();
}

void TMainForm::AskForResources() {
    if (ResourcesNode->HasChildren() || !commands_.count(QStringLiteral("AddResourceWizardItem"))) return;
    if (MessageDlg(QStringLiteral("There are no resources in this database. Would you like to run the Add Resource "
                                  "Wizard?"),
                   mtConfirmation, {mbYes, mbNo}) == mrYes)
        RunCommand(QStringLiteral("AddResourceWizardItem"));
}

void TMainForm::UpdateCaption() {
    QString caption;
    if (DatabaseOpen()) {
        const QString setting =
            data_.DatabaseSettings ? data_.DatabaseSettings->GetValue(QStringLiteral("TitleSetting")) : QString();
        if (setting == QLatin1String("Filename")) caption = QFileInfo(data_.DatabaseFileName).fileName();
        else if (setting == QLatin1String("FilenameFullPath")) caption = data_.DatabaseFileName;
        else {
            caption = data_.GetDatabaseTitle();
            if (caption.isEmpty()) caption = QStringLiteral("No Title");
        }
        if (data_.ReadOnlyAccess) caption += QStringLiteral(" (Read-Only)");
        caption += QStringLiteral(" - ");
    }
    SetCaption(caption + kProgramTitle);
    if (!Item(QStringLiteral("StatusBarItem"))->Checked()) return;
    if (DatabaseOpen()) {
        StatusBar->SetPanelText(0, data_.ReadOnlyAccess      ? QStringLiteral(" Read Only Mode")
                                   : data_.AdministratorMode ? QStringLiteral(" Administrator Mode")
                                                             : QStringLiteral(" User Mode"));
        StatusBar->SetPanelText(1, data_.DatabaseFileName);
    } else {
        StatusBar->SetPanelText(0, QString());
        StatusBar->SetPanelText(1, QStringLiteral("No Database Open"));
    }
}

void TMainForm::OpenItemClick() {
    if (!OpenDialog->Execute()) return;
    OpenDatabase(OpenDialog->FileName(), QString(), QStringLiteral("Opening database..."));
}

void TMainForm::MruClick(QObject* sender) {
    const auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !DvMru->MenuItem()) return;
    const int index = DvMru->MenuItem()->IndexOf(item);
    if (index < 0) return;
    const QString fileName = DvMru->GetFileName(index);
    if (QFileInfo::exists(fileName)) {
        OpenDatabase(fileName, QString(), QStringLiteral("Opening database..."));
        return;
    }
    MessageDlg(QStringLiteral("Could not find file ") + fileName + QStringLiteral("."), mtInformation, {mbOK});
    DvMru->RemoveFile(fileName);
}

void TMainForm::LogonAsAdministratorItemClick() {
    TPasswordForm form(this);
    if (data_.AdministratorMode) {
        MessageDlg(
            data_.DatabasePassword.isEmpty()
                ? QStringLiteral("The Database does not have a password so you already have Administrator access.")
                : QStringLiteral("The Database Password has already been entered and you have Administrator "
                                 "access."),
            mtInformation, {mbOK});
        return;
    }
    form.SetMessage(QStringLiteral("Please enter the Database password"));
    if (form.ShowModal() != mrOk) return;
    if (form.GetPassword() != data_.DatabasePassword) {
        MessageDlg(QStringLiteral("Incorrect password"), mtError, {mbOK});
        return;
    }
    data_.AdministratorMode = true;
    UpdateCaption();
    UpdateCommandStates();
}
