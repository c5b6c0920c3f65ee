// TFindForm: the booking search: up to five text criteria on booking fields, optional date and time-of-day
// ranges, a sort order; the results list with the selected booking's details, opening a booking, copying rows
// and printing them.
#pragma once

#include "platform/db/ADODataSet.h"
#include "platform/ui/Form.h"

#include <array>
#include <functional>
#include <vector>

class TData;
class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TListItem;
class TListView;
class TMemo;
class TStatusBar;
class TwwDBDateTimePicker;
class TDvIntegerList;

// One searchable field: the name offered in the field lists, its column and its table.
struct TFieldInfo {
    QString Caption;
    QString FieldName;
    QString TableName;
};

// The windows the search opens that belong to other parts of the program; an empty hook leaves its buttons
// disabled.
struct TFindFormHooks {
    // The search-list report layout (TRBFindListForm): prints the bookings of the ids under the document name to
    // the device ("Screen" for a preview, else "Printer") with the data module's report printer setup.
    std::function<void(const TDvIntegerList& bookingIds, const QString& documentName, const QString& deviceType)>
        RBFindListForm;
    // The booking window (TBookingForm), modal, on the booking the data module's Bookings table is positioned on,
    // with SingleBookingMode off.
    std::function<void(int bookingId)> BookingForm;
};

class TFindForm : public TForm {
public:
    static constexpr int kCriteria = 5;

    TFindForm(QWidget* owner, TData& data, TFindFormHooks hooks = {});
    ~TFindForm() override;

    std::array<TComboBox*, kCriteria> FieldComboBoxes;
    std::array<TEdit*, kCriteria> FieldEdits;
    std::array<TComboBox*, kCriteria> MatchComboBoxes;
    TCheckBox* DatesCheckBox;
    TwwDBDateTimePicker* FromDatePicker;
    TwwDBDateTimePicker* ToDatePicker;
    TCheckBox* TimesCheckBox;
    TwwDBDateTimePicker* FromTimePicker;
    TwwDBDateTimePicker* ToTimePicker;
    TComboBox* SortComboBox;
    TMemo* Memo;
    TButton* FindButton;
    TButton* ClearButton;
    TButton* EditButton;
    TButton* PrintAllButton;
    TButton* PrintSelectedButton;
    TCheckBox* PreviewCheckBox;
    TButton* CloseButton;
    TListView* BookingList;
    TStatusBar* StatusBar;
    TADOQuery FindQuery;

    // Rebuilt on every show: the table of searchable fields, custom fields last.
    void BuildFieldList();
    const std::vector<TFieldInfo>& FieldInfos() const { return fieldInfos_; }
    // The first entry whose caption equals the text, ignoring case; false when none does.
    bool FindFieldInfo(const QString& caption, QString& fieldName, QString& tableName) const;
    // The condition line of one criterion, its text bound as the parameter of that name; empty when the caption
    // names no field.
    QString MatchClause(const QString& caption, const QString& match, const QString& parameter) const;
    // The parameter's value: the text as typed, with the match kind's percent signs.
    static QString MatchPattern(const QString& text, const QString& match);
    void ClearCriteria();
    void FindButtonClick();
    // The selected booking's details in the memo.
    void ShowDetails(TListItem* item);
    void EditButtonClick();
    // Every selected row: the BookingId, then a TAB and the text of each other column that has a width, then
    // CR LF.
    QString SelectedRowsText() const;
    void CopyToClipboard();
    void Print(bool selectedOnly);

private:
    void FormResize();
    void FieldEditChange(int row);
    void DateChange(bool first);
    void TimeChange(bool first);
    void UpdateButtons();

    TData& data_;
    TFindFormHooks hooks_;
    std::vector<TFieldInfo> fieldInfos_;
    bool settingPickers_ = false;
};
