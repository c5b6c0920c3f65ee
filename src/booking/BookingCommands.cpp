// The booking window's commands on the stored booking: delete, attach, detach, print and e-mail.
#include "booking/BookingCommands.h"

#include "booking/BookingInfoList.h"
#include "booking/BookingOptionsForms.h"
#include "data/bookings/UDFField.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/NumberParse.h"
#include "platform/rtl/ScreenService.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/ProgressPanel.h"

#include <optional>

namespace {

const QString kCR = QStringLiteral("\r");
const QString kSeparator = QString(60, u'-');
// History codes the commands write.
constexpr int kHistorySmtpEmail = 41;
constexpr int kHistoryMapiEmail = 42;

QString FieldText(const TDataSet& dataSet, const char* name) {
    return dataSet.FieldByName(QLatin1String(name)).AsString();
}

int IntegerField(const TDataSet& dataSet, const char* name) {
    const TField& field = dataSet.FieldByName(QLatin1String(name));
    return field.IsNull() ? 0 : static_cast<int>(field.AsInteger());
}

// A query on the connection; its parameters are those its lines name.
void Prepare(TADOQuery& query, TADOConnection& connection, const QStringList& lines) {
    query.SetConnection(&connection);
    query.SQL.SetStrings(lines);
}

}  // namespace

namespace booking {

QStringList GroupBookingQueryLines(const TUDFField* udf1, const TUDFField* udf2) {
    QStringList lines{QStringLiteral("select BookingId, [Bookings].ResourceId, TypeName, ResourceName, ") + kCR +
                      QStringLiteral("   [Resources].Description as ResourceDescription,    [Bookings].Description "
                                     "as BookingDescription,") +
                      kCR +
                      QStringLiteral("   BookingStart, BookingEnd, Client, Email, Phone, Address, [Bookings].Notes,")};
    for (const TUDFField* udf : {udf1, udf2})
        // Bracketed: a custom column's name carries its label, which may hold blanks.
        if (udf) lines << QStringLiteral("   [Bookings].[") + udf->FieldName + QStringLiteral("],");
    lines << QStringLiteral("   [Bookings].Reminder") << QStringLiteral("from [Resources], [Bookings]")
          << QStringLiteral("where [Bookings].GroupBookingId = :GroupBookingId")
          << QStringLiteral("   and [Bookings].ResourceId = [Resources].ResourceId")
          << QStringLiteral("order by ResourceName, BookingStart, BookingEnd");
    return lines;
}

void FillBookingInfoList(TData& data, TBookingInfoList& list, int groupBookingId) {
    if (groupBookingId <= 0) {
        list.LoadFromDataSet(data.BookingsTable);
        return;
    }
    TADOQuery query;
    Prepare(query, data.ADOConnection, GroupBookingQueryLines(data.Udf1Field.get(), data.Udf2Field.get()));
    query.Parameters.ParamByName(QStringLiteral("GroupBookingId")).SetValue(groupBookingId);
    query.Open();
    for (; !query.Eof(); query.Next()) list.LoadFromDataSet(query);
}

QString DeleteBookingQuestion(const TDataSet& booking) {
    const TDateTime start = booking.FieldByName(QStringLiteral("BookingStart")).AsDateTime();
    const TDateTime end = booking.FieldByName(QStringLiteral("BookingEnd")).AsDateTime();
    const QString date = QStringLiteral("mmm d yyyy");
    const QString time = QStringLiteral("h:mm am/pm");
    QString text = QStringLiteral("Delete booking ") + QString::number(IntegerField(booking, "BookingId")) + kCR + kCR +
                   QStringLiteral("Client: ") + FieldText(booking, "Client") + kCR + FormatDateTime(date, start) +
                   u' ' + FormatDateTime(time, start) + QStringLiteral(" - ");
    if (static_cast<qint64>(DateOf(start)) != static_cast<qint64>(DateOf(end)))
        text += FormatDateTime(date, end) + u' ';
    return text + FormatDateTime(time, end) + kCR;
}

void BuildBookingEmailText(const TBookingInfoList& list, const TEmailBookingOptions& options, const TUDFField* udf1,
                           const TUDFField* udf2, int groupBookingId, TStrings& lines) {
    const auto add = [&lines](const QString& line) {
        lines.Add(line);
        lines.Add(QString());
    };
    lines.Add(QString());
    lines.Add(kSeparator);
    if (groupBookingId < 1)
        add(QStringLiteral("Details for Booking Id: ") +
            (list.Count() > 0 ? QString::number(list.GetItem(0).BookingId) : QString()));
    else add(QStringLiteral("Details for Group Booking Id: ") + QString::number(groupBookingId));
    for (int i = 0; i < list.Count(); ++i) {
        const TBookingInfoItem& item = list.GetItem(i);
        add(item.ResourceDescription.isEmpty() ? item.ResourceName
                                               : item.ResourceName + QStringLiteral(" - ") + item.ResourceDescription);
        for (int b = 0; b < item.BookingIds.Count(); ++b)
            lines.Add(BookingDatesText(item.Starts.GetItem(b), item.Ends.GetItem(b)) + QStringLiteral("    Id: ") +
                      QString::number(item.BookingIds.GetItem(b)));
        lines.Add(QString());
        add(QStringLiteral("Client:  ") + item.Client);
        if (options.InclEmail) add(QStringLiteral("Email: ") + item.Email);
        if (options.InclPhone) add(QStringLiteral("Phone:   ") + item.Phone);
        if (options.InclAddress) add(QStringLiteral("Address:   ") + item.Address);
        if (udf1 && options.InclUDF1) add(udf1->Caption + QStringLiteral(":   ") + item.Udf1Value.toString());
        if (udf2 && options.InclUDF2) add(udf2->Caption + QStringLiteral(":   ") + item.Udf2Value.toString());
        if (options.InclDescription) add(QStringLiteral("Description: ") + item.Description);
        if (options.InclNotes) add(QStringLiteral("Notes: ") + item.Notes);
        if (options.InclReminder) add(QStringLiteral("Reminder: ") + item.Reminder);
        if (options.InclResourceNotes) add(QStringLiteral("Resource Notes: ") + item.ResourceNotes);
        if (options.InclResourceFeatures) add(QStringLiteral("Resource Features: ") + item.ResourceFeatures);
        lines.Add(kSeparator);
    }
}

}  // namespace booking

TBookingCommands::TBookingCommands(TData& data, TSQLData& sqlData) : data_(data), sqlData_(sqlData) {}

TBookingCommands::~TBookingCommands() = default;

int TBookingCommands::CurrentBookingId() const { return IntegerField(data_.BookingsTable, "BookingId"); }

int TBookingCommands::CurrentGroupId() const { return IntegerField(data_.BookingsTable, "GroupBookingId"); }

bool TBookingCommands::Proceed(bool onlyExisting) {
    if (!Hooks.SaveBeforeProceeding) return true;
    return Hooks.SaveBeforeProceeding(onlyExisting) != mrCancel;
}

QString TBookingCommands::Udf1Caption() const { return data_.Udf1Field ? data_.Udf1Field->Caption : QString(); }

QString TBookingCommands::Udf2Caption() const { return data_.Udf2Field ? data_.Udf2Field->Caption : QString(); }

// Delete.

bool TBookingCommands::DeleteBookings() {
    TADOTable& bookings = data_.BookingsTable;
    LastAction = 0;
    if (bookings.State() == dsEdit || bookings.State() == dsInsert) bookings.Cancel();
    if (data_.CurrentUserId().isEmpty()) {
        ShowInformation(QStringLiteral("User identification is blank. The booking cannot be updated."));
        return false;
    }
    if (!sqlData_.CanWriteResourceBookings(IntegerField(bookings, "ResourceId"), true, FieldText(bookings, "Owner"))) {
        ShowMessage(QStringLiteral("You are not allowed to delete this booking"));
        return false;
    }
    data_.DisableTableControls();
    struct EnableControls {
        TData& data;
        ~EnableControls() { data.EnableTableControls(); }
    } enableControls{data_};
    QList<int> ids;
    if (CheckBookingDeletable(ids) != 1) return false;
    {
        rtl::HourGlass hourGlass;
        std::optional<ui::ProgressPanel> panel;
        if (ids.size() > 1) panel.emplace(Window, QStringLiteral("Deleting group bookings..."));
        DeleteChosenBookings(ids);
    }
    LastAction = 3;
    Changed = true;
    return true;
}

bool TBookingCommands::ConfirmDelete() {
    return MessageDlg(booking::DeleteBookingQuestion(data_.BookingsTable), mtConfirmation, {mbOK, mbCancel}) == mrOk;
}

int TBookingCommands::CheckBookingDeletable(QList<int>& ids) {
    const TADOTable& bookings = data_.BookingsTable;
    const int bookingId = CurrentBookingId();
    if (bookings.FieldByName(QStringLiteral("Trans")).AsBoolean()) {
        ShowInformation(QStringLiteral("Booking Id ") + QString::number(bookingId) +
                        QStringLiteral(" is a transaction booking and can not be modified."));
        return 2;
    }
    const int groupId = CurrentGroupId();
    if (!SingleBookingMode && groupId != 0) {
        TADOQuery count;
        Prepare(count, data_.ADOConnection,
                {QStringLiteral("select count(*) as Members from Bookings where GroupBookingId = :GroupBookingId")});
        count.Parameters.ParamByName(QStringLiteral("GroupBookingId")).SetValue(groupId);
        count.Open();
        const int members = IntegerField(count, "Members");
        count.Close();
        const int answer =
            Hooks.ShowGroupForm
                ? Hooks.ShowGroupForm(QStringLiteral("Delete booking"),
                                      QStringLiteral("This booking belongs to a group booking. Do you want to delete "
                                                     "any of the group bookings?"))
                : int(mrCancel);
        if (answer == mrCancel) return 2;
        if (members > 1 && answer == mrYes) {
            bool listChanged = false;
            if (!Hooks.GroupBookingForm || !Hooks.GroupBookingForm(groupId, bookingId, ReadOnly, ids, listChanged))
                return 2;
            if (listChanged) Changed = true;
            return 1;
        }
        if (!ConfirmDelete()) return 2;
        ids = {bookingId};
        return 1;
    }
    if (!ConfirmDelete()) return 2;
    if (!sqlData_.CanWriteResourceBookings(IntegerField(bookings, "ResourceId"), true, FieldText(bookings, "Owner")))
        return 2;
    ids = {bookingId};
    return 1;
}

void TBookingCommands::DeleteChosenBookings(const QList<int>& ids) {
    data::BookingEngine engine = data_.Engine();
    const auto mayDeleteTask = [this](const QString& owner) { return sqlData_.CanWriteTask(true, owner); };
    for (const int id : ids) {
        const data::DeleteOutcome outcome = engine.DeleteBooking(id, mayDeleteTask);
        if (outcome.Result == data::DeleteResult::TaskRefused)
            ShowMessage(QStringLiteral("Booking Id: ") + QString::number(id) + QStringLiteral(" not deleted. ") +
                        QStringLiteral("You do not have sufficient authorization to delete its associated task id: .") +
                        QString::number(outcome.TaskId));
    }
}

// Attach and detach.

void TBookingCommands::RelocateAfterGroupChange(int bookingId) {
    TADOTable& bookings = data_.BookingsTable;
    bookings.Requery();
    if (!bookings.Locate(QStringLiteral("BookingId"), bookingId))
        ShowInformation(QStringLiteral("Error - BookingId ") + QString::number(bookingId) +
                        QStringLiteral(" no longer exists."));
    if (Hooks.GroupMembershipChanged) Hooks.GroupMembershipChanged();
}

void TBookingCommands::AttachItemClick() {
    if (!Proceed(false)) return;
    const int bookingId = CurrentBookingId();
    const int currentGroup = CurrentGroupId();
    if (currentGroup != 0 &&
        MessageDlg(QStringLiteral("This booking already belongs to Group Booking Id ") + QString::number(currentGroup) +
                       QStringLiteral(". Do you want to remove it from existing group booking and attach to another?"),
                   mtInformation, {mbYes, mbNo}) == mrNo)
        return;
    QString text;
    if (!InputQuery(QStringLiteral("Attach to Group Booking"), QStringLiteral("Enter Group Booking Id"), text)) return;
    text = text.trimmed();
    int entered = 0;
    if (text.isEmpty()) {
        ShowInformation(QStringLiteral("Group Booking Id must not be blank."));
        return;
    }
    if (!TryStrToInt(text, entered)) {
        ShowInformation(u'"' + text + QStringLiteral("\" is not an integer."));
        return;
    }
    if (entered <= 0) {
        ShowInformation(QStringLiteral("Group Booking Id must be greater than 0."));
        return;
    }

    if (data_.Engine().AttachToGroup(bookingId, entered) == data::AttachResult::GroupNotFound)
        ShowInformation(QStringLiteral("Group Booking Id ") + text + QStringLiteral(" does not exist."));
    RelocateAfterGroupChange(bookingId);
}

void TBookingCommands::DetachItemClick() {
    if (!Proceed(false)) return;
    const int bookingId = CurrentBookingId();
    if (MessageDlg(QStringLiteral("Are you sure you want to detatch this booking from Group Booking ") +
                       QString::number(CurrentGroupId()),
                   mtInformation, {mbYes, mbNo}) == mrNo)
        return;
    data_.Engine().DetachFromGroup(bookingId);
    RelocateAfterGroupChange(bookingId);
}

// Print and e-mail.

bool TBookingCommands::AskIncludeGroup(const QString& caption, int groupId, bool& includeGroup) {
    includeGroup = false;
    if (groupId <= 0) return true;
    const int answer =
        Hooks.ShowGroupForm
            ? Hooks.ShowGroupForm(caption, QStringLiteral("This booking belongs to a group booking. Do "
                                                          "you want to include any of the group bookings?"))
            : int(mrCancel);
    if (answer == mrCancel) return false;
    includeGroup = answer == mrYes;
    return true;
}

void TBookingCommands::PrintItemClick(bool preview) {
    if (!Proceed(false)) return;
    const int groupId = CurrentGroupId();
    bool includeGroup = false;
    if (!AskIncludeGroup(QStringLiteral("Print booking"), groupId, includeGroup)) return;
    TBookingInfoList list(data_);
    booking::FillBookingInfoList(data_, list, includeGroup ? groupId : -1);
    if (!PrintOptions) PrintOptions = std::make_unique<TPrintBookingOptions>();
    booking::BookingDetailsPrint print;
    print.List = &list;
    print.GroupBookingId = includeGroup ? groupId : -1;
    print.DeviceType = preview ? QStringLiteral("Screen") : QStringLiteral("Printer");
    print.Options = PrintOptions.get();
    print.DocumentTitle = QStringLiteral("Tavorin Booking");
    print.DatabaseTitle = data_.GetDatabaseTitle();
    if (Hooks.PrintBookingDetails) Hooks.PrintBookingDetails(print);
    if (Hooks.BookingPrinted) Hooks.BookingPrinted();
}

void TBookingCommands::PrintOptionsItemClick() {
    if (!PrintOptions) PrintOptions = std::make_unique<TPrintBookingOptions>();
    TBookingInfoPrintOptionsForm form(nullptr, Printers);
    form.PrintOptions = PrintOptions.get();
    form.SetUdf1Caption(Udf1Caption());
    form.SetUdf2Caption(Udf2Caption());
    // The data module's printer is the report engine's; without the engine there is none to choose.
    TppPrinter* reportPrinter = Printers.CreatePrinter ? data_.GetReportPrinter() : nullptr;
    if (reportPrinter) {
        if (Printers.GetPrinterNames) form.SetPrinterNames(Printers.GetPrinterNames(*reportPrinter));
        if (Printers.GetPrinterName) form.SetPrinterName(Printers.GetPrinterName(*reportPrinter));
        form.AssignPrinter(*reportPrinter);
    }
    if (form.ShowModal() != mrOk || !reportPrinter) return;
    if (Printers.SetPrinterName) Printers.SetPrinterName(*reportPrinter, form.GetPrinterName());
    if (form.Printer() && Printers.CopyReportPrinter) Printers.CopyReportPrinter(*form.Printer(), *reportPrinter);
}

int TBookingCommands::EditEmailOptions() {
    if (!EmailOptions) EmailOptions = std::make_unique<TEmailBookingOptions>();
    TBookingInfoEmailOptionsForm form(nullptr);
    form.Options().Assign(*EmailOptions);
    form.SetUdf1Caption(Udf1Caption());
    form.SetUdf2Caption(Udf2Caption());
    if (form.ShowModal() != mrOk) return mrCancel;
    EmailOptions->Assign(form.Options());
    return mrOk;
}

void TBookingCommands::BuildBookingEmailText(const TBookingInfoList& list, int groupBookingId, TStrings& lines) {
    if (!EmailOptions) EmailOptions = std::make_unique<TEmailBookingOptions>();
    booking::BuildBookingEmailText(list, *EmailOptions, data_.Udf1Field.get(), data_.Udf2Field.get(), groupBookingId,
                                   lines);
}

void TBookingCommands::ComposeItemClick() {
    if (ReadOnly) {
        ShowInformation(QStringLiteral("Can not send email because you have read only access."));
        return;
    }
    if (!Proceed(false)) return;
    if (!data_.UseMAPI && !data_.IsSmtpConfigured() &&
        (MessageDlg(QStringLiteral("You must enter your email settings before you can send email.") + kCR +
                        QStringLiteral("Would you like to enter them now?"),
                    mtInformation, {mbOK, mbCancel}) != mrOk ||
         !data_.RunEmailSettingsWizard()))
        return;
    if (!data_.InternetConnected()) {
        ShowInformation(QStringLiteral("Could not connect to the Internet. No email has been sent."));
        return;
    }
    const int groupId = CurrentGroupId();
    bool includeGroup = false;
    if (!AskIncludeGroup(QStringLiteral("Email booking"), groupId, includeGroup)) return;
    if (!EmailOptions) EmailOptions = std::make_unique<TEmailBookingOptions>();
    if (EmailOptions->ShowBeforeSending && EditEmailOptions() != mrOk) return;

    const int bookingId = CurrentBookingId();
    const QString email = FieldText(data_.BookingsTable, "Email");
    TStringList body;
    {
        rtl::HourGlass hourGlass;
        TBookingInfoList list(data_);
        booking::FillBookingInfoList(data_, list, includeGroup ? groupId : -1);
        BuildBookingEmailText(list, includeGroup ? groupId : -1, body);
    }
    const TEMailSettings& settings = data_.EMailSettings;
    if (data_.UseMAPI) {
        booking::MapiMessage message;
        if (!email.isEmpty()) message.Recipients.append({booking::MapiMessage::To, email});
        message.OriginatorName = settings.SenderName;
        message.OriginatorAddress = settings.SenderAddress;
        message.ReplyTo = settings.ReplyTo;
        if (settings.BCCSender) message.Recipients.append({booking::MapiMessage::Bcc, settings.SenderAddress});
        if (settings.BCCOther) message.Recipients.append({booking::MapiMessage::Bcc, settings.BCCOtherAddress});
        message.Subject = settings.Subject;
        message.Body = body.Text();
        if (Hooks.MapiSendMail && Hooks.MapiSendMail(message))
            data_.AddHistory(bookingId, -1, kHistoryMapiEmail, data_.CurrentUserId(),
                             QStringLiteral("Mapi email compose"));
        return;
    }
    if (Hooks.EmailComposeForm && Hooks.EmailComposeForm(email, body.ToStringList()))
        data_.AddHistory(bookingId, -1, kHistorySmtpEmail, data_.CurrentUserId(), QStringLiteral("Tavorin email sent"));
}
