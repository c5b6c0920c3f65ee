// The booking window's construction, its commands and how it prepares itself for the booking it shows.
#include "booking/BookingForm.h"

#include "booking/BookingCommands.h"
#include "booking/BookingFormShowGroup.h"
#include "booking/TaskEditFrame.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwDBComboBox.h"
#include "controls/edit/WwDBEdit.h"
#include "controls/grid/WwGridFormClasses.h"
#include "controls/grid/Wwdblook.h"
#include "data/bookings/TaskRecord.h"
#include "data/bookings/UDFField.h"
#include "data/module/DataModule.h"
#include "data/module/LookupQueries.h"
#include "data/module/SQLDataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StandardIcons.h"
#include "platform/ui/ToolBar.h"

#include <QStyle>
#include <cmath>
#include <map>

namespace {

struct MenuRow {
    const char* name;
    // The menu it belongs to; empty for a menu of the bar.
    const char* parent;
    const char* caption;
    // The hint of the tool button that shares the item; none when empty.
    const char* hint = "";
};

const MenuRow kMenu[] = {
    {"FileMenu", "", "&File"},
    {"PrintItem", "FileMenu", "&Print", "Print"},
    {"PreviewItem", "FileMenu", "Print &Preview", "Preview"},
    {"PrintOptionsItem", "FileMenu", "Print Options...", "Print Options"},
    {"FileSeparator1", "FileMenu", "-"},
    {"CloseItem", "FileMenu", "Close"},
    {"ViewMenu", "", "&View"},
    {"HistoryItem", "ViewMenu", "&History", "History"},
    {"ResourceDetailsItem", "ViewMenu", "Resource Details"},
    {"ViewSeparator1", "ViewMenu", "-"},
    {"Layout1Item", "ViewMenu", "Layout 1"},
    {"Layout2Item", "ViewMenu", "Layout 2"},
    {"CustomizeItem", "ViewMenu", "Customize..."},
    {"RestoreDefaultView1", "ViewMenu", "Restore Default View"},
    {"BookingMenu", "", "&Booking"},
    {"DeleteItem", "BookingMenu", "&Delete", "Delete Booking"},
    {"UpdateItem", "BookingMenu", "&Update", "Post Changes"},
    {"RepeatItem", "BookingMenu", "&Repeat", "Repeat Booking"},
    {"AttachItem", "BookingMenu", "&Attach to group...", "Attach to Group Booking"},
    {"DetachItem", "BookingMenu", "Detac&h from group", "Detatch from Group Booking"},
    {"ShowGroupItem", "BookingMenu", "Show &Group", "Show Group Bookings"},
    {"TaskMenu", "", "Task"},
    {"AddTaskItem", "TaskMenu", "Add", "Add Task"},
    {"DeleteTaskItem", "TaskMenu", "Delete", "Delete Task"},
    {"EmailMenu", "", "Email"},
    {"ComposeItem", "EmailMenu", "Compose", "Compose Email"},
    {"EmailOptionsItem", "EmailMenu", "&Options", "Email Options"},
};

// The items whose handlers this window has itself; the others run the hook of their name.
bool OwnCommand(const QString& name) {
    for (const char* own : {"CloseItem", "UpdateItem", "Layout1Item", "Layout2Item", "CustomizeItem",
                            "RestoreDefaultView1", "AddTaskItem", "DeleteTaskItem"})
        if (name == QLatin1String(own)) return true;
    return false;
}

bool IsGroup(const TField& groupField) { return !groupField.IsNull() && groupField.AsInteger() != 0; }

}  // namespace

TBookingForm::TBookingForm(QWidget* owner, TData& data, TSQLData& sqlData)
    : TForm(owner), data_(data), sqlData_(sqlData) {
    controls::RegisterGridFormClasses();
    // clang-format off
    ui::DescribeForm(*this, {"BookingForm", "Booking", bsSizeable, poScreenCenter, 700, 392}, {
        // name                     class                  parent       left top  width height caption   properties
        {"ToolPanel",               "TPanel",              "",          0,   0,   700, 30,  "",            "Align=alTop; BevelOuter=bvNone"},
        {"StatusBar",               "TStatusBar",          "",          0,   0,   700, 20},
        {"BottomPanel",             "TPanel",              "",          0,   0,   700, 40,  "",            "Align=alBottom; BevelOuter=bvNone"},
        {"OkButton",                "TButton",             "BottomPanel", 264, 8, 80,  25,  "Ok",          "Default=True"},
        {"CancelButton",            "TButton",             "BottomPanel", 356, 8, 80,  25,  "Cancel",      "Cancel=True"},
        {"TaskPanel",               "TPanel",              "",          0,   0,   700, 240, "",            "Align=alBottom; BevelOuter=bvNone; Visible=False"},
        {"MidPanel",                "TPanel",              "",          0,   0,   700, 302, "",            "Align=alClient; BevelOuter=bvNone"},
        {"ResourceLabel",           "TLabel",              "MidPanel",  8,   10,  88,  17,  "Resource"},
        {"ResourceNameLookupCombo", "TwwDBLookupCombo",    "MidPanel",  100, 8,   234, 21},
        {"DateLabel",               "TLabel",              "MidPanel",  8,   38,  88,  17,  "Date"},
        {"StartDatePicker",         "TwwDBDateTimePicker", "MidPanel",  100, 36,  100, 21},
        {"ToDateLabel",             "TLabel",              "MidPanel",  206, 38,  22,  17,  "to"},
        {"ToDateButton",            "TButton",             "MidPanel",  204, 36,  26,  21,  "to"},
        {"EndDatePicker",           "TwwDBDateTimePicker", "MidPanel",  232, 36,  100, 21},
        {"PhantomEndDatePicker",    "TwwDBDateTimePicker", "MidPanel",  232, 36,  100, 21},
        {"AllDayCheckBox",          "TCheckBox",           "MidPanel",  346, 8,   82,  21,  "All Day"},
        {"TimeLabel",               "TLabel",              "MidPanel",  8,   66,  88,  17,  "Time"},
        {"StartTimePicker",         "TwwDBDateTimePicker", "MidPanel",  100, 64,  100, 21},
        {"ToTimeLabel",             "TLabel",              "MidPanel",  206, 66,  22,  17,  "to"},
        {"EndTimePicker",           "TwwDBDateTimePicker", "MidPanel",  232, 64,  100, 21},
        {"ClientLabel",             "TLabel",              "MidPanel",  8,   94,  88,  17,  "Client"},
        {"ClientDBEdit",            "TwwDBEdit",           "MidPanel",  100, 92,  236, 21},
        {"ClientSearchButton",      "TButton",             "MidPanel",  340, 92,  26,  21,  "..."},
        {"EmailLabel",              "TLabel",              "MidPanel",  8,   122, 88,  17,  "Email"},
        {"EmailDBEdit",             "TwwDBEdit",           "MidPanel",  100, 120, 266, 21},
        {"PhoneLabel",              "TLabel",              "MidPanel",  8,   150, 88,  17,  "Phone"},
        {"PhoneDBEdit",             "TwwDBEdit",           "MidPanel",  100, 148, 266, 21},
        {"udf1Label",               "TLabel",              "MidPanel",  8,   178, 88,  18,  "",            "AutoSize=False"},
        {"udf1DBEdit",              "TwwDBEdit",           "MidPanel",  100, 176, 266, 21},
        {"udf2Label",               "TLabel",              "MidPanel",  8,   206, 88,  18,  "",            "AutoSize=False"},
        {"udf2DBEdit",              "TwwDBEdit",           "MidPanel",  100, 204, 266, 21},
        {"AddressLabel",            "TLabel",              "MidPanel",  8,   234, 88,  17,  "Address"},
        {"AddressDBEdit",           "TwwDBEdit",           "MidPanel",  100, 232, 266, 62},
        {"DescriptionLabel",        "TLabel",              "MidPanel",  432, 8,   200, 17,  "Description"},
        {"DescriptionDBEdit",       "TwwDBEdit",           "MidPanel",  432, 26,  200, 62},
        {"NotesLabel",              "TLabel",              "MidPanel",  432, 96,  200, 17,  "Notes"},
        {"NotesDBEdit",             "TwwDBEdit",           "MidPanel",  432, 114, 200, 62},
        {"ReminderLabel",           "TLabel",              "MidPanel",  432, 184, 200, 17,  "Reminder"},
        {"ReminderDBEdit",          "TwwDBEdit",           "MidPanel",  432, 202, 200, 62},
    });
    // clang-format on
    MidPanel = Find<TPanel>(QStringLiteral("MidPanel"));
    ResourceNameLookupCombo = Find<TwwDBLookupCombo>(QStringLiteral("ResourceNameLookupCombo"));
    StartDatePicker = Find<TwwDBDateTimePicker>(QStringLiteral("StartDatePicker"));
    StartTimePicker = Find<TwwDBDateTimePicker>(QStringLiteral("StartTimePicker"));
    EndDatePicker = Find<TwwDBDateTimePicker>(QStringLiteral("EndDatePicker"));
    EndTimePicker = Find<TwwDBDateTimePicker>(QStringLiteral("EndTimePicker"));
    PhantomEndDatePicker = Find<TwwDBDateTimePicker>(QStringLiteral("PhantomEndDatePicker"));
    TimeLabel = Find<TLabel>(QStringLiteral("TimeLabel"));
    ToDateLabel = Find<TLabel>(QStringLiteral("ToDateLabel"));
    ToTimeLabel = Find<TLabel>(QStringLiteral("ToTimeLabel"));
    AllDayCheckBox = Find<TCheckBox>(QStringLiteral("AllDayCheckBox"));
    ToDateButton = Find<TButton>(QStringLiteral("ToDateButton"));
    ClientDBEdit = Find<TwwDBEdit>(QStringLiteral("ClientDBEdit"));
    EmailDBEdit = Find<TwwDBEdit>(QStringLiteral("EmailDBEdit"));
    PhoneDBEdit = Find<TwwDBEdit>(QStringLiteral("PhoneDBEdit"));
    AddressDBEdit = Find<TwwDBEdit>(QStringLiteral("AddressDBEdit"));
    DescriptionDBEdit = Find<TwwDBEdit>(QStringLiteral("DescriptionDBEdit"));
    NotesDBEdit = Find<TwwDBEdit>(QStringLiteral("NotesDBEdit"));
    ReminderDBEdit = Find<TwwDBEdit>(QStringLiteral("ReminderDBEdit"));
    udf1DBEdit = Find<TwwDBEdit>(QStringLiteral("udf1DBEdit"));
    udf2DBEdit = Find<TwwDBEdit>(QStringLiteral("udf2DBEdit"));
    udf1Label = Find<TLabel>(QStringLiteral("udf1Label"));
    udf2Label = Find<TLabel>(QStringLiteral("udf2Label"));
    EmailLabel = Find<TLabel>(QStringLiteral("EmailLabel"));
    PhoneLabel = Find<TLabel>(QStringLiteral("PhoneLabel"));
    AddressLabel = Find<TLabel>(QStringLiteral("AddressLabel"));
    DescriptionLabel = Find<TLabel>(QStringLiteral("DescriptionLabel"));
    NotesLabel = Find<TLabel>(QStringLiteral("NotesLabel"));
    ReminderLabel = Find<TLabel>(QStringLiteral("ReminderLabel"));
    ClientSearchButton = Find<TButton>(QStringLiteral("ClientSearchButton"));
    StatusBar = Find<TStatusBar>(QStringLiteral("StatusBar"));
    StatusBar->SetSimplePanel(true);
    OkButton = Find<TButton>(QStringLiteral("OkButton"));
    CancelButton = Find<TButton>(QStringLiteral("CancelButton"));
    TaskPanel = Find<TPanel>(QStringLiteral("TaskPanel"));
    TaskEditFrame = new TTaskEditFrame(this, data_);
    TaskEditFrame->EmbedIn(TaskPanel, 0, 0);
    TaskEditFrame->OnControlChange = [this] {
        if (TaskState == 0) return;
        TaskEditFrame->Modified = true;
        UpdateCaption();
    };

    MakeMenu();
    WireEditors();
    MakeTimeCombos();

    ResourceLookupTable.SetConnection(&data_.ADOConnection);
    ResourceLookupTable.TableName = QStringLiteral("Resources");
    ResourceLookupTable.IndexName = QStringLiteral("ResourceNameIndex");
    ResourceNameLookupCombo->SetLookupTable(&ResourceLookupTable);
    ResourceNameLookupCombo->SetLookupField(QStringLiteral("ResourceName"));
    ResourceNameLookupCombo->Selected().Add(QStringLiteral("ResourceName\t25\tResourceName"));
    ResourceNameLookupCombo->Style = csDropDownList;
    GroupBookingQuery.SetConnection(&data_.ADOConnection);
    StatusBarQuery.SetConnection(&data_.ADOConnection);
    StatusBarQuery.SQL.SetText(
        QStringLiteral("select * \r\nfrom [History]\r\nwhere BookingId = :BookingId\r\n"
                       "   or GroupBookingId = :GroupBookingId"));

    OriginalRecord = data_.NewBookingRecord(data_.BookingsTable);
    EditRecord = data_.NewBookingRecord(data_.BookingsTable);

    OkButton->OnClick = [this](QObject*) { OkButtonClick(); };
    CancelButton->OnClick = [this](QObject*) { CancelButtonClick(); };
    ToDateButton->OnClick = [this](QObject*) { ToDateButtonClick(); };
    ClientSearchButton->OnClick = [this](QObject*) { ClientSearchButtonClick(); };
    OnShow = [this](QObject*) { FormShow(); };
    OnClose = [this](QObject*, TCloseAction&) { FormClose(); };
    Loaded();
    setMinimumSize(size());
    LoadUserDefaults();
    FormResize();
    MidPanel->OnResize = [this](QObject*) { FormResize(); };
    TaskPanel->OnResize = [this](QObject*) { FormResize(); };
}

TBookingForm::~TBookingForm() {
    try {
        SaveUserDefaults();
    } catch (const std::exception&) {
        // The place of a window is not worth a failure while it goes.
    }
    OnCloseQuery = nullptr;
    MidPanel->OnResize = nullptr;
    TaskPanel->OnResize = nullptr;
    TaskEditFrame->OnControlChange = nullptr;
    AttachDateHandlers(false, false, false);
    AllDayCheckBox->OnClick = nullptr;
}

namespace {

// The picture of each tool button, by the item it runs.
QIcon ToolIcon(const QString& item) {
    static const std::map<QString, QStyle::StandardPixmap> icons = {
        {QStringLiteral("PrintItem"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("PreviewItem"), QStyle::SP_FileDialogContentsView},
        {QStringLiteral("PrintOptionsItem"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("HistoryItem"), QStyle::SP_FileDialogInfoView},
        {QStringLiteral("DeleteItem"), QStyle::SP_TrashIcon},
        {QStringLiteral("UpdateItem"), QStyle::SP_DialogApplyButton},
        {QStringLiteral("RepeatItem"), QStyle::SP_BrowserReload},
        {QStringLiteral("AttachItem"), QStyle::SP_ArrowRight},
        {QStringLiteral("DetachItem"), QStyle::SP_ArrowLeft},
        {QStringLiteral("ShowGroupItem"), QStyle::SP_FileDialogListView},
        {QStringLiteral("AddTaskItem"), QStyle::SP_FileDialogNewFolder},
        {QStringLiteral("DeleteTaskItem"), QStyle::SP_DialogDiscardButton},
        {QStringLiteral("ComposeItem"), QStyle::SP_MessageBoxInformation},
        {QStringLiteral("EmailOptionsItem"), QStyle::SP_FileDialogStart},
    };
    const auto found = icons.find(item);
    return ui::StandardIcon(found == icons.end() ? QStyle::SP_FileIcon : found->second);
}

}  // namespace

void TBookingForm::MakeMenu() {
    MainMenu = new TMainMenu(this);
    ToolBar = new TToolBar(Find<TPanel>(QStringLiteral("ToolPanel")));
    ToolBar->SetName(QStringLiteral("ToolBar"));
    ToolBar->SetShowHint(true);
    for (const MenuRow& row : kMenu) {
        auto* item = new TMenuItem(this);
        const QString name = QString::fromLatin1(row.name);
        item->setObjectName(name);
        item->SetCaption(QString::fromLatin1(row.caption));
        (*row.parent ? Item(QString::fromLatin1(row.parent)) : MainMenu->Items())->Add(item);
        items_[name] = item;
        if (*row.parent && !item->IsLine()) item->OnClick = [this, name](QObject*) { RunCommand(name); };
        if (!*row.hint) continue;
        auto* button = new TToolButton(ToolBar);
        button->setObjectName(name.left(name.size() - 4) + QStringLiteral("ToolButton"));
        button->SetMenuItem(item);
        item->Action()->setIcon(ToolIcon(name));
        item->Action()->setIconVisibleInMenu(false);
        item->Action()->setToolTip(QString::fromLatin1(row.hint));
    }
}

TMenuItem* TBookingForm::Item(const QString& name) const {
    const auto found = items_.find(name);
    if (found == items_.end()) throw Exception(QStringLiteral("The booking window has no command %1").arg(name));
    return found->second;
}

void TBookingForm::RunCommand(const QString& name) {
    if (name == QLatin1String("CloseItem")) return CloseItemClick();
    if (name == QLatin1String("UpdateItem")) return UpdateItemClick();
    if (name == QLatin1String("Layout1Item")) return Layout1ItemClick();
    if (name == QLatin1String("Layout2Item")) return Layout2ItemClick();
    if (name == QLatin1String("CustomizeItem")) return CustomizeItemClick();
    if (name == QLatin1String("RestoreDefaultView1")) return RestoreDefaultView1Click();
    if (name == QLatin1String("AddTaskItem")) return AddTaskItemClick();
    if (name == QLatin1String("DeleteTaskItem")) return DeleteTaskItemClick();
    const auto hook = Hooks.Commands.find(name);
    if (hook != Hooks.Commands.end() && hook->second) hook->second(*this);
}

void TBookingForm::WireEditors() {
    for (TwwDBEdit* edit : {AddressDBEdit, DescriptionDBEdit, NotesDBEdit, ReminderDBEdit}) {
        edit->SetWordWrap(true);
        edit->SetWantReturns(true);
        edit->SetShowVertScrollBar(true);
    }
    const struct {
        TwwDBEdit* edit;
        const char* field;
    } bound[] = {{ClientDBEdit, "Client"},
                 {EmailDBEdit, "Email"},
                 {PhoneDBEdit, "Phone"},
                 {AddressDBEdit, "Address"},
                 {DescriptionDBEdit, "Description"},
                 {NotesDBEdit, "Notes"},
                 {ReminderDBEdit, "Reminder"}};
    for (const auto& b : bound) {
        b.edit->SetDataSource(&data_.BookingsDataSource);
        b.edit->SetDataField(QString::fromLatin1(b.field));
        b.edit->OnChange = [this](QObject*) { OnModify(); };
    }
    for (TwwDBEdit* edit : {udf1DBEdit, udf2DBEdit}) edit->OnChange = [this](QObject*) { OnModify(); };
    for (TwwDBDateTimePicker* picker : {StartDatePicker, EndDatePicker, PhantomEndDatePicker})
        picker->SetDisplayFormat(QStringLiteral("mmm d yyyy"));
    for (TwwDBDateTimePicker* picker : {StartTimePicker, EndTimePicker}) {
        picker->SetDisplayFormat(QStringLiteral("h:mm am/pm"));
        picker->OnChange = [this](QObject*) { OnModify(); };
    }
    for (TwwDBDateTimePicker* picker : {StartDatePicker, StartTimePicker})
        picker->SetDataSource(&data_.BookingsDataSource), picker->SetDataField(QStringLiteral("BookingStart"));
    for (TwwDBDateTimePicker* picker : {EndDatePicker, EndTimePicker})
        picker->SetDataSource(&data_.BookingsDataSource), picker->SetDataField(QStringLiteral("BookingEnd"));
    PhantomEndDatePicker->SetUnboundDataType(wwDTEdtDate);
    PhantomEndDatePicker->Hide();
    ResourceNameLookupCombo->OnDropDown = [this](QObject*) {
        if (!ResourceLookupTable.Active()) ResourceLookupTable.Open();
    };
    ResourceNameLookupCombo->OnCloseUp = [this](QObject*, TDataSet* lookup, TDataSet*, bool modified) {
        if (modified && lookup && lookup->Active() && !lookup->IsEmpty() && EditRow()) {
            data_.BookingsTable.FieldByName(QStringLiteral("ResourceId"))
                .SetAsInteger(lookup->FieldByName(QStringLiteral("ResourceId")).AsInteger());
            OnModify();
        }
    };
}

bool TBookingForm::LocateBooking(qint32 bookingId) {
    BookingId = bookingId;
    return data_.BookingsTable.Locate(QStringLiteral("BookingId"), bookingId);
}

void TBookingForm::SetFocusField(const QString& name) { FocusField = name.toLower(); }

bool TBookingForm::IsModified() const { return Changed || TaskEditFrame->Modified; }

void TBookingForm::OnModify() {
    if (writing_ > 0 || saving_) return;
    Edited = true;
    UpdateCaption();
}

void TBookingForm::Init() {
    ++writing_;
    AttachDateHandlers(false, false, false);
    AllDayCheckBox->OnClick = nullptr;
    TADOTable& bookings = data_.BookingsTable;
    if (bookings.State() == dsInsert) {
        NewBooking = true;
        ReadOnly = false;
    } else {
        NewBooking = false;
        ReadOnly = data_.ReadOnlyAccess ||
                   !sqlData_.CanWriteResourceBookings(
                       static_cast<qint32>(bookings.FieldByName(QStringLiteral("ResourceId")).AsInteger()), true,
                       bookings.FieldByName(QStringLiteral("Owner")).AsString());
    }
    BookingId = static_cast<qint32>(bookings.FieldByName(QStringLiteral("BookingId")).AsInteger());
    UpdateCaptionBase();

    const TDateTime start = FieldTime("BookingStart");
    const TDateTime end = FieldTime("BookingEnd");
    const auto midnight = [](TDateTime t) {
        const double time = t - std::floor(t);
        return time < OneMillisecond || 1 - time < OneMillisecond;
    };
    AllDayCheckBox->SetChecked(midnight(start) && midnight(end));
    PhantomEndDatePicker->SetDate(DateOf(end) - 1);
    ApplyAllDayState();

    const TField& resourceField = bookings.FieldByName(QStringLiteral("ResourceId"));
    const QVariant shown = resourceField.IsNull() ? QVariant()
                                                  : data_.ResourceShadowTable.Lookup(QStringLiteral("ResourceId"),
                                                                                     resourceField.AsInteger(),
                                                                                     QStringLiteral("ResourceName"));
    // The combo shows a name only through its open lookup table; it stays open while the window shows.
    if (!ResourceLookupTable.Active()) ResourceLookupTable.Open();
    ResourceNameLookupCombo->SetLookupValue(shown.isNull() ? QString() : shown.toString());
    BuildGroupBookingQuery();
    TaskState = LoadBookingTask() ? 1 : 0;
    Edited = false;
    Changed = false;
    UpdateCaption();
    SetupCustomFields(data_.Udf1Field.get(), data_.Udf2Field.get());
    FormResize();
    SetEditorsReadOnly(ReadOnly);
    UpdateCommandStates(ReadOnly);
    if (ReadOnly) SetActiveControl(nullptr);
    UpdateStatusBar();
    OnCloseQuery = [this](QObject*, bool& canClose) { FormCloseQuery(canClose); };
    OriginalRecord->Load();
    AllDayCheckBox->OnClick = [this](QObject*) { AllDayCheckBoxClick(); };
    --writing_;
}

void TBookingForm::BuildGroupBookingQuery() {
    GroupBookingQuery.SQL.SetText(
        booking::GroupBookingQueryLines(data_.Udf1Field.get(), data_.Udf2Field.get()).join(QStringLiteral("\r")));
}

void TBookingForm::UpdateCaptionBase() {
    const TField& resourceField = data_.BookingsTable.FieldByName(QStringLiteral("ResourceId"));
    // A new booking has no id until it is saved.
    CaptionBase = QStringLiteral("Booking Id: ") + (BookingId > 0 ? QString::number(BookingId) : QString());
    ResourceName.clear();
    if (!resourceField.IsNull()) {
        ResourceId = static_cast<qint32>(resourceField.AsInteger());
        const QVariant name =
            data_.ResourceTable.Lookup(QStringLiteral("ResourceId"), ResourceId, QStringLiteral("ResourceName"));
        ResourceName = name.isNull() ? QString() : name.toString();
        CaptionBase += QStringLiteral("   ") + ResourceName;
    }
}

void TBookingForm::UpdateCaption() {
    QString state = QStringLiteral(" (unmodified)");
    if (NewBooking) state = QStringLiteral(" (new)");
    else if (Edited || (TaskState != 0 && TaskEditFrame->Modified)) state = QStringLiteral(" (modified)");
    SetCaption(CaptionBase + state);
}

void TBookingForm::UpdateStatusBar() {
    const TADOTable& bookings = data_.BookingsTable;
    try {
        StatusBarQuery.Close();
        const TField& group = bookings.FieldByName(QStringLiteral("GroupBookingId"));
        StatusBarQuery.Parameters.ParamByName(QStringLiteral("BookingId"))
            .SetValue(bookings.FieldByName(QStringLiteral("BookingId")).Value());
        StatusBarQuery.Parameters.ParamByName(QStringLiteral("GroupBookingId")).SetValue(group.Value());
        StatusBarQuery.Open();
        const auto stamp = [this] {
            return FormatDateTime(QStringLiteral("mmm d yyyy"),
                                  StatusBarQuery.FieldByName(QStringLiteral("HistoryTimeStamp")).AsDateTime());
        };
        const auto code = [this] { return StatusBarQuery.FieldByName(QStringLiteral("HistoryCode")).AsInteger(); };
        QString created = QStringLiteral("n/a");
        QString modified = QStringLiteral("n/a");
        if (!NewBooking) {
            StatusBarQuery.First();
            created = !StatusBarQuery.Eof() && code() == 1 ? stamp() : QStringLiteral("unknown");
            modified = created;
            for (StatusBarQuery.Last(); !StatusBarQuery.Bof(); StatusBarQuery.Prior()) {
                if (code() == 2) {
                    modified = stamp();
                    break;
                }
                if (StatusBarQuery.RecNo() <= 1) break;
            }
        }
        QString owner = bookings.FieldByName(QStringLiteral("Owner")).AsString();
        if (owner.isEmpty()) owner = QStringLiteral("n/a");
        QString text = QStringLiteral("Owner: ") + owner + QStringLiteral("   Created: ") + created +
                       QStringLiteral("   Modified: ") + modified;
        if (TaskState != 0) {
            const int taskId = TaskEditFrame->TaskId();
            text += QStringLiteral("   TaskId: ") +
                    (taskId == 0 || taskId == -1 ? QStringLiteral("n/a") : QString::number(taskId));
            const QString taskOwner = TaskEditFrame->TaskOwner();
            if (taskOwner != owner) text += QStringLiteral("   TaskOwner: ") + taskOwner;
        }
        StatusBar->SetSimpleText(text);
    } catch (const std::exception&) {
        StatusBar->SetSimpleText(QString());
    }
    StatusBarQuery.Close();
}

void TBookingForm::SetupCustomFields(const TUDFField* first, const TUDFField* second) {
    const struct {
        const TUDFField* udf;
        TLabel* label;
        TwwDBEdit* edit;
    } custom[] = {{first, udf1Label, udf1DBEdit}, {second, udf2Label, udf2DBEdit}};
    for (const auto& c : custom) {
        c.label->SetVisible(c.udf != nullptr);
        c.edit->SetVisible(c.udf != nullptr);
        if (!c.udf) continue;
        ++writing_;
        c.label->SetCaption(c.udf->Caption);
        c.edit->SetDataSource(ClientDBEdit->DataSource());
        c.edit->SetDataField(c.udf->FieldName);
        if (TField* field = c.edit->Field()) {
            field->SetAlignment(taLeftJustify);
            if (!c.udf->EditMask.isEmpty()) field->SetEditMask(c.udf->EditMask);
        }
        --writing_;
    }
}

void TBookingForm::SetEditorsReadOnly(bool readOnly) {
    for (TControl* control : std::initializer_list<TControl*>{
             ResourceNameLookupCombo, StartDatePicker, EndDatePicker, PhantomEndDatePicker, StartTimePicker,
             EndTimePicker, ClientDBEdit, EmailDBEdit, PhoneDBEdit, AddressDBEdit, DescriptionDBEdit, NotesDBEdit,
             ReminderDBEdit, AllDayCheckBox, StartTimeComboBox, EndTimeComboBox})
        control->SetEnabled(!readOnly);
    // The custom columns are booking fields like the others: a user who may not change the booking may not
    // change them either.
    for (TwwDBEdit* edit : {udf1DBEdit, udf2DBEdit}) edit->SetReadOnly(readOnly);
    TaskEditFrame->TaskGroupBox->SetEnabled(!readOnly);
}

void TBookingForm::UpdateCommandStates(bool readOnly) {
    const TADOTable& bookings = data_.BookingsTable;
    const bool inGroup = IsGroup(bookings.FieldByName(QStringLiteral("GroupBookingId")));
    const bool single = SingleBookingMode;
    const bool addTask = !readOnly && (TaskState == 0 || TaskState == 3);
    const std::map<QString, bool> states = {
        {QStringLiteral("DeleteItem"), !NewBooking && !readOnly},
        {QStringLiteral("UpdateItem"), !readOnly},
        {QStringLiteral("RepeatItem"), !readOnly && !single},
        {QStringLiteral("ShowGroupItem"), inGroup && !single},
        {QStringLiteral("AttachItem"), !inGroup && !single && !readOnly},
        {QStringLiteral("DetachItem"), inGroup && !single && !readOnly},
        {QStringLiteral("AddTaskItem"), addTask},
        {QStringLiteral("DeleteTaskItem"), !readOnly && !addTask},
        {QStringLiteral("ComposeItem"), Hooks.HasMailClient && Hooks.HasMailClient() && !readOnly},
    };
    for (const auto& [name, enabled] : states) {
        const bool handled = OwnCommand(name) || Hooks.Commands.count(name) > 0;
        Item(name)->SetEnabled(enabled && handled);
    }
    for (const char* name :
         {"PrintItem", "PreviewItem", "PrintOptionsItem", "HistoryItem", "ResourceDetailsItem", "EmailOptionsItem"})
        Item(QString::fromLatin1(name))->SetEnabled(Hooks.Commands.count(QString::fromLatin1(name)) > 0);
    ToDateButton->SetEnabled(!readOnly);
    ClientSearchButton->SetEnabled(!readOnly && Hooks.SelectAddressCard != nullptr);
}

int TBookingForm::AskGroupQuestion(const QString& caption, const QString& text) {
    if (Hooks.AskGroupQuestion) return Hooks.AskGroupQuestion(caption, text);
    TShowGroupForm question(this);
    question.SetCaption(caption);
    question.SetMessage(text);
    return question.ShowModal();
}

int TBookingForm::CheckBookingEditable(int action, const TBookingRecord* edited, qint32 bookingId, int listMode,
                                       QList<qint32>& ids, int& groupCount, bool ask, bool alwaysList) {
    TADOTable& bookings = data_.BookingsTable;
    groupCount = 0;
    ids.clear();
    if (bookings.FieldByName(QStringLiteral("Trans")).AsBoolean()) {
        MessageDlg(QStringLiteral("Booking Id %1 is a transaction booking and can not be modified.").arg(bookingId),
                   mtInformation, {mbOK});
        return kEditableCancelled;
    }
    const TField& group = bookings.FieldByName(QStringLiteral("GroupBookingId"));
    const qint32 rowId = static_cast<qint32>(bookings.FieldByName(QStringLiteral("BookingId")).AsInteger());
    if (!SingleBookingMode && IsGroup(group)) {
        const qint32 groupId = static_cast<qint32>(group.AsInteger());
        groupCount = data::CountRows(data_.ADOConnection,
                                     QStringLiteral("select BookingId from Bookings where GroupBookingId = :Id"),
                                     {{QStringLiteral("Id"), groupId}});
        int answer = mrYes;
        if (ask && !alwaysList) {
            const bool update = action == kBookingActionUpdate;
            answer = AskGroupQuestion(
                update ? QStringLiteral("Update booking") : QStringLiteral("Delete booking"),
                QStringLiteral("This booking belongs to a group booking. Do you want to %1 any of the group bookings?")
                    .arg(update ? QStringLiteral("update") : QStringLiteral("delete")));
            if (answer != mrYes && answer != mrNo) return kEditableCancelled;
        }
        if ((alwaysList || groupCount > 1) && answer == mrYes && Hooks.ChooseGroupBookings) {
            TGroupBookingChoice choice{action, listMode, groupId, bookingId, edited, OriginalRecord.get(), ReadOnly};
            bool listChanged = false;
            const bool chosen = Hooks.ChooseGroupBookings(choice, ids, listChanged);
            if (listChanged) Changed = true;
            if (!chosen) return kEditableCancelled;
        } else {
            if (action == kBookingActionDelete && !AskDeleteBooking()) return kEditableCancelled;
            ids = {rowId};
        }
        return kEditableGoOn;
    }
    if (action == kBookingActionDelete && !AskDeleteBooking()) return kEditableCancelled;
    if (!sqlData_.CanWriteResourceBookings(
            static_cast<qint32>(bookings.FieldByName(QStringLiteral("ResourceId")).AsInteger()), true,
            bookings.FieldByName(QStringLiteral("Owner")).AsString()))
        return kEditableCancelled;
    ids = {rowId};
    return kEditableGoOn;
}

void TBookingForm::ClientSearchButtonClick() {
    TBookingClientCard card;
    if (Hooks.SelectAddressCard && Hooks.SelectAddressCard(card)) FillClientFromCard(card);
}

void TBookingForm::FillClientFromCard(const TBookingClientCard& card) {
    if (!EditRow()) return;
    const auto joined = [](const QStringList& parts, const QString& separator) {
        QStringList kept;
        for (const QString& part : parts)
            if (!part.trimmed().isEmpty()) kept << part.trimmed();
        return kept.join(separator);
    };
    TADOTable& bookings = data_.BookingsTable;
    const QString client =
        card.DisplayName.isEmpty() ? card.FirstName + QLatin1Char(' ') + card.LastName : card.DisplayName;
    bookings.FieldByName(QStringLiteral("Client")).SetAsString(client);
    bookings.FieldByName(QStringLiteral("Email")).SetAsString(card.EmailAddress);
    bookings.FieldByName(QStringLiteral("Phone")).SetAsString(card.Phone);
    const QString cityLine = joined({card.City, card.Prov, card.Postcode}, QStringLiteral(" "));
    bookings.FieldByName(QStringLiteral("Address"))
        .SetAsString(
            joined({card.Company, card.Address1, card.Address2, cityLine, card.Country}, QStringLiteral("\r\n")));
}

bool TBookingForm::AskDeleteBooking() {
    return MessageDlg(booking::DeleteBookingQuestion(data_.BookingsTable), mtConfirmation, {mbOK, mbCancel}) == mrOk;
}

void TBookingForm::FormShow() {
    Init();
    if (ResourceNameLookupCombo->Text().isEmpty() && ResourceNameLookupCombo->CanFocus()) {
        ResourceNameLookupCombo->SetFocus();
        return;
    }
    TControl* target = ClientDBEdit;
    if (FocusField == QLatin1String("starttime")) target = StartTimePicker;
    else if (FocusField == QLatin1String("endtime")) target = EndTimePicker;
    if (!target->Visible()) target = ClientDBEdit;
    if (target->CanFocus()) target->SetFocus();
}

void TBookingForm::FormClose() {
    // A change still pending here was never saved (the close query saves or keeps the window open): it is
    // dropped, so that no later post stores it without its checks and History row.
    TADOTable& bookings = data_.BookingsTable;
    if (bookings.State() == dsEdit || bookings.State() == dsInsert) bookings.Cancel();
    ResourceLookupTable.Close();
    TaskEditFrame->DisableControls();
    TADOQuery& tasks = TaskEditFrame->TasksQuery;
    if (tasks.State() == dsEdit || tasks.State() == dsInsert) tasks.Cancel();
    tasks.Close();
    TaskSnapshot.reset();
    AttachDateHandlers(false, false, false);
    AllDayCheckBox->OnClick = nullptr;
    SetEditorsReadOnly(false);
}
