// TGroupBookingForm: the modal list of group members and of booking results, in its seven modes.
#pragma once

#include "platform/db/ADODataSet.h"
#include "platform/ui/Form.h"

#include <QString>
#include <QVector>
#include <functional>
#include <memory>

class TBookingRecord;
class TButton;
class TData;
class TDataSet;
class TDvFormPosition;
class TListItem;
class TListView;
class TPanel;
class TSQLData;
class TStatusBar;

class TGroupBookingForm;

namespace booking {

// The centred 300 x 100 panel a long step shows over its window, with the hourglass, until it goes.
class BusyPanel {
public:
    BusyPanel(TForm& form, const QString& caption);
    ~BusyPanel();
    BusyPanel(const BusyPanel&) = delete;
    BusyPanel& operator=(const BusyPanel&) = delete;

private:
    std::unique_ptr<TPanel> panel_;
};

}  // namespace booking

// The windows the list reaches; an empty hook leaves its command doing nothing.
struct TGroupBookingHooks {
    // The booking window over the data module's current Bookings row (located by the list), shown for that
    // booking alone when singleBookingMode is set; answers whether the booking was changed.
    std::function<bool(qint32 bookingId, bool singleBookingMode)> BookingForm;
    // The booking window initialised for the data module's current Bookings row, running its delete.
    std::function<void(qint32 bookingId)> BookingFormDelete;
    // The group bookings report layout over this window's rows: printed, or previewed on the screen.
    struct PrintJob {
        QString DocumentName;
        bool Preview = false;
        bool ShowStatus = false;
    };
    std::function<void(TGroupBookingForm& rows, const PrintJob& job)> RBGroupBookingsForm;
};

// What the list's rows are for; the caller sets it before showing.
enum TGroupBookingMode : int {
    gbmSelectUpdate = 1,
    gbmSelectDelete = 2,
    gbmRepeatResults = 3,
    gbmViewGroup = 4,
    gbmUpdateResults = 5,
    gbmChooseView = 6,
    gbmChooseDelete = 7,
};

// The status texts of the booking result record's status byte, and of the validation codes that deny.
QString BookingStatusText(int status);
QString DenialReasonText(int reason);

// A caller makes the window, sets Mode and ReadOnly, adds its rows (AddResultRow, AddResultRowSpan, or
// LoadGroup, FillFromQuery and CloseGroup), runs ShowModal and reads the answer: mrOk with SelectedIds the
// accepted booking ids, or mrCancel. After a group update where some members failed, the booking window shows
// the members' results in mode 5: mrOk commits the others, mrCancel none.
class TGroupBookingForm : public TForm {
public:
    TGroupBookingForm(QWidget* owner, TData& data, TSQLData& sqlData, TGroupBookingHooks hooks = {});
    ~TGroupBookingForm() override;

    int Mode = gbmViewGroup;
    bool ReadOnly = false;
    qint32 OriginalBookingId = 0;
    qint32 GroupBookingId = 0;
    bool Changed = false;
    QVector<qint32> SelectedIds;

    TListView* BookingList = nullptr;
    TButton* HelpButton;
    TButton* CancelButton;
    TButton* OkButton;
    TButton* EditButton;
    TButton* DeleteButton;
    TButton* SelectAllButton;
    TButton* SelectOriginalButton;
    TButton* PrintButton;
    TButton* PreviewButton;
    TStatusBar* StatusBar;
    TADOTable BookingsTable;
    TADOQuery GroupBookingsQuery;

    void AddResultRow(const QString& resourceName, const QString& client, qint32 bookingId, int reason, int status,
                      TDateTime endTime, TDateTime startTime, TDateTime date);
    void AddResultRowSpan(const QString& resourceName, const QString& client, qint32 bookingId, int reason, int status,
                          double duration, TDateTime startTime, TDateTime date);
    int LoadGroup(qint32 groupBookingId);
    void CloseGroup();
    // Rules: 2 every row, 3 the rows equal to the reference in every flagged field, 4 the original.
    int FillFromQuery(int rule, qint32 originalBookingId, const TBookingRecord& changed,
                      const TBookingRecord& reference);
    void SetRowStatus(qint32 bookingId, int status);
    void RefreshRows();

    void OkButtonClick();
    void SelectAllButtonClick();
    void SelectOriginalButtonClick();
    void EditButtonClick();
    void DeleteButtonClick();
    void PrintButtonClick(bool preview);
    void UpdateCounts();

    // The list's columns; the sub-items are numbered from the "End" column.
    static constexpr int kColumnCount = 7;
    enum SubItem : int { siEnd = 0, siResource = 1, siClient = 2, siStatus = 3, siBookingId = 4, siNotes = 5 };

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void FormShow();
    void FormClose();
    void FormResize();
    void LoadColumnWidths();
    void SaveColumnWidths();
    void LayOutButtons();
    QList<TButton*> VisibleButtons() const;
    void SetRowTimes(TListItem& row, TDateTime start, TDateTime end) const;
    void FillRowFromDataSet(TDataSet& dataSet, TListItem& row);
    void RefreshRow(TListItem& row);
    // Requeries both Bookings tables of the data module and locates the booking in the first.
    bool LocateInData(qint32 bookingId);
    bool IsStaged(TDataSet& dataSet) const;
    static qint32 RowId(const TListItem& row);

    TData& data_;
    TSQLData& sqlData_;
    TGroupBookingHooks hooks_;
    std::unique_ptr<TDvFormPosition> position_;
    int widths_[kColumnCount] = {};
};
