// The main window's other commands: the task commands, the search, resource-editor, view, tools, reports and
// help items, each opening its window through the window's hooks and refreshing what it changed.
#include "app/main/MainFormCommands.h"

#include "app/grids/BookingGrid.h"
#include "app/grids/MonthGrid.h"
#include "app/main/MainForm.h"
#include "app/main/MainFormTasks.h"
#include "controls/edit/MonthCalendar.h"
#include "data/forms/ReportsMenu.h"
#include "data/module/DataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/SystemFacts.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Menus.h"
#include "platform/ui/UpDown.h"
#include "util/DesktopOpen.h"
#include "util/DvLog.h"
#include "util/HelpRouter.h"
#include "util/Updates.h"
#include "util/core/DvSysUtils.h"
#include "util/core/DvVersionInfo.h"

#include <QFileInfo>
#include <QUrl>

namespace {

const QString kNotConnected = QStringLiteral("Could not connected to the Internet");
const QString kSupportAddress = QStringLiteral("mailto:support@dulvex.example");
const QString kHomePage = QStringLiteral("https://www.dulvex.example/");

// The program's help router, or one made for this request while there is none.
void WithHelpRouter(const std::function<void(THelpRouter&)>& use) {
    if (THelpRouter* router = THelpRouter::Current()) return use(*router);
    THelpRouter own(nullptr);
    use(own);
}

// Shows help through the router, or says why it cannot: no help viewer, or the page is not there.
void ShowHelp(const std::function<bool(THelpRouter&)>& show) {
    WithHelpRouter([&show](THelpRouter& router) {
        if (!router.IsHtmlHelpAvailable())
            MessageDlg(QStringLiteral("HTML Help is not installed on this computer.\r\rPlease download the HTML "
                                      "Help viewer from the maker of your operating system's web site."),
                       mtInformation, {mbOK});
        else if (!show(router))
            MessageDlg(QStringLiteral("The help page could not be shown: it is missing, or no web browser is set up "
                                      "on this computer."),
                       mtInformation, {mbOK});
    });
}

// Why an address did not open: the desktop has no program for it.
QString NoProgramFor(const QString& address) {
    const QString mailto = QStringLiteral("mailto:");
    return address.startsWith(mailto)
               ? QStringLiteral("No e-mail program is set up on this computer to write to ") +
                     address.mid(mailto.size()) + u'.'
               : QStringLiteral("No web browser is set up on this computer to open ") + address + u'.';
}

bool Is(const QString& value, const char* name) { return value.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; }

}  // namespace

TReportsRequest ReportsRequestOf(TMainForm& form) {
    TReportsRequest request;
    request.Date = DateOf(form.Calendar->Date());
    const QString& view = form.Preferences.ResourceView;
    const bool resources = view.isEmpty() || Is(view, "resources");
    const bool groups = Is(view, "groups");
    const TTabSheet* page = form.DataPageControl->ActivePage();
    if (page == form.DayViewTabSheet) {
        request.ColumnWidth = form.DayGrid->ColumnSize;
        if (resources) request.ReportChoice = QStringLiteral("DayViewRadioButton");
        else if (groups) request.ReportChoice = QStringLiteral("GroupDayViewRadioButton");
    } else if (page == form.MultiDayViewTabSheet) {
        request.ColumnWidth = form.MultiDayGrid->ColumnSize;
        request.ReportChoice = QStringLiteral("WeekViewRadioButton");
    } else if (page == form.WeekViewTabSheet) {
        request.ColumnWidth = form.WeekGrid->ColumnSize;
        request.ReportChoice = QStringLiteral("WeekViewRadioButton");
    } else if (page == form.MonthViewTabSheet) {
        request.ColumnWidth = form.MonthGrid->DefaultColWidth();
        request.ReportChoice = QStringLiteral("MonthViewRadioButton");
    } else if (page == form.RemindersTabSheet) {
        request.ReportChoice = QStringLiteral("ReminderListRadioButton");
    }
    if (resources) request.ResourceChoice = QStringLiteral("ResourceRadioButton");
    else if (groups) request.ResourceChoice = QStringLiteral("ResourceGroupRadioButton");
    request.ResourceName = form.Preferences.ResourceViewResource;
    request.GroupName = form.Preferences.ResourceViewGroup;
    return request;
}

void TMainForm::ConnectListsAndCommands() {
    TaskLists = std::make_unique<TMainTaskLists>(*this, data_, services_);
    SetCommand(QStringLiteral("NewTaskItem"), [this] { TaskLists->NewTask(); });
    SetCommand(QStringLiteral("ViewTaskItem"), [this] { TaskLists->ViewTask(); });
    SetCommand(QStringLiteral("DeleteTaskItem"), [this] { TaskLists->DeleteTaskItemClick(); });

    const auto openReports = [this] {
        if (!services_.Reports) return;
        services_.Reports(*this);
        RebuildReportsMenu();
        UpdateCaption();
    };
    if (services_.Reports) SetCommand(QStringLiteral("ReportsItem"), openReports);
    if (services_.Reports || services_.PrintTasks)
        SetCommand(QStringLiteral("PrintItem"), [this, openReports] {
            if (DataPageControl->ActivePage() == TasksTabSheet) TaskLists->PrintTaskList();
            else openReports();
        });
    const auto predefined = [this](bool print) {
        Item(QStringLiteral("PrintPredefinedItem"))->SetChecked(print);
        Item(QStringLiteral("PreviewPredefinedItem"))->SetChecked(!print);
        Preferences.ReportsPrint = print;
    };
    SetCommand(QStringLiteral("PrintPredefinedItem"), [predefined] { predefined(true); });
    SetCommand(QStringLiteral("PreviewPredefinedItem"), [predefined] { predefined(false); });

    // Search menu.
    if (services_.FindBookings)
        SetCommand(QStringLiteral("SearchBookingsItem"), [this] {
            services_.FindBookings(*this, DateOf(Calendar->Date()));
            ShowActiveView();
            for (TADOTable* table : {&data_.BookingsTable, &data_.BookingsShadowTable})
                if (table->Active()) table->Requery();
        });
    if (services_.FindDeletedBookings)
        SetCommand(QStringLiteral("DeletedBookingsItem"), [this] { services_.FindDeletedBookings(*this); });
    if (services_.FindHistory) SetCommand(QStringLiteral("HistoryItem"), [this] { services_.FindHistory(*this); });
    if (services_.SearchDate)
        SetCommand(QStringLiteral("GoToDateItem"), [this] {
            TDateTime date = DateOf(Calendar->Date());
            if (!services_.SearchDate(*this, date)) return;
            Calendar->SetDate(date);
            const TDateTime shown = MonthGrid->Info.MonthStart;
            if (YearOf(date) != YearOf(shown) || MonthOf(date) != MonthOf(shown)) MonthGrid->ClearMonth();
            ShowActiveView();
        });

    // Edit menu: the resource editors.
    if (services_.EditFeatures)
        SetCommand(QStringLiteral("FeaturesItem"), [this] {
            services_.EditFeatures(*this);
            UpdateCaption();
        });
    if (services_.EditResources)
        SetCommand(QStringLiteral("ResourcesItem"), [this] {
            services_.EditResources(*this);
            RequeryResourceLists(true);
            UpdateCommandStates();
        });
    if (services_.EditGroups)
        SetCommand(QStringLiteral("GroupsItem"), [this] {
            services_.EditGroups(*this);
            RequeryResourceLists(false);
        });
    if (services_.ResourceInformation)
        SetCommand(QStringLiteral("ResourceInformationItem"), [this] { ResourceInformationClick(); });

    // View and Tools menus.
    const std::pair<const char*, TMainWindowServices::Command TMainWindowServices::*> plain[] = {
        {"ActiveUsersItem", &TMainWindowServices::UserList},
        {"DatabaseInformationItem", &TMainWindowServices::DatabaseInfo},
        {"QueriesItem", &TMainWindowServices::DataQuery},
        {"AboutItem", &TMainWindowServices::About},
    };
    for (const auto& [itemName, member] : plain)
        if (const auto& command = services_.*member)
            SetCommand(QString::fromLatin1(itemName), [this, command] { command(*this); });
    if (services_.Import)
        SetCommand(QStringLiteral("ImportItem"), [this] {
            WithRefreshTimerOff([this] {
                if (services_.Import(*this)) ShowActiveView();
            });
            Item(QStringLiteral("RefreshItem"))->Click();
        });
    if (services_.Export)
        SetCommand(QStringLiteral("ExportItem"),
                   [this] { WithRefreshTimerOff([this] { services_.Export(*this, DateOf(Calendar->Date())); }); });

    // Help menu.
    SetCommand(QStringLiteral("HelpTopicsItem"), [] {
        ShowHelp([](THelpRouter& router) {
            router.ShowContents();
            return true;
        });
    });
    SetCommand(QStringLiteral("ReadTutorialItem"), [] {
        ShowHelp([](THelpRouter& router) {
            return router.ShowTopic(QString(), QStringLiteral("html\\tutorial\\tutorial.html"));
        });
    });
    SetCommand(QStringLiteral("EmailItem"), [this] { OpenMakersAddress(kSupportAddress); });
    SetCommand(QStringLiteral("HomePageItem"), [this] { OpenMakersAddress(kHomePage); });
    SetCommand(QStringLiteral("LogSystemInfoItem"), [this] {
        TDvLogSystemInfoDialog dialog;
        dialog.LogLines.Clear();
        for (const QString& line : SystemInfoLines()) dialog.LogLines.Add(line);
        dialog.Execute();
    });
    SetCommand(QStringLiteral("UpdatesItem"), [this] {
        TUpdatesForm updates(this, DvCheckUpdates);
        updates.ShowModal();
    });
}

void TMainForm::OpenMakersAddress(const QString& address) {
    if (!IsInternetConnected(true)) {
        MessageDlg(kNotConnected, mtInformation, {mbOK});
        return;
    }
    const bool opened = services_.OpenAddress ? services_.OpenAddress(address) : util::OpenWithDesktop(QUrl(address));
    if (!opened) MessageDlg(NoProgramFor(address), mtInformation, {mbOK});
}

void TMainForm::RebuildReportsMenu() {
    data::FillReportsMenu(data_, *Item(QStringLiteral("ReportsMenu")), Item(QStringLiteral("ReportsSeparator")),
                          [this](QObject* sender) {
                              const auto* item = dynamic_cast<TMenuItem*>(sender);
                              if (!item || !services_.RunSavedReport) return;
                              const bool preview = Item(QStringLiteral("PreviewPredefinedItem"))->Checked();
                              services_.RunSavedReport(*this, item->Caption(), preview ? 2 : 1);
                          });
}

void TMainForm::RequeryResourceLists(bool resources) {
    if (resources) {
        const TField& id = ResourcesQuery.FieldByName(QStringLiteral("ResourceId"));
        const int resourceId = ResourcesQuery.IsEmpty() || id.IsNull() ? -1 : id.AsInteger();
        ResourcesQuery.DisableControls();
        ResourcesQuery.Requery();
        ResourcesQuery.EnableControls();
        if (resourceId != -1) ResourcesQuery.Locate(QStringLiteral("ResourceId"), resourceId);
        for (TADOTable* table : {&data_.ResourceTable, &data_.ResourceShadowTable})
            if (table->Active()) table->Requery();
    }
    const QString group = GroupsQuery.Active() && !GroupsQuery.IsEmpty()
                              ? GroupsQuery.FieldByName(QStringLiteral("GroupName")).AsString()
                              : QString();
    if (GroupsQuery.Active()) {
        GroupsQuery.DisableControls();
        GroupsQuery.Requery();
        GroupsQuery.EnableControls();
        if (!group.isEmpty()) GroupsQuery.Locate(QStringLiteral("GroupName"), group);
    }
    FillResourceTree();
    if (RefreshView) RefreshView();
    UpdateCaption();
}

void TMainForm::ResourceInformationClick() {
    if (SelectedResources.GetCount() == 0) {
        MessageDlg(QStringLiteral("No resource selected"), mtInformation, {mbOK});
        return;
    }
    const TTabSheet* page = DataPageControl->ActivePage();
    const auto idOf = [](const TResourceItem* item) { return item ? item->ResourceId : -1; };
    int resourceId = -1;
    if (page == DayViewTabSheet) {
        resourceId = idOf(DayGrid->GetResource(DayGrid->Selection().Left, 0));
    } else if (page == MultiDayViewTabSheet) {
        resourceId = idOf(MultiDayGrid->GetResource(0, MultiDayGrid->Selection().Top));
    } else if (page == WeekViewTabSheet) {
        resourceId = idOf(SelectedResources.GetItem(
            std::clamp(UpDownWeekViewResource->Position(), 0, SelectedResources.GetCount() - 1)));
    } else if (page == MonthViewTabSheet) {
        resourceId = idOf(SelectedResources.GetItem(0));
    } else {
        MessageDlg(QStringLiteral("There is no resource selected to view."), mtInformation, {mbOK});
        return;
    }
    services_.ResourceInformation(*this, resourceId);
}

QStringList TMainForm::SystemInfoLines() {
    QString version;
    GetFileVersionText(rtl::ExeName(), 1, version);
    QStringList lines{QStringLiteral("System Information"), QString(),
                      QStringLiteral("Generated by ") + QFileInfo(rtl::ExeName()).fileName() + u' ' + version,
                      QString()};
    if (DatabaseOpen()) {
        lines << QStringLiteral("Database: ") + data_.DatabaseFileName;
        const int mode = data_.GlobalTable.Active() && !data_.GlobalTable.IsEmpty()
                             ? data_.GlobalTable.FieldByName(QStringLiteral("UseridMode")).AsInteger()
                             : 0;
        lines << (mode == 2   ? QStringLiteral("Userid Mode: Novell Userid")
                  : mode == 1 ? QStringLiteral("Userid Mode: Workstation Logon")
                              : QStringLiteral("Userid Mode: Unknown"));
    } else {
        lines << QStringLiteral("Database: No database open") << QStringLiteral("Userid Mode: n/a");
    }
    data_.DvNwClient.DetectUser();
    lines << (data_.DvNwClient.Present ? QStringLiteral("Novell userid: \"") + data_.DvNwClient.UserName + u'"'
                                       : QStringLiteral("Novell userid: n/a"));
    lines << QStringLiteral("Windows userid: ") + TData::GetWindowsUserName();
    return lines;
}
