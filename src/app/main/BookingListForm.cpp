// The booking list dialog: its rows, sorting by a column, and editing or deleting a row's booking.
#include "app/main/BookingListForm.h"

#include "booking/GroupBooking.h"

#include "data/layout/DateBookings.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListView.h"
#include "platform/ui/StandardIcons.h"

#include <QStyle>

namespace {

// The sub-items of a row.
enum SubItem { kStart = 0, kEnd = 1, kResource = 2, kClient = 3, kStatus = 4, kBookingId = 5, kReason = 6 };

const QString kStaged = QStringLiteral("Transaction bookings can not be modified");

// The status texts are the group booking list's; "Incorrect password" is this list's own (status 6).
QString StatusText(quint8 status) { return BookingStatusText(status & 0x7F); }

QString ReasonText(quint8 status, int reason) {
    if (status == 6) return QStringLiteral("Incorrect password");
    return status == 7 ? DenialReasonText(reason) : QString();
}

int Compare(double a, double b) { return a < b ? -1 : a > b ? 1 : 0; }

const TMonthDateBookingCellRow* RowOf(const TListItem& item) {
    return static_cast<const TMonthDateBookingCellRow*>(item.Data());
}

}  // namespace

TBookingListForm::TBookingListForm(QWidget* owner, TData& data, TBookingListServices services)
    : TForm(owner), data_(data), services_(std::move(services)) {
    ui::DescribeForm(
        *this, {"BookingListForm", "Booking List", bsSizeable, poScreenCenter, 704, 300},
        {
            // name           class        parent    left top width height caption  properties
            {"StatusBar", "TStatusBar", "", 0, 281, 704, 19},
            {"Panel1", "TPanel", "", 0, 240, 704, 41, "", "Align=alBottom; BevelOuter=bvNone"},
            {"PreviewButton", "TButton", "Panel1", 138, 8, 75, 25, "Pre&view"},
            {"PrintButton", "TButton", "Panel1", 225, 8, 75, 25, "&Print"},
            {"DeleteButton", "TButton", "Panel1", 312, 8, 75, 25, "&Delete"},
            {"EditButton", "TButton", "Panel1", 399, 8, 75, 25, "&Edit"},
            {"CloseButton", "TButton", "Panel1", 486, 8, 75, 25, "&Close", "Cancel=True; ModalResult=mrCancel"},
            {"BookingListView", "TListView", "", 0, 0, 704, 240, "",
             "Align=alClient; MultiSelect=True; HideSelection=False"},
        });
    StatusBar = Find<TStatusBar>("StatusBar");
    StatusBar->SetSimplePanel(true);
    Panel1 = Find<TPanel>("Panel1");
    PreviewButton = Find<TButton>("PreviewButton");
    PrintButton = Find<TButton>("PrintButton");
    DeleteButton = Find<TButton>("DeleteButton");
    EditButton = Find<TButton>("EditButton");
    CloseButton = Find<TButton>("CloseButton");
    BookingListView = Find<TListView>("BookingListView");

    // The sort marks: 0 ascending, 1 descending.
    images_ = std::make_unique<TImageList>();
    for (QStyle::StandardPixmap arrow : {QStyle::SP_ArrowUp, QStyle::SP_ArrowDown})
        images_->Add(ui::StandardIcon(arrow).pixmap(16, 16).toImage());
    BookingListView->SetSmallImages(images_.get());
    const std::pair<const char*, int> columns[] = {{"", 60},        {"Start", 140}, {"End", 140},     {"Resource", 100},
                                                   {"Client", 160}, {"Status", 85}, {"BookingId", 75}};
    for (const auto& [caption, width] : columns) BookingListView->AddColumn(QString::fromLatin1(caption), width);

    PreviewButton->SetEnabled(bool(services_.PrintBookingList));
    PrintButton->SetEnabled(bool(services_.PrintBookingList));
    PreviewButton->OnClick = [this](QObject*) { services_.PrintBookingList(*this, true); };
    PrintButton->OnClick = [this](QObject*) { services_.PrintBookingList(*this, false); };
    DeleteButton->OnClick = [this](QObject*) { DeleteButtonClick(); };
    EditButton->OnClick = [this](QObject*) { EditButtonClick(); };
    BookingListView->OnColumnClick = [this](QObject*, TListColumn& column) { BookingListViewColumnClick(column); };
    BookingListView->OnCompare = [this](const TListItem& a, const TListItem& b) {
        return BookingListViewCompare(a, b);
    };
    BookingListView->OnDblClick = [this](QObject*) {
        if (EditButton->Visible()) EditButtonClick();
    };
    OnShow = [this](QObject*) { FormShow(); };
    OnResize = [this](QObject*) { FormResize(); };
    FormCreate();
    Loaded();
}

TBookingListForm::~TBookingListForm() { BookingListView->SetSmallImages(nullptr); }

void TBookingListForm::FormCreate() {
    TimeFormat = QStringLiteral("h:mm am/pm");
    SortColumn = 3;
    SortDescending = false;
    BookingListView->Column(0).SetWidth(0);
    int width = 0;
    for (int i = 1; i < BookingListView->ColumnCount(); ++i) width += BookingListView->Column(i).Width();
    SetClientWidth(width + BookingListView->Width() - BookingListView->ClientWidth() + 1);
    FormResize();
}

void TBookingListForm::FormShow() {
    Changed = false;
    BookingListView->Column(SortColumn).SetImageIndex(-1);
    SortColumn = 3;
    SortDescending = false;
    BookingListView->Column(SortColumn).SetImageIndex(0);
}

void TBookingListForm::FormResize() {
    DeleteButton->SetLeft((ClientWidth() - DeleteButton->Width()) / 2);
    EditButton->SetLeft(DeleteButton->Left() + DeleteButton->Width() + 12);
    CloseButton->SetLeft(EditButton->Left() + EditButton->Width() + 12);
    PreviewButton->SetLeft(DeleteButton->Left() - 12 - PreviewButton->Width());
    PrintButton->SetLeft(PreviewButton->Left() - 12 - PrintButton->Width());
}

QString TBookingListForm::DateTimeText(TDateTime value) const {
    return FormatDateTime(QStringLiteral("mmm dd yyyy  ") + TimeFormat, value);
}

void TBookingListForm::AddBooking(TMonthDateBookingCellRow* Data, const QString& ResourceName, int BookingId,
                                  int Reason, quint8 Status, const QString& Client, TDateTime StartDateTime,
                                  TDateTime EndDateTime) {
    TListItem& item = BookingListView->AddItem();
    item.SetData(Data);
    item.SetCaption(QString());
    item.SetSubItem(kStart, DateTimeText(StartDateTime));
    item.SetSubItem(kEnd, DateOf(EndDateTime) == DateOf(StartDateTime) ? FormatDateTime(TimeFormat, EndDateTime)
                                                                       : DateTimeText(EndDateTime));
    item.SetSubItem(kResource, ResourceName);
    item.SetSubItem(kClient, Client);
    item.SetSubItem(kStatus, StatusText(Status));
    item.SetSubItem(kBookingId, BookingId < 1 ? QString() : QString::number(BookingId));
    item.SetSubItem(kReason, ReasonText(Status, Reason));
}

void TBookingListForm::BookingListViewColumnClick(TListColumn& column) {
    BookingListView->Column(SortColumn).SetImageIndex(-1);
    if (column.Index() == SortColumn) SortDescending = !SortDescending;
    else SortColumn = column.Index();
    BookingListView->AlphaSort();
    column.SetImageIndex(SortDescending ? 1 : 0);
}

int TBookingListForm::BookingListViewCompare(const TListItem& a, const TListItem& b) const {
    int result = 0;
    const TMonthDateBookingCellRow* rowA = RowOf(a);
    const TMonthDateBookingCellRow* rowB = RowOf(b);
    switch (SortColumn) {
        case 0: result = QString::compare(a.Caption(), b.Caption(), Qt::CaseInsensitive); break;
        // Dates and times as numbers: their texts would sort April before January.
        case 1: result = Compare(rowA ? rowA->BookingStart : 0, rowB ? rowB->BookingStart : 0); break;
        case 2: result = Compare(rowA ? rowA->BookingEnd : 0, rowB ? rowB->BookingEnd : 0); break;
        case 6: result = Compare(a.SubItem(kBookingId).toInt(), b.SubItem(kBookingId).toInt()); break;
        default:
            result = QString::compare(a.SubItem(SortColumn - 1), b.SubItem(SortColumn - 1), Qt::CaseInsensitive);
            break;
    }
    return SortDescending ? -result : result;
}

void TBookingListForm::RequeryBookings() {
    for (TADOTable* table : {&data_.BookingsTable, &data_.BookingsShadowTable})
        if (table->Active()) table->Requery();
}

bool TBookingListForm::CurrentBookingStaged() const {
    return data_.BookingsTable.FieldByName(QStringLiteral("Trans")).AsBoolean();
}

void TBookingListForm::EditButtonClick() {
    TListItem* item = BookingListView->Selected();
    if (!item || !services_.CreateBookingWindow) return;
    const std::unique_ptr<TBookingWindow> window = services_.CreateBookingWindow();
    if (!window || item->SubItem(kBookingId).isEmpty()) return;
    RequeryBookings();
    const TMonthDateBookingCellRow* row = RowOf(*item);
    if (!window->LocateBooking(row ? row->BookingId : item->SubItem(kBookingId).toInt())) {
        item->SetSubItem(kStatus, QStringLiteral("Deleted"));
        return;
    }
    if (CurrentBookingStaged()) {
        MessageDlg(kStaged, mtInformation, {mbOK});
        return;
    }
    window->ShowModal();
    if (!window->IsModified()) return;
    Changed = true;
    if (window->LastAction() == 2) {
        ReadRowAgain(*item);
        item->SetSubItem(kStatus, QStringLiteral("Modified"));
    } else if (window->LastAction() == 3) {
        item->SetSubItem(kStatus, QStringLiteral("Deleted"));
    }
}

void TBookingListForm::ReadRowAgain(TListItem& item) {
    const TADOTable& bookings = data_.BookingsTable;
    const TDateTime start = bookings.FieldByName(QStringLiteral("BookingStart")).AsDateTime();
    const TDateTime end = bookings.FieldByName(QStringLiteral("BookingEnd")).AsDateTime();
    item.SetSubItem(kStart, DateTimeText(start));
    item.SetSubItem(kEnd, DateOf(end) == DateOf(start) ? FormatDateTime(TimeFormat, end) : DateTimeText(end));
    TADOTable& resources = data_.ResourceShadowTable;
    const qint64 resourceId = bookings.FieldByName(QStringLiteral("ResourceId")).AsInteger();
    item.SetSubItem(kResource, resources.Active() && resources.Locate(QStringLiteral("ResourceId"), resourceId)
                                   ? resources.FieldByName(QStringLiteral("ResourceName")).AsString()
                                   : QStringLiteral("??????"));
    item.SetImageIndex(-1);
    item.SetSubItem(kClient, bookings.FieldByName(QStringLiteral("Client")).AsString());
}

void TBookingListForm::DeleteButtonClick() {
    TListItem* item = BookingListView->Selected();
    if (!item) return;
    const int id = item->SubItem(kBookingId).toInt();
    RequeryBookings();
    TBookingWindow* window = services_.BookingWindow;
    if (!window || !services_.DeleteBookings) return;
    if (!window->LocateBooking(id)) {
        item->SetSubItem(kStatus, QStringLiteral("Deleted"));
        return;
    }
    if (CurrentBookingStaged()) {
        MessageDlg(kStaged, mtInformation, {mbOK});
        return;
    }
    const TADOTable& bookings = data_.BookingsTable;
    if (!SQLData || !SQLData->CanWriteResourceBookings(
                        static_cast<qint32>(bookings.FieldByName(QStringLiteral("ResourceId")).AsInteger()), true,
                        bookings.FieldByName(QStringLiteral("Owner")).AsString()))
        return;
    window->Init();
    if (!services_.DeleteBookings(*window)) return;
    item->SetSubItem(kStatus, QStringLiteral("Deleted"));
    Changed = true;
}
