// TBookingCommands: the booking window's commands on the stored booking and its group: delete, attach and detach,
// print and e-mail, with the windows of other parts reached through hooks.
#pragma once

#include "booking/BookingOptions.h"
#include "booking/BookingOptionsForms.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TBookingInfoList;
class TData;
class TDataSet;
class TDvMapiConnection;
class TForm;
class TSQLData;
class TStrings;
class TUDFField;

namespace booking {

// What the booking details printout is given.
struct BookingDetailsPrint {
    const TBookingInfoList* List = nullptr;
    // The group printed with the details, -1 for none.
    int GroupBookingId = -1;
    // "Screen" to preview, "Printer" to print.
    QString DeviceType;
    const TPrintBookingOptions* Options = nullptr;
    // The print job is named FormatDocumentName(DocumentTitle, DatabaseTitle).
    QString DocumentTitle;
    QString DatabaseTitle;
};

// A message handed to the system's mail program.
struct MapiMessage {
    enum RecipientClass { To = 1, Bcc = 3 };
    struct Recipient {
        RecipientClass Class;
        QString Address;
    };
    QList<Recipient> Recipients;
    QString OriginatorName;
    QString OriginatorAddress;
    QString ReplyTo;
    QString Subject;
    QString Body;
};

// TDvMapiConnection.SendMail of the message, filled in the connection's calling order, with the mail program's own
// window; true when the mail program took it.
bool SendThroughMailProgram(TDvMapiConnection& connection, const MapiMessage& message);

// The windows the commands show and the booking window's own steps, each named after the interface it stands for.
// An empty window hook counts as a cancelled window; an empty step of the booking window does nothing.
struct BookingCommandHooks {
    // TShowGroupForm: the three-way question; answers mrYes, mrNo or mrCancel.
    std::function<int(const QString& caption, const QString& text)> ShowGroupForm;
    // TGroupBookingForm over the group for a delete (Mode 2, list mode 4): false when cancelled; otherwise ids holds
    // the chosen bookings in list order, and changed tells that the list changed something itself.
    std::function<bool(int groupBookingId, int bookingId, bool readOnly, QList<int>& ids, bool& changed)>
        GroupBookingForm;
    // TBookingForm.SaveBeforeProceeding (only-existing flag): mrOk or mrYes to go on, mrCancel to stop.
    std::function<int(bool onlyExisting)> SaveBeforeProceeding;
    // After attach or detach: Edited cleared, caption and command states updated.
    std::function<void()> GroupMembershipChanged;
    // After a print: OriginalRecord reloaded, Edited cleared, caption updated.
    std::function<void()> BookingPrinted;
    // TRBBookingDetailsForm with the window's own printer and paper setup: prints or previews.
    std::function<void(const BookingDetailsPrint& print)> PrintBookingDetails;
    // TEmailComposeForm: one "To:" recipient and the body; true when the message was sent.
    std::function<bool(const QString& to, const QStringList& body)> EmailComposeForm;
    // TDvMapiConnection.SendMail with the mail program's own window; true when it reports success.
    std::function<bool(const MapiMessage& message)> MapiSendMail;
};

// The details list with the group's rows (group id above 0) or the booking table's current row.
void FillBookingInfoList(TData& data, TBookingInfoList& list, int groupBookingId);
// The booking window's group query: the group's bookings with their resources, ":GroupBookingId" its parameter.
QStringList GroupBookingQueryLines(const TUDFField* udf1, const TUDFField* udf2);
// The delete question for the dataset's current booking.
QString DeleteBookingQuestion(const TDataSet& booking);
// The e-mail body of a details list, for a group (id above 0) or the first item's booking.
void BuildBookingEmailText(const TBookingInfoList& list, const TEmailBookingOptions& options, const TUDFField* udf1,
                           const TUDFField* udf2, int groupBookingId, TStrings& lines);

}  // namespace booking

// The commands work on the current row of the data module's Bookings table, as the booking window does.
class TBookingCommands {
public:
    TBookingCommands(TData& data, TSQLData& sqlData);
    ~TBookingCommands();
    TBookingCommands(const TBookingCommands&) = delete;
    TBookingCommands& operator=(const TBookingCommands&) = delete;

    booking::BookingCommandHooks Hooks;
    // The booking window, on which a long delete shows its panel; without it the panel is centred on the screen.
    TForm* Window = nullptr;
    // The report engine's printer as the print options dialog uses it.
    booking::ReportPrinterHooks Printers;
    // Set by the window: the group list's view of one booking never offers the rest of the group.
    bool SingleBookingMode = false;
    bool ReadOnly = false;
    // 3 after a delete ran; reset to 0 when one starts.
    int LastAction = 0;
    // Set when a command changed bookings.
    bool Changed = false;
    // Made when first needed; the window saves them when it closes.
    std::unique_ptr<TPrintBookingOptions> PrintOptions;
    std::unique_ptr<TEmailBookingOptions> EmailOptions;

    // Deletes the current booking or the group's bookings the user chooses, with their tasks; false when
    // refused or cancelled.
    bool DeleteBookings();
    void AttachItemClick();
    void DetachItemClick();
    // Print or, with preview, print preview.
    void PrintItemClick(bool preview);
    void PrintOptionsItemClick();
    // mrOk or mrCancel.
    int EditEmailOptions();
    void EmailOptionsItemClick() { EditEmailOptions(); }
    void ComposeItemClick();
    // The e-mail body of the list with the window's options.
    void BuildBookingEmailText(const TBookingInfoList& list, int groupBookingId, TStrings& lines);

private:
    // 1 go on with ids, 2 cancelled.
    int CheckBookingDeletable(QList<int>& ids);
    bool ConfirmDelete();
    void DeleteChosenBookings(const QList<int>& ids);
    bool Proceed(bool onlyExisting);
    // The current booking's group, 0 for none.
    int CurrentGroupId() const;
    int CurrentBookingId() const;
    // Asks about including the group; false when cancelled. Without a group nothing is asked.
    bool AskIncludeGroup(const QString& caption, int groupId, bool& includeGroup);
    void RelocateAfterGroupChange(int bookingId);
    QString Udf1Caption() const;
    QString Udf2Caption() const;

    TData& data_;
    TSQLData& sqlData_;
};
