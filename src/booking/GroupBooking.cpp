// The group booking list: its modes, rows, counts, column widths and commands.
#include "booking/GroupBooking.h"

#include "data/bookings/BookingRecord.h"
#include "data/bookings/Trans.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/ListView.h"
#include "util/DvFormUtils.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <QFontMetrics>
#include <algorithm>

namespace {

const QString kColWidthsKey = QStringLiteral("\\Forms\\GB\\ColWidths");
const QString kWindowKey = QStringLiteral("\\Forms\\GB\\Window");
constexpr int kButtonGap = 12;

struct ModeLook {
    const char* caption;
    // The Ok button's caption, empty when it is hidden; the Cancel button's likewise.
    const char* ok;
    const char* cancel;
    bool edit, remove, selectAll, selectOriginal;
};

// The print job's name: the title, and the database's title after it when there is one.
QString FormatDocumentName(const QString& title, const QString& databaseTitle) {
    return databaseTitle.isEmpty() ? title : title + QStringLiteral(" - ") + databaseTitle;
}

const ModeLook& LookOf(int mode) {
    static const ModeLook looks[] = {
        {"Select group bookings to update", "&Update", "&Cancel", false, false, true, true},
        {"Select group bookings to delete", "&Delete", "&Cancel", false, false, true, true},
        {"Repeat booking results", "&Ok", "&Cancel", false, false, false, false},
        {"Group Bookings", "&Close", "", true, false, false, true},
        {"Group booking update results", "&Accept", "&Cancel", true, false, true, false},
        {"Choose Booking to View", "", "&Close", true, false, false, false},
        {"Choose Booking to Delete", "", "&Cancel", false, true, false, false},
    };
    return looks[std::clamp(mode, 1, 7) - 1];
}

}  // namespace

namespace booking {

BusyPanel::BusyPanel(TForm& form, const QString& caption) : panel_(std::make_unique<TPanel>(form.ClientArea())) {
    panel_->SetCaption(caption);
    panel_->SetBounds((form.ClientWidth() - 300) / 2, (form.ClientHeight() - 100) / 2, 300, 100);
    panel_->Show();
    panel_->raise();
    panel_->repaint();
}

BusyPanel::~BusyPanel() = default;

}  // namespace booking

QString BookingStatusText(int status) {
    using data::BookingStatus;
    switch (static_cast<BookingStatus>(status)) {
        case BookingStatus::Ok: return QStringLiteral("Ok");
        case BookingStatus::Original: return QStringLiteral("Original");
        case BookingStatus::Conflict: return QStringLiteral("Conflict");
        case BookingStatus::TryLater: return QStringLiteral("Try later");
        case BookingStatus::NoRight:
        case BookingStatus::BeyondLimit: return QStringLiteral("Denied");
        case BookingStatus::Error: return QStringLiteral("Error");
    }
    return {};
}

QString DenialReasonText(int reason) {
    switch (reason) {
        case 7: return QStringLiteral("Exceeds global days ahead");
        case 8: return QStringLiteral("Exceeds global until date");
        case 9: return QStringLiteral("Exceeds resource max days ahead");
        case 10: return QStringLiteral("Exceeds resource until date");
        default: return {};
    }
}

TGroupBookingForm::TGroupBookingForm(QWidget* owner, TData& data, TSQLData& sqlData, TGroupBookingHooks hooks)
    : TForm(owner), data_(data), sqlData_(sqlData), hooks_(std::move(hooks)) {
    ui::DescribeForm(
        *this, {"GroupBookingForm", "Group Bookings", bsSizeable, poScreenCenter, 760, 300},
        {
            // name                class         parent left top width height caption properties
            {"BookingList", "TListView", "", 0, 0, 760, 200, "", "MultiSelect=True"},
            {"HelpButton", "TButton", "", 0, 224, 130, 25, "&Help", "Visible=False"},
            {"CancelButton", "TButton", "", 0, 224, 130, 25, "&Cancel", "Cancel=True; ModalResult=mrCancel"},
            {"OkButton", "TButton", "", 0, 224, 130, 25, "&Ok", "Default=True"},
            {"EditButton", "TButton", "", 0, 224, 130, 25, "&Edit"},
            {"DeleteButton", "TButton", "", 0, 224, 130, 25, "&Delete"},
            {"SelectAllButton", "TButton", "", 0, 224, 130, 25, "Select &All"},
            {"SelectOriginalButton", "TButton", "", 0, 224, 130, 25, "Select &Original"},
            {"PrintButton", "TButton", "", 0, 224, 130, 25, "&Print"},
            {"PreviewButton", "TButton", "", 0, 224, 130, 25, "Pre&view"},
            {"StatusBar", "TStatusBar", "", 0, 281, 760, 19},
        });
    BookingList = Find<TListView>("BookingList");
    HelpButton = Find<TButton>("HelpButton");
    CancelButton = Find<TButton>("CancelButton");
    OkButton = Find<TButton>("OkButton");
    EditButton = Find<TButton>("EditButton");
    DeleteButton = Find<TButton>("DeleteButton");
    SelectAllButton = Find<TButton>("SelectAllButton");
    SelectOriginalButton = Find<TButton>("SelectOriginalButton");
    PrintButton = Find<TButton>("PrintButton");
    PreviewButton = Find<TButton>("PreviewButton");
    StatusBar = Find<TStatusBar>("StatusBar");
    StatusBar->SetSimplePanel(true);

    BookingsTable.SetConnection(&data_.ADOConnection);
    BookingsTable.TableName = QStringLiteral("Bookings");
    BookingsTable.RowsInHand = true;
    GroupBookingsQuery.SetConnection(&data_.ADOConnection);
    GroupBookingsQuery.SQL.SetText(
        QStringLiteral("select BookingId,  [Bookings].ResourceId, ResourceName,  BookingStart, BookingEnd, Client, "
                       "Phone, Email, Address, \n"
                       "   [Bookings].Description as BookingDescription, [Bookings].Notes as BookingNotes, "
                       "[Bookings].Reminder as BookingReminder, EMailHeader\n"
                       "from [Resources], [Bookings]\n"
                       "where [Bookings].GroupBookingId = :GroupBookingId\n"
                       "   and [Bookings].ResourceId = [Resources].ResourceId\n"
                       "order by BookingStart, BookingEnd"));

    for (const char* caption : {"Start", "End", "Resource", "Client", "Status", "BookingId", "Notes"})
        BookingList->AddColumn(QLatin1String(caption), 50);
    position_ = std::make_unique<TDvFormPosition>(this);

    OkButton->OnClick = [this](QObject*) { OkButtonClick(); };
    SelectAllButton->OnClick = [this](QObject*) { SelectAllButtonClick(); };
    SelectOriginalButton->OnClick = [this](QObject*) { SelectOriginalButtonClick(); };
    EditButton->OnClick = [this](QObject*) { EditButtonClick(); };
    DeleteButton->OnClick = [this](QObject*) { DeleteButtonClick(); };
    PrintButton->OnClick = [this](QObject*) { PrintButtonClick(false); };
    PreviewButton->OnClick = [this](QObject*) { PrintButtonClick(true); };
    BookingList->OnDblClick = [this](QObject*) {
        if (EditButton->Visible()) EditButtonClick();
    };
    OnShow = [this](QObject*) { FormShow(); };
    OnClose = [this](QObject*, TCloseAction&) { FormClose(); };

    position_->LoadPosition(kWindowKey);
    LoadColumnWidths();
    Loaded();
}

TGroupBookingForm::~TGroupBookingForm() = default;

void TGroupBookingForm::LoadColumnWidths() {
    const int dateWidth =
        QFontMetrics(BookingList->font()).horizontalAdvance(QStringLiteral("XJan 31 2000  12:00 amX "));
    const int defaults[kColumnCount] = {dateWidth, dateWidth, 100, 85, 75, 75, 100};
    TDvRegistry reg(KEY_READ);
    const bool opened = VersionHistory && VersionHistory->OpenReadKey(reg, kColWidthsKey);
    for (int i = 0; i < kColumnCount; ++i) {
        const int width = opened ? reg.ReadIntegerDefault(QStringLiteral("Col%1").arg(i), defaults[i]) : defaults[i];
        widths_[i] = std::max(width, 16);
        BookingList->Column(i).SetWidth(widths_[i]);
    }
}

void TGroupBookingForm::SaveColumnWidths() {
    TDvRegistry reg;
    if (!VersionHistory || !VersionHistory->OpenWriteKey(reg, kColWidthsKey)) return;
    for (int i = 0; i < kColumnCount; ++i) {
        // Columns hidden by a mode keep the widths saved before.
        const int width = BookingList->Column(i).Width();
        if (width > 0) reg.WriteInteger(QStringLiteral("Col%1").arg(i), width);
    }
}

QList<TButton*> TGroupBookingForm::VisibleButtons() const {
    QList<TButton*> shown;
    for (TButton* button : {HelpButton, CancelButton, OkButton, EditButton, DeleteButton, SelectAllButton,
                            SelectOriginalButton, PrintButton, PreviewButton})
        if (button->Visible()) shown.append(button);
    return shown;
}

void TGroupBookingForm::FormShow() {
    const ModeLook& look = LookOf(Mode);
    SetCaption(QLatin1String(look.caption));
    OkButton->SetVisible(*look.ok != 0);
    OkButton->SetCaption(QLatin1String(look.ok));
    CancelButton->SetVisible(*look.cancel != 0);
    CancelButton->SetCaption(QLatin1String(look.cancel));
    EditButton->SetVisible(look.edit);
    DeleteButton->SetVisible(look.remove);
    SelectAllButton->SetVisible(look.selectAll);
    SelectOriginalButton->SetVisible(look.selectOriginal);
    HelpButton->SetVisible(false);
    PrintButton->SetVisible(true);
    PreviewButton->SetVisible(true);
    // Without the report layout there is nothing to print: the buttons say so by being disabled.
    PrintButton->SetEnabled(bool(hooks_.RBGroupBookingsForm));
    PreviewButton->SetEnabled(bool(hooks_.RBGroupBookingsForm));
    const bool chooseOne = Mode == gbmChooseView || Mode == gbmChooseDelete;
    BookingList->SetMultiSelect(!chooseOne);
    if (chooseOne) {
        BookingList->Column(0).SetWidth(0);
        BookingList->Column(2).SetWidth(0);
    }

    const int buttons = static_cast<int>(VisibleButtons().size());
    const int border = width() - ClientWidth();
    setMinimumWidth(border + buttons * OkButton->Width() + (buttons + 1) * kButtonGap);
    int columns = 0;
    for (int i = 0; i < kColumnCount; ++i) columns += BookingList->Column(i).Width();
    SetClientWidth(
        std::max(BookingList->Width() - BookingList->viewport()->width() + columns, minimumWidth() - border));
    FormResize();
    Changed = false;
    UpdateCounts();
    if (!BookingsTable.Active()) BookingsTable.Open();
}

void TGroupBookingForm::FormClose() {
    BookingsTable.Close();
    SaveColumnWidths();
    position_->SavePosition(kWindowKey);
}

void TGroupBookingForm::resizeEvent(QResizeEvent* e) {
    TForm::resizeEvent(e);
    ui::Dispatch(this, [this] {
        if (BookingList) FormResize();
    });
}

void TGroupBookingForm::FormResize() {
    const int buttonHeight = OkButton->Height();
    const int listHeight = std::max(ClientHeight() - buttonHeight - StatusBar->Height() - 36, 40);
    BookingList->SetBounds(0, 0, ClientWidth(), listHeight);
    LayOutButtons();
}

void TGroupBookingForm::LayOutButtons() {
    const int top = BookingList->Height() + 24;
    int right = ClientWidth() - kButtonGap;
    for (TButton* button : VisibleButtons()) {
        button->SetBounds(right - button->Width(), top, button->Width(), button->Height());
        right -= button->Width() + kButtonGap;
    }
}

void TGroupBookingForm::SetRowTimes(TListItem& row, TDateTime start, TDateTime end) const {
    const QString time = data_.GetTimeFormat();
    const QString dateTime = QStringLiteral("mmm d yyyy ") + time;
    if (DateOf(start) == DateOf(end)) {
        row.SetCaption(FormatDateTime(dateTime, start));
        row.SetSubItem(siEnd, FormatDateTime(time, end));
    } else if (DateOf(end) == DateOf(start) + 1 && TimeOf(start) == 0 && TimeOf(end) == 0) {
        row.SetCaption(FormatDateTime(QStringLiteral("mmm d yyyy"), start));
        row.SetSubItem(siEnd, QStringLiteral("All Day"));
    } else {
        row.SetCaption(FormatDateTime(dateTime, start));
        row.SetSubItem(siEnd, FormatDateTime(dateTime, end));
    }
}

void TGroupBookingForm::AddResultRow(const QString& resourceName, const QString& client, qint32 bookingId, int reason,
                                     int status, TDateTime endTime, TDateTime startTime, TDateTime date) {
    AddResultRowSpan(resourceName, client, bookingId, reason, status, TimeOf(endTime) - TimeOf(startTime), startTime,
                     date);
}

void TGroupBookingForm::AddResultRowSpan(const QString& resourceName, const QString& client, qint32 bookingId,
                                         int reason, int status, double duration, TDateTime startTime, TDateTime date) {
    TListItem& row = BookingList->AddItem();
    const TDateTime start = DateOf(date) + TimeOf(startTime);
    SetRowTimes(row, start, start + duration);
    row.SetSubItem(siResource, resourceName);
    row.SetSubItem(siClient, client);
    row.SetSubItem(siStatus, BookingStatusText(status));
    row.SetSubItem(siBookingId, bookingId > 0 ? QString::number(bookingId) : QString());
    QString note;
    if (status == 7) note = DenialReasonText(reason);
    else if (status == 6) note = QStringLiteral("Incorrect password");
    row.SetSubItem(siNotes, note);
}

qint32 TGroupBookingForm::RowId(const TListItem& row) {
    bool ok = false;
    const qint32 id = row.SubItem(siBookingId).toInt(&ok);
    return ok ? id : 0;
}

void TGroupBookingForm::FillRowFromDataSet(TDataSet& dataSet, TListItem& row) {
    SetRowTimes(row, dataSet.FieldByName(QStringLiteral("BookingStart")).AsDateTime(),
                dataSet.FieldByName(QStringLiteral("BookingEnd")).AsDateTime());
    const QVariant resourceId = dataSet.FieldByName(QStringLiteral("ResourceId")).AsInteger();
    row.SetSubItem(siResource, data_.ResourceShadowTable.Locate(QStringLiteral("ResourceId"), resourceId)
                                   ? data_.ResourceShadowTable.FieldByName(QStringLiteral("ResourceName")).AsString()
                                   : QString());
    row.SetSubItem(siClient, dataSet.FieldByName(QStringLiteral("Client")).AsString());
    if (row.SubItem(siBookingId).isEmpty())
        row.SetSubItem(siBookingId, QString::number(dataSet.FieldByName(QStringLiteral("BookingId")).AsInteger()));
}

void TGroupBookingForm::RefreshRow(TListItem& row) {
    TDataSet& bookings = data_.BookingsTable;
    SetRowTimes(row, bookings.FieldByName(QStringLiteral("BookingStart")).AsDateTime(),
                bookings.FieldByName(QStringLiteral("BookingEnd")).AsDateTime());
    const QVariant resourceId = bookings.FieldByName(QStringLiteral("ResourceId")).AsInteger();
    row.SetSubItem(siResource, data_.ResourceShadowTable.Locate(QStringLiteral("ResourceId"), resourceId)
                                   ? data_.ResourceShadowTable.FieldByName(QStringLiteral("ResourceName")).AsString()
                                   : QStringLiteral("??????"));
    row.SetSubItem(siClient, bookings.FieldByName(QStringLiteral("Client")).AsString());
}

int TGroupBookingForm::LoadGroup(qint32 groupBookingId) {
    GroupBookingId = groupBookingId;
    BookingList->ClearItems();
    GroupBookingsQuery.Close();
    GroupBookingsQuery.Parameters.ParamByName(QStringLiteral("GroupBookingId")).SetValue(groupBookingId);
    GroupBookingsQuery.Open();
    return GroupBookingsQuery.RecordCount();
}

void TGroupBookingForm::CloseGroup() { GroupBookingsQuery.Close(); }

namespace {

// Whether the query's row holds the reference's value in every field the flags name.
bool MatchesChangedFields(TDataSet& row, const TBookingRecord& flags, const TBookingRecord& reference) {
    const auto text = [&row](const char* field) { return row.FieldByName(QLatin1String(field)).AsString(); };
    const TDateTime start = row.FieldByName(QStringLiteral("BookingStart")).AsDateTime();
    const TDateTime end = row.FieldByName(QStringLiteral("BookingEnd")).AsDateTime();
    const struct {
        bool flag;
        bool same;
    } checks[] = {
        {flags.ResourceIdChanged, row.FieldByName(QStringLiteral("ResourceId")).AsInteger() == reference.ResourceId},
        {flags.StartDateChanged, DateOf(start) == DateOf(reference.StartDate)},
        {flags.StartTimeChanged, TimeOf(start) == TimeOf(reference.StartTime)},
        {flags.EndDateChanged, DateOf(end) == DateOf(reference.EndDate)},
        {flags.EndTimeChanged, TimeOf(end) == TimeOf(reference.EndTime)},
        {flags.ClientChanged, text("Client") == reference.Client},
        {flags.EmailChanged, text("Email") == reference.Email},
        {flags.PhoneChanged, text("Phone") == reference.Phone},
        {flags.AddressChanged, text("Address") == reference.Address},
        {flags.DescriptionChanged, text("BookingDescription") == reference.Description},
        {flags.NotesChanged, text("BookingNotes") == reference.Notes},
        {flags.ReminderChanged, text("BookingReminder") == reference.Reminder},
    };
    return std::all_of(std::begin(checks), std::end(checks), [](const auto& c) { return !c.flag || c.same; });
}

}  // namespace

int TGroupBookingForm::FillFromQuery(int rule, qint32 originalBookingId, const TBookingRecord& changed,
                                     const TBookingRecord& reference) {
    OriginalBookingId = originalBookingId;
    GroupBookingsQuery.First();
    while (!GroupBookingsQuery.Eof()) {
        TListItem& row = BookingList->AddItem();
        FillRowFromDataSet(GroupBookingsQuery, row);
        const qint32 id = static_cast<qint32>(GroupBookingsQuery.FieldByName(QStringLiteral("BookingId")).AsInteger());
        bool select = false;
        if (rule == 2) select = true;
        else if (rule == 4) select = id == originalBookingId;
        else if (rule == 3) select = MatchesChangedFields(GroupBookingsQuery, changed, reference);
        row.SetSelected(select);
        GroupBookingsQuery.Next();
    }
    return BookingList->ItemCount();
}

void TGroupBookingForm::SetRowStatus(qint32 bookingId, int status) {
    qint32 id = bookingId;
    qint32 original = 0;
    if (data_.BookingsTrans.FindOriginalId(bookingId, original)) id = original;
    for (int i = 0; i < BookingList->ItemCount(); ++i) {
        if (RowId(BookingList->Item(i)) != id) continue;
        BookingList->Item(i).SetSubItem(siStatus, BookingStatusText(status));
        return;
    }
}

void TGroupBookingForm::RefreshRows() {
    if (!BookingsTable.Active()) BookingsTable.Open();
    for (int i = 0; i < BookingList->ItemCount(); ++i) {
        TListItem& row = BookingList->Item(i);
        qint32 id = RowId(row);
        qint32 working = 0;
        if (data_.BookingsTrans.FindWorkingId(id, working)) id = working;
        if (id > 0 && BookingsTable.Locate(QStringLiteral("BookingId"), id)) FillRowFromDataSet(BookingsTable, row);
    }
}

void TGroupBookingForm::UpdateCounts() {
    int bookings = 0, conflicts = 0, errors = 0, denied = 0;
    for (int i = 0; i < BookingList->ItemCount(); ++i) {
        const QString status = BookingList->Item(i).SubItem(siStatus).toLower();
        if (status == QLatin1String("conflict")) ++conflicts;
        else if (status == QLatin1String("error")) ++errors;
        else if (status == QLatin1String("denied")) ++denied;
        else ++bookings;
    }
    QString text = QStringLiteral("Bookings: ") + QString::number(bookings);
    if (Mode == gbmRepeatResults || Mode == gbmUpdateResults)
        text += QStringLiteral("   Conflicts: %1   Denied: %2   Errors: %3").arg(conflicts).arg(denied).arg(errors);
    StatusBar->SetSimpleText(text);
}

bool TGroupBookingForm::IsStaged(TDataSet& dataSet) const {
    return dataSet.FieldByName(QStringLiteral("Trans")).AsBoolean();
}

void TGroupBookingForm::OkButtonClick() {
    if (Mode == gbmViewGroup || Mode == gbmChooseView) {
        SelectedIds.clear();
        SetModalResult(mrOk);
        return;
    }
    rtl::HourGlass hourGlass;
    std::unique_ptr<booking::BusyPanel> panel;
    if (BookingList->ItemCount() > 1)
        panel = std::make_unique<booking::BusyPanel>(*this, QStringLiteral("Processing..."));
    if (ReadOnly) BookingList->clearSelection();
    SelectedIds.clear();
    if (!BookingsTable.Active()) BookingsTable.Open();
    bool refused = false;
    bool transactionRefused = false;
    for (int i = 0; i < BookingList->ItemCount(); ++i) {
        TListItem& row = BookingList->Item(i);
        if (!row.Selected()) continue;
        const qint32 id = RowId(row);
        if (id <= 0 || !BookingsTable.Locate(QStringLiteral("BookingId"), id)) continue;
        if ((Mode == gbmSelectUpdate || Mode == gbmSelectDelete) && IsStaged(BookingsTable)) {
            row.SetSelected(false);
            refused = transactionRefused = true;
            continue;
        }
        const qint32 resourceId =
            static_cast<qint32>(BookingsTable.FieldByName(QStringLiteral("ResourceId")).AsInteger());
        const QString owner = BookingsTable.FieldByName(QStringLiteral("Owner")).AsString();
        if (sqlData_.CanWriteResourceBookings(resourceId, true, owner)) {
            SelectedIds.append(id);
        } else {
            row.SetSelected(false);
            row.SetSubItem(siStatus, QStringLiteral("Not authorized"));
            refused = true;
        }
    }
    panel.reset();
    if (!refused) {
        if (Mode == gbmRepeatResults || !SelectedIds.isEmpty()) SetModalResult(mrOk);
        else MessageDlg(QStringLiteral("You have not selected any bookings."), mtInformation, {mbOK}, 0);
        return;
    }
    MessageDlg(transactionRefused ? QStringLiteral("Transaction bookings can not be modified. These bookings have been "
                                                   "unselected.")
                                  : QStringLiteral("You are not authorized to modify some of the selected bookings. "
                                                   "These bookings have been unselected."),
               mtInformation, {mbOK}, 0);
}

void TGroupBookingForm::SelectAllButtonClick() {
    for (int i = 0; i < BookingList->ItemCount(); ++i) BookingList->Item(i).SetSelected(true);
}

void TGroupBookingForm::SelectOriginalButtonClick() {
    for (int i = 0; i < BookingList->ItemCount(); ++i)
        BookingList->Item(i).SetSelected(RowId(BookingList->Item(i)) == OriginalBookingId);
}

bool TGroupBookingForm::LocateInData(qint32 bookingId) {
    data_.BookingsTable.Requery();
    data_.BookingsShadowTable.Requery();
    return bookingId > 0 && data_.BookingsTable.Locate(QStringLiteral("BookingId"), bookingId);
}

void TGroupBookingForm::EditButtonClick() {
    TListItem* row = BookingList->Selected();
    if (!row || RowId(*row) <= 0) return;
    const qint32 id = RowId(*row);
    if (!LocateInData(id)) {
        row->SetSubItem(siStatus, QStringLiteral("Deleted"));
    } else if (IsStaged(data_.BookingsTable)) {
        MessageDlg(QStringLiteral("Transaction bookings can not be modified"), mtInformation, {mbOK}, 0);
    } else if (hooks_.BookingForm && hooks_.BookingForm(id, Mode == gbmViewGroup)) {
        Changed = true;
        if (LocateInData(id)) {
            RefreshRow(*row);
            row->SetSubItem(siStatus, QStringLiteral("Modified"));
        } else {
            row->SetSubItem(siStatus, QStringLiteral("Deleted"));
        }
    }
    UpdateCounts();
}

void TGroupBookingForm::DeleteButtonClick() {
    TListItem* row = BookingList->Selected();
    if (!row || RowId(*row) <= 0) return;
    const qint32 id = RowId(*row);
    if (LocateInData(id)) {
        if (IsStaged(data_.BookingsTable)) {
            MessageDlg(QStringLiteral("Transaction bookings can not be modified"), mtInformation, {mbOK}, 0);
        } else if (sqlData_.CanWriteResourceBookings(
                       static_cast<qint32>(data_.BookingsTable.FieldByName(QStringLiteral("ResourceId")).AsInteger()),
                       true, data_.BookingsTable.FieldByName(QStringLiteral("Owner")).AsString())) {
            if (hooks_.BookingFormDelete) hooks_.BookingFormDelete(id);
            if (!LocateInData(id)) row->SetSubItem(siStatus, QStringLiteral("Deleted"));
        }
    }
    UpdateCounts();
}

void TGroupBookingForm::PrintButtonClick(bool preview) {
    if (!hooks_.RBGroupBookingsForm) return;
    TGroupBookingHooks::PrintJob job;
    job.DocumentName = FormatDocumentName(QStringLiteral("Tavorin Group Bookings"), data_.GetDatabaseTitle());
    job.Preview = preview;
    job.ShowStatus = Mode == gbmRepeatResults;
    hooks_.RBGroupBookingsForm(*this, job);
}
