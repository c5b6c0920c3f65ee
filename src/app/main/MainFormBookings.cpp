// The main window's booking commands: new bookings from a grid's selection, viewing and deleting the booking of
// a cell, the month view's cells and their booking list, going to a booking by its id, and the calendar's
// scroll bar.
#include "app/main/BookingListForm.h"
#include "app/main/MainForm.h"

#include "app/grids/BookingGrid.h"
#include "app/grids/MonthGrid.h"
#include "controls/edit/MonthCalendar.h"
#include "data/bookings/ResourceBookings.h"
#include "data/bookings/ResourceDateBookings.h"
#include "data/module/DataModule.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Timer.h"

namespace {

const QString kOverlaps =
    QStringLiteral("Could not create new booking because the selected time slot overlaps with an existing booking.");
const QString kMultiDayConflict =
    QStringLiteral("Could not create booking. The selected time slots conflict with an existing booking.");
const QString kReadOnlyNew = QStringLiteral("Can not create new booking. You have read only access.");
const QString kReadOnlyDelete = QStringLiteral("Can not delete booking. You have read only access.");
const QString kNotAllowed = QStringLiteral("You are not allowed to add new bookings to this resource");
const QString kNothingToView = QStringLiteral("There is no booking selected to view.");
const QString kNothingToDelete = QStringLiteral("There is no booking selected to delete.");
const QString kSingleCellToView = QStringLiteral("Select a single cell to view a booking.");
const QString kSingleCellToDelete = QStringLiteral("Select a single cell to delete a booking.");

int LastBookingId(const TBookingCell& cell) { return cell.BookingIds.GetItem(cell.BookingIds.Count() - 1); }

bool HoldsBooking(const TBookingCell* cell) {
    return cell && cell->BookingIds.Count() > 0 && LastBookingId(*cell) != -1;
}

int DaysInMonthOf(TDateTime date) { return DaysInAMonth(YearOf(date), MonthOf(date)); }

QString DeletedByAnother(int id) {
    return QStringLiteral("Booking Id \"") + QString::number(id) +
           QStringLiteral("\" does not exist. It may have been deleted by another user.");
}

bool IsTab(const TPageControl& pages, const TTabSheet* tab) { return pages.ActivePage() == tab; }

}  // namespace

void TMainForm::ConnectBookingCommands() {
    const auto timeGridEvents = [this](TTimeIntervalBookingGrid* grid) {
        grid->OnDblClick = [this, grid](QObject*) {
            WithRefreshTimerOff([this, grid] { NewBookingFromSelection(*grid, false); });
        };
        grid->OnMoreButtonClick = [this, grid](QObject*, int, int) {
            WithRefreshTimerOff([this, grid] { NewBookingFromSelection(*grid, false); });
        };
    };
    timeGridEvents(DayGrid);
    timeGridEvents(WeekGrid);
    MultiDayGrid->OnDblClick = [this](QObject*) {
        WithRefreshTimerOff([this] { NewMultiDayBookingFromSelection(false); });
    };
    MonthGrid->OnDblClick = [this](QObject*) { WithRefreshTimerOff([this] { MonthCellCommand(2); }); };
    MonthGrid->OnMoreButtonClick = [this](QObject*, int col, int row) { ShowMonthCellBookings(col, row); };
    SetCommand(QStringLiteral("NewBookingItem"), [this] { NewBookingToolButtonClick(); });
    SetCommand(QStringLiteral("ViewBookingItem"), [this] { ViewBookingToolButtonClick(); });
    SetCommand(QStringLiteral("DeleteBookingItem"), [this] { DeleteBookingToolButtonClick(); });
    SetCommand(QStringLiteral("BookingIdItem"), [this] { ViewBookingIdItemClick(); });
    SetCommand(QStringLiteral("LastModifiedBookingItem"), [this] { LastBookingItemClick(); });
    if (services_.CreateGroupBookingWindow)
        SetCommand(QStringLiteral("GroupBookingsItem"), [this] { GroupBookingIdItemClick(); });
}

void TMainForm::WithRefreshTimerOff(const std::function<void()>& action) {
    RefreshTimer->SetEnabled(false);
    try {
        action();
    } catch (...) {
        UpdateRefreshTimer();
        throw;
    }
    UpdateRefreshTimer();
}

namespace {

// The start of a grid row as a time of the date. The end of a day window's last row may reach midnight when the
// window ends at 23:59; the booking then ends at 23:59 of its own date, never before its start.
TDateTime SlotTime(const TTimeIntervalBookingGrid& grid, int row) {
    return std::min(grid.RowToTime(row) + grid.StartTime, EncodeTime(23, 59, 0, 0));
}

}  // namespace

void TMainForm::NewBookingFromSelection(TTimeIntervalBookingGrid& grid, bool newBookingCommand) {
    if (grid.ClickInFixedCols || grid.ClickInFixedRows) return;
    const int col = grid.ClickedCol;
    const int row = grid.ClickedRow;
    // A press beyond the last column or row has no cell to book.
    if (col < 1 || row < 1) return;
    const bool week = &grid == WeekGrid;
    const TResourceItem* resource = week ? WeekGrid->Resource : grid.GetResource(col, 0);
    if (!resource) return;
    const TDateTime date = week ? WeekGrid->WeekInfo.FirstDate + col - 1 : DateOf(Calendar->Date());
    // Every row of the run in the pressed column must be free.
    const auto runIsFree = [&](int top, int bottom) {
        for (int r = top; r <= bottom; ++r)
            if (HoldsBooking(grid.GetCell(col, r))) {
                MessageDlg(kOverlaps, mtInformation, {mbOK});
                RefreshItemClick();
                return false;
            }
        return true;
    };
    const TGridRect selection = grid.Selection();
    const TGridRect previous = grid.PreviousSelection;
    TDateTime start = 0;
    TDateTime end = 0;
    QString focusField;
    if (selection.Top < selection.Bottom) {
        if (!runIsFree(selection.Top, selection.Bottom)) return;
        start = SlotTime(grid, selection.Top);
        end = SlotTime(grid, selection.Bottom + 1);
        focusField = QStringLiteral("Client");
    } else if (selection.Left == previous.Left && previous.Top < previous.Bottom && row >= previous.Top &&
               row <= previous.Bottom) {
        // A double click inside a run selected before books the whole run.
        if (!runIsFree(previous.Top, previous.Bottom)) return;
        start = SlotTime(grid, previous.Top);
        end = SlotTime(grid, previous.Bottom + 1);
        focusField = QStringLiteral("Client");
    } else {
        const TBookingCell* cell = grid.GetCell(col, row);
        if (!HoldsBooking(cell)) {
            start = SlotTime(grid, row);
            end = SlotTime(grid, row + 1);
            focusField = QStringLiteral("EndTime");
        } else if (!newBookingCommand) {
            ViewBooking(cell);
            Repaint();
            return;
        } else {
            start = end = SlotTime(grid, row);
            focusField = QStringLiteral("StartTime");
        }
    }
    CreateBooking(resource->ResourceId, focusField, start, end, date);
    Repaint();
}

std::optional<bool> TMainForm::ShowNewBooking(int resourceId, const QString& focusField, TDateTime startDate,
                                              TDateTime endDate, TDateTime startTime, TDateTime endTime) {
    if (data_.ReadOnlyAccess) {
        MessageDlg(kReadOnlyNew, mtInformation, {mbOK});
        return std::nullopt;
    }
    TBookingWindow* window = bookingWindow_.get();
    if (!window) return false;
    window->SetFocusField(focusField);
    if (!window->InsertNewBooking(resourceId, 0, startDate, endDate, startTime, endTime, QString(), QString(),
                                  QString(), QString(), QString(), QString())) {
        ShowMessage(kNotAllowed);
        return false;
    }
    return ShowLocatedBooking();
}

bool TMainForm::ShowLocatedBooking() {
    bookingWindow_->ShowModal();
    if (!bookingWindow_->IsModified()) return false;
    // "Last Modified Booking" follows the window's last modified booking.
    UpdateCommandStates();
    return true;
}

void TMainForm::CreateBooking(int resourceId, const QString& focusField, TDateTime start, TDateTime end,
                              TDateTime date) {
    if (!ShowNewBooking(resourceId, focusField, date, date, TimeOf(start), TimeOf(end))) return;
    RefreshItemClick();
}

void TMainForm::NewMultiDayBookingFromSelection(bool newBookingCommand) {
    TMultiDayGrid& grid = *MultiDayGrid;
    if (grid.ClickInFixedCols || grid.ClickInFixedRows) return;
    const int col = grid.ClickedCol;
    const int row = grid.ClickedRow;
    if (col < 1 || row < 1) return;
    const TResourceItem* resource = grid.GetResource(0, row);
    if (!resource) return;
    const TDateTime firstDate = DateOf(Calendar->Date()) - grid.DaysBefore;
    const auto dateOf = [firstDate](int c) { return firstDate + c - 1; };
    const TGridRect selection = grid.Selection();
    const TGridRect previous = grid.PreviousSelection;
    if (selection.Top == previous.Top && selection.Left != previous.Right && selection.Left >= previous.Left &&
        selection.Left <= previous.Right) {
        for (int c = previous.Left; c <= previous.Right; ++c)
            if (HoldsBooking(grid.GetCell(c, row))) {
                MessageDlg(kMultiDayConflict, mtWarning, {mbOK});
                return;
            }
        CreateMultiDayBooking(resource->ResourceId, QStringLiteral("Client"), dateOf(previous.Left),
                              dateOf(previous.Right));
        return;
    }
    const TBookingCell* cell = grid.GetCell(col, row);
    if (HoldsBooking(cell) && !newBookingCommand) ViewBooking(cell);
    else CreateMultiDayBooking(resource->ResourceId, QStringLiteral("EndTime"), dateOf(col), dateOf(col));
}

void TMainForm::CreateMultiDayBooking(int resourceId, const QString& focusField, TDateTime firstDate,
                                      TDateTime lastDate) {
    // Whole days: from midnight of the first date to midnight after the last.
    if (!ShowNewBooking(resourceId, focusField, firstDate, lastDate + 1, 0, 0)) return;
    RefreshItemClick();
}

void TMainForm::MonthCellCommand(int mode) {
    TTavorinMonthGrid& grid = *MonthGrid;
    const TDateTime monthStart = grid.Info.MonthStart;
    if (grid.ClickedRow <= 0) return;
    if (mode != 1 && grid.ClickedLine != 0) {
        const TMonthGridCellInfo* info = grid.GetCellInfo(grid.ClickedCol, grid.ClickedRow);
        const TMonthDateBookingCellRow* line =
            info && grid.ClickedLine < info->LineCount() ? info->GetLine(grid.ClickedLine) : nullptr;
        if (info && info->Overflow && grid.ClickedLine == grid.LinesPerCell() - 1) {
            ShowMonthCellBookings(grid.ClickedCol, grid.ClickedRow);
        } else if (line) {
            if (bookingWindow_ && bookingWindow_->LocateBooking(line->BookingId)) ShowLocatedBooking();
        } else if (mode == 2) {
            CreateMonthDayBooking();
        } else {
            MessageDlg(kNothingToView, mtInformation, {mbOK});
            return;
        }
    } else {
        CreateMonthDayBooking();
    }
    Repaint();
    LoadMonthView(true, SelectedResources, monthStart);
}

void TMainForm::CreateMonthDayBooking() {
    const TTavorinMonthGrid& grid = *MonthGrid;
    // With several resources the booking window lets the user choose one.
    const int resourceId = SelectedResources.GetCount() == 1 ? SelectedResources.GetItem(0)->ResourceId : -1;
    const int pressed = grid.ClickedCol + (grid.ClickedRow - 1) * 7;
    const TGridRect previous = grid.PreviousSelection;
    const int first = previous.Left + (previous.Top - 1) * 7;
    const int last = previous.Right + (previous.Bottom - 1) * 7;
    const TDateTime shown = grid.Info.FirstShownDate;
    TDateTime start = shown + pressed;
    TDateTime end = start;
    if (pressed >= first && pressed <= last) {
        start = shown + first;
        end = shown + last;
    }
    if (start < end) CreateMonthBooking(resourceId, QStringLiteral("Client"), start, end + 1);
    else if (Preferences.MonthNewBookingAllDay)
        CreateMonthBooking(resourceId, QStringLiteral("Client"), start, start + 1);
    else CreateMonthBooking(resourceId, QStringLiteral("Client"), start, start + EncodeTime(11, 59, 0, 0));
}

void TMainForm::CreateMonthBooking(int resourceId, const QString& focusField, TDateTime start, TDateTime end) {
    const std::optional<bool> modified =
        ShowNewBooking(resourceId, focusField, DateOf(start), DateOf(end), TimeOf(start), TimeOf(end));
    if (modified.value_or(false)) Preferences.MonthNewBookingAllDay = bookingWindow_->AllDay();
}

void TMainForm::ViewBooking(const TBookingCell* cell) {
    if (!HoldsBooking(cell)) {
        MessageDlg(kNothingToView, mtInformation, {mbOK});
        return;
    }
    if (cell->Overlap) {
        ShowOverlappingBookings(*cell);
    } else if (cell->AllStaged) {
        MessageDlg(QStringLiteral("Transaction bookings can not be modified."), mtInformation, {mbOK});
        return;
    } else if (bookingWindow_) {
        const int id = LastBookingId(*cell);
        if (bookingWindow_->LocateBooking(id)) ShowLocatedBooking();
        else
            MessageDlg(QStringLiteral("Booking Id ") + QString::number(id) +
                           QStringLiteral(" does not exist. It may have been recently deleted by another user."),
                       mtInformation, {mbOK});
    }
    Repaint();
    RefreshItemClick();
}

void TMainForm::ShowOverlappingBookings(const TBookingCell& cell) {
    if (!services_.CreateGroupBookingWindow) return;
    const std::unique_ptr<TGroupBookingWindow> list = services_.CreateGroupBookingWindow(*this);
    list->SetMode(6);
    TADOQuery query;
    query.SetConnection(&data_.ADOConnection);
    query.SQL.Add(QStringLiteral("select BookingId, BookingStart, BookingEnd, Client, ResourceName"));
    query.SQL.Add(QStringLiteral("from [Bookings], [Resources]"));
    query.SQL.Add(QStringLiteral("where ([Bookings].ResourceId = [Resources].ResourceId)"));
    query.SQL.Add(QStringLiteral(" and ("));
    for (int i = 0; i < cell.BookingIds.Count(); ++i)
        query.SQL.Add((i == 0 ? QString() : QStringLiteral("   or ")) + QStringLiteral("[Bookings].BookingId = ") +
                      QString::number(cell.BookingIds.GetItem(i)));
    query.SQL.Add(QStringLiteral(" )"));
    query.SQL.Add(QStringLiteral("order by [Bookings].BookingStart"));
    query.Open();
    for (; !query.Eof(); query.Next()) {
        const TDateTime start = query.FieldByName(QStringLiteral("BookingStart")).AsDateTime();
        list->AddResultRow(query.FieldByName(QStringLiteral("ResourceName")).AsString(),
                           query.FieldByName(QStringLiteral("Client")).AsString(),
                           static_cast<int>(query.FieldByName(QStringLiteral("BookingId")).AsInteger()), 0, 0,
                           TimeOf(query.FieldByName(QStringLiteral("BookingEnd")).AsDateTime()), TimeOf(start),
                           DateOf(start));
    }
    query.Close();
    list->ShowModal();
    if (list->Changed()) UpdateCommandStates();
}

void TMainForm::DeleteBooking(const TResourceItem* resource, const TBookingCell* cell) {
    if (!HoldsBooking(cell)) {
        MessageDlg(kNothingToDelete, mtInformation, {mbOK});
        return;
    }
    if (cell->Overlap) {
        DeleteOverlappingBookings(resource, *cell);
    } else if (bookingWindow_) {
        const int id = LastBookingId(*cell);
        if (!bookingWindow_->LocateBooking(id)) MessageDlg(DeletedByAnother(id), mtError, {mbOK});
        else if (services_.DeleteBookings) services_.DeleteBookings(*bookingWindow_);
    }
    RefreshItemClick();
}

void TMainForm::DeleteOverlappingBookings(const TResourceItem* resource, const TBookingCell& cell) {
    if (!services_.CreateGroupBookingWindow) return;
    const std::unique_ptr<TGroupBookingWindow> list = services_.CreateGroupBookingWindow(*this);
    list->SetMode(7);
    TADOTable& bookings = data_.BookingsTable;
    for (int i = 0; i < cell.BookingIds.Count(); ++i) {
        const int id = cell.BookingIds.GetItem(i);
        // A booking deleted meanwhile is left out.
        if (!bookings.Locate(QStringLiteral("BookingId"), id)) continue;
        const TDateTime start = bookings.FieldByName(QStringLiteral("BookingStart")).AsDateTime();
        list->AddResultRow(resource ? resource->ResourceName : QString(),
                           bookings.FieldByName(QStringLiteral("Client")).AsString(), id, 0, 0,
                           TimeOf(bookings.FieldByName(QStringLiteral("BookingEnd")).AsDateTime()), TimeOf(start),
                           DateOf(start));
    }
    list->ShowModal();
}

void TMainForm::DeleteMonthBooking(const TMonthDateBookingCellRow* line) {
    if (!line) {
        MessageDlg(kNothingToDelete, mtInformation, {mbOK});
        return;
    }
    if (bookingWindow_) {
        if (!bookingWindow_->LocateBooking(line->BookingId))
            MessageDlg(DeletedByAnother(line->BookingId), mtError, {mbOK});
        else if (services_.DeleteBookings) services_.DeleteBookings(*bookingWindow_);
    }
    LoadMonthView(true, SelectedResources, MonthGrid->Info.MonthStart);
}

void TMainForm::ShowMonthCellBookings(int col, int row) {
    if (MonthGrid->ClickedRow == 0) return;
    const TMonthGridCellInfo* info = MonthGrid->GetCellInfo(col, row);
    if (!info) return;
    WithRefreshTimerOff([&] {
        TBookingListServices services;
        if (services_.CreateBookingWindow)
            services.CreateBookingWindow = [this] { return services_.CreateBookingWindow(data_); };
        services.BookingWindow = bookingWindow_.get();
        services.DeleteBookings = services_.DeleteBookings;
        services.PrintBookingList = services_.PrintBookingList;
        TBookingListForm list(this, data_, std::move(services));
        list.TimeFormat = data_.GetTimeFormat();
        // Free lanes have no row.
        for (int m = 0; m < info->MonthCellCount(); ++m) {
            const TMonthDateBookingCell* cell = info->GetMonthCell(m);
            for (int lane = 0; lane < cell->GetRowCount(); ++lane)
                if (TMonthDateBookingCellRow* booking = cell->GetRow(lane))
                    list.AddBooking(booking, booking->ResourceName, booking->BookingId, 0, 0, booking->Client,
                                    booking->BookingStart, booking->BookingEnd);
        }
        list.ShowModal();
        if (list.Changed) RefreshItemClick();
    });
}

void TMainForm::NewBookingToolButtonClick() {
    if (IsTab(*DataPageControl, MonthViewTabSheet)) MonthCellCommand(1);
    else if (IsTab(*DataPageControl, WeekViewTabSheet)) NewBookingFromSelection(*WeekGrid, true);
    else if (IsTab(*DataPageControl, MultiDayViewTabSheet)) NewMultiDayBookingFromSelection(true);
    else NewBookingFromSelection(*DayGrid, true);
}

namespace {

// The active tab's grid of time slots or dates; null on the month, reminders and tasks tabs.
TBookingGrid* ActiveBookingGrid(const TMainForm& form) {
    const TPageControl& pages = *form.DataPageControl;
    if (IsTab(pages, form.DayViewTabSheet)) return form.DayGrid;
    if (IsTab(pages, form.MultiDayViewTabSheet)) return form.MultiDayGrid;
    if (IsTab(pages, form.WeekViewTabSheet)) return form.WeekGrid;
    return nullptr;
}

// A command on one cell refuses a selection over several rows (in the month grid, over several rows and
// several columns) with the message.
bool OneCell(const TGridRect& selection, bool month, const QString& refusal) {
    const bool several = selection.Top != selection.Bottom && (!month || selection.Left != selection.Right);
    if (several) MessageDlg(refusal, mtInformation, {mbOK});
    return !several;
}

}  // namespace

void TMainForm::ViewBookingToolButtonClick() {
    if (IsTab(*DataPageControl, MonthViewTabSheet)) {
        if (OneCell(MonthGrid->Selection(), true, kSingleCellToView)) MonthCellCommand(0);
        return;
    }
    const TBookingGrid* grid = ActiveBookingGrid(*this);
    if (!grid) MessageDlg(kNothingToView, mtInformation, {mbOK});
    else if (OneCell(grid->Selection(), false, kSingleCellToView))
        ViewBooking(grid->GetCell(grid->ClickedCol, grid->ClickedRow));
}

void TMainForm::DeleteBookingToolButtonClick() {
    if (data_.ReadOnlyAccess) {
        MessageDlg(kReadOnlyDelete, mtInformation, {mbOK});
        return;
    }
    if (IsTab(*DataPageControl, MonthViewTabSheet)) {
        if (!OneCell(MonthGrid->Selection(), true, kSingleCellToDelete)) return;
        const int line = MonthGrid->ClickedLine;
        const TMonthGridCellInfo* info = MonthGrid->GetCellInfo(MonthGrid->ClickedCol, MonthGrid->ClickedRow);
        // Nothing on the day number or on "<more>".
        if (!info || line <= 0 || (info->Overflow && line == MonthGrid->LinesPerCell() - 1)) return;
        if (const TMonthDateBookingCellRow* booking = info->GetLine(line)) DeleteMonthBooking(booking);
        return;
    }
    const TBookingGrid* grid = ActiveBookingGrid(*this);
    if (!grid) {
        MessageDlg(kNothingToDelete, mtInformation, {mbOK});
        return;
    }
    if (!OneCell(grid->Selection(), false, kSingleCellToDelete)) return;
    // The day grid's columns and the multi-day grid's rows are the resources; the week grid shows one.
    const TResourceItem* resource = grid == WeekGrid       ? WeekGrid->Resource
                                    : grid == MultiDayGrid ? MultiDayGrid->GetResource(0, grid->ClickedRow)
                                                           : DayGrid->GetResource(grid->ClickedCol, 0);
    DeleteBooking(resource, grid->GetCell(grid->ClickedCol, grid->ClickedRow));
}

namespace {

// The booking id the user types, blanks around it allowed; none when cancelled or not a whole number (which is
// said with the icon given).
std::optional<int> AskBookingId(const QString& caption, TMsgDlgType notIntegerIcon) {
    QString text;
    if (!InputQuery(caption, QStringLiteral("Enter Booking Id"), text)) return std::nullopt;
    text = text.trimmed();
    bool isInteger = false;
    const int id = text.toInt(&isInteger);
    if (isInteger) return id;
    MessageDlg(text + QStringLiteral(" is not an integer."), notIntegerIcon, {mbOK});
    return std::nullopt;
}

QString NoSuchBooking(int id) {
    return QStringLiteral("Booking Id ") + QString::number(id) + QStringLiteral(" does not exist.");
}

}  // namespace

void TMainForm::ViewBookingIdItemClick() {
    const std::optional<int> id = AskBookingId(QStringLiteral("Find Booking Id"), mtInformation);
    if (!id || !bookingWindow_) return;
    WithRefreshTimerOff([&] {
        if (!bookingWindow_->LocateBooking(*id)) MessageDlg(NoSuchBooking(*id), mtInformation, {mbOK});
        else if (data_.BookingsTable.FieldByName(QStringLiteral("Trans")).AsBoolean())
            MessageDlg(QStringLiteral("Transaction bookings can not be modified"), mtInformation, {mbOK});
        else if (ShowLocatedBooking()) ShowActiveView();
        RequeryBookingTables();
    });
}

void TMainForm::GroupBookingIdItemClick() {
    const std::optional<int> id = AskBookingId(QStringLiteral("Show Group Bookings"), mtError);
    if (!id || !bookingWindow_) return;
    WithRefreshTimerOff([&] {
        TADOTable& bookings = data_.BookingsTable;
        if (!bookings.Locate(QStringLiteral("BookingId"), *id)) {
            MessageDlg(NoSuchBooking(*id), mtInformation, {mbOK});
        } else if (bookings.FieldByName(QStringLiteral("GroupBookingId")).AsInteger() == 0) {
            MessageDlg(QStringLiteral("Booking Id ") + QString::number(*id) +
                           QStringLiteral(" is not part of a group booking"),
                       mtInformation, {mbOK});
        } else {
            // The booking window lists the group in the list window, to view or change its bookings.
            const std::unique_ptr<TGroupBookingWindow> list = services_.CreateGroupBookingWindow(*this);
            QList<int> ids;
            int groupCount = 0;
            bookingWindow_->CheckBookingEditable(*list, 4, *id, 1, ids, groupCount, false, true);
            if (bookingWindow_->IsModified()) {
                UpdateCommandStates();
                ShowActiveView();
            }
        }
        RequeryBookingTables();
    });
}

void TMainForm::LastBookingItemClick() {
    if (!bookingWindow_) return;
    if (!bookingWindow_->LocateBooking(bookingWindow_->LastModifiedBookingId())) {
        MessageDlg(QStringLiteral("Error - Booking Id does not exist"), mtError, {mbOK});
        return;
    }
    if (ShowLocatedBooking()) ShowActiveView();
}

void TMainForm::CalendarScrollBarScroll(TScrollCode scrollCode) {
    const TDateTime date = Calendar->Date();
    const QString& view = Preferences.BookingView;
    const bool month = view == QLatin1String("month");
    const bool multiDay = view == QLatin1String("multiday");
    const int page = multiDay ? MultiDayGrid->DaysBefore + MultiDayGrid->DaysAfter + 1 : 7;
    int days = 0;
    switch (scrollCode) {
        case scLineUp: days = -1; break;
        case scLineDown: days = 1; break;
        case scPageUp: days = month ? -DaysInMonthOf(IncMonth(date, -1)) : -page; break;
        case scPageDown: days = month ? DaysInMonthOf(date) : page; break;
        default: break;
    }
    Calendar->SetDate(date + days);
    TCustomGrid* grid = month      ? static_cast<TCustomGrid*>(MonthGrid)
                        : multiDay ? static_cast<TCustomGrid*>(MultiDayGrid)
                                   : static_cast<TCustomGrid*>(DayGrid);
    if (grid->Visible() && grid->CanFocus()) grid->SetFocus();
    CalendarClick();
}
