// THistoryListForm: the layout the booking history and the deleted-bookings windows share: a label, a read-only
// grid over History rows, a splitter, the selected row's description and a Close button.
#pragma once

#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Form.h"

#include <QStringList>

// History rows of this code are never listed in the history windows.
inline constexpr int kHiddenHistoryCode = 6;

class TData;
class TLabel;
class TMemo;
class TPanel;
class TButton;
class TSplitter;
class TwwDBGrid;

class THistoryListForm : public TForm {
public:
    // columns holds the grid's Selected lines (field, tab, width in characters, tab, title).
    THistoryListForm(QWidget* owner, TData& data, const QString& name, const QString& caption,
                     const QStringList& columns);
    ~THistoryListForm() override;

    TLabel* HistoryLabel;
    TwwDBGrid* HistoryDBGrid;
    TSplitter* Splitter;
    TMemo* HistoryMemo;
    TPanel* BottomPanel;
    TButton* SaveButton;
    TButton* PrintButton;
    TButton* CloseButton;
    TADOQuery HistoryQuery;
    TDataSource HistorySource;

    // The current row's stamp, action and user in the label and its description in the memo; both empty without
    // rows.
    void ShowDetails();
    // Replaces the query's text; it opens when the window shows.
    void SetQueryLines(const QStringList& lines);
    // Opens the query under the hourglass (also what showing the window does).
    void OpenQuery();

protected:
    TData& data_;

private:
    void FormResize();
    void FormatFields();
};
