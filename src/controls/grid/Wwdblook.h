// TwwDBCustomLookupCombo and TwwDBLookupCombo: an edit with a drop-down button that shows a value of a
// second dataset, the lookup table, and drops down a grid of its records to choose from.
#pragma once

#include "controls/edit/WwDBCustomCombo.h"
#include "controls/grid/WwdblookList.h"
#include "platform/rtl/Alignment.h"
#include "platform/ui/Lists.h"

#include <functional>
#include <memory>

class TTimer;

namespace lookup_combo {
// Refused when a lookup combo's lookup table is also its data source.
inline const QString kDuplicateSource = QStringLiteral("Unable to use duplicate DataSource and LookupSource");
// The completion text that no value begins with: the typed text is kept as it is.
inline const QString kNoCompletion = QStringLiteral("~~~~");
}  // namespace lookup_combo

// The framework's combo styles; the lookup combo uses csDropDown (free typing) and csDropDownList.
using TwwDBLookupComboStyle = TComboBoxStyle;
using TLeftRight = TAlignment;

enum TwwSeqSearchOption { ssoEnabled, ssoCaseSensitive };
using TwwSeqSearchOptions = ui::SetOf<TwwSeqSearchOption>;

using TNotifyCloseUpEvent =
    std::function<void(QObject* Sender, TDataSet* LookupTable, TDataSet* FillTable, bool modified)>;
using TNotInListEvent =
    std::function<void(QObject* Sender, TDataSet* LookupTable, const QString& NewValue, bool& Accept)>;
using TwwPerformSearchEvent = std::function<void(QObject* Sender, TDataSet* LookupTable, const QString& SearchField,
                                                 const QString& SearchValue, bool PerformLookup, bool& Found)>;

// What each drop-down copies into the list.
struct TwwDropDownGridOptions {
    int TitleLines = 1;
    TColor Color = clWindow;
    TAlignment TitleAlignment = taLeftJustify;
};

class TwwDBCustomLookupCombo : public TwwDBCustomCombo {
public:
    explicit TwwDBCustomLookupCombo(QWidget* parent);
    ~TwwDBCustomLookupCombo() override;

    // ---- properties
    void SetDataSource(TDataSource* source);
    void SetDataField(const QString& name);
    TDataSet* LookupTable() const { return list_->LookupTable(); }
    void SetLookupTable(TDataSet* table) { list_->SetLookupTable(table); }
    const QString& LookupField() const { return list_->LookupField(); }
    void SetLookupField(const QString& value);
    TStrings& Selected() { return list_->Selected(); }
    TwwDBLookupListOptions Options() const { return list_->Options(); }
    void SetOptions(TwwDBLookupListOptions value) { list_->SetOptions(value); }
    bool UseTFields() const { return list_->UseTFields(); }
    void SetUseTFields(bool value) { list_->SetUseTFields(value); }
    TwwPopupGrid* Grid() const { return list_; }
    TwwDropDownGridOptions DropDownGridOptions;
    TwwDBLookupComboStyle Style = csDropDown;
    TLeftRight DropDownAlignment = taLeftJustify;
    int DropDownCount = 8;
    int DropDownWidth = 0;
    bool AutoDropDown = false;
    TwwSeqSearchOptions SeqSearchOptions{ssoEnabled};
    bool OrderByDisplay = true;
    int SearchDelay = 0;
    bool PreciseEditRegion = false;
    bool AllowClearKey = false;
    bool ShowMatchText = false;

    TNotifyEvent OnBeforeDropDown, OnDropDown;
    TNotifyCloseUpEvent OnCloseUp;
    TNotInListEvent OnNotInList;
    TwwPerformSearchEvent OnPerformCustomSearch;

    // ---- value operations
    void SetLookupValue(const QString& value);
    QString GetLookupValue() const { return list_->GetLookupValue(); }
    QString GetCachedSecondLookupValue() const { return list_->GetSecondValue(); }
    QString GetSecondLookupValue();
    QString GetThirdLookupValue();
    void SetDisplayValue(const QString& text);
    QString GetSearchText() const;
    void AcceptListRecord();
    void ListClick();
    bool ListRecordDiffers() const;
    void EditField();
    void StoreLookupValues(TDataSet* lookupTable, bool& modified);
    virtual void DropDownHook() {}
    virtual bool AlwaysCopyExtraKeys() const { return false; }

    // ---- tests used across the control
    bool AllowsTyping() const override;
    bool MouseActsAsEdit() const;
    bool CanEdit() const;
    bool IsBoundToLookupField() const;
    bool IsStandardLookupField() const;
    static bool IsTypingKey(Word key);
    bool IsDroppedDown() const override;
    bool IsTextEditable() const override { return AllowsTyping(); }

    // ---- search
    virtual void PerformSearch();
    virtual bool LookupDisplayValue(const QString& value, const QString& fieldName, bool partial, bool caseSensitive,
                                    bool performLookup);
    virtual void DoPerformCustomSearch(const QString& searchField, const QString& searchValue, bool performLookup,
                                       bool& found);
    // The program's lookup tables are searched through the dataset; the library's own tables wait.
    bool NeedsSequentialSearch() const { return true; }
    void SetSearchOrder(bool displayOrder);
    // OnPerformCustomSearch with the custom-search and internal-change flags up; answers Found.
    bool RunCustomSearch(const QString& searchField, const QString& searchValue, bool performLookup);
    void SearchAgain();
    bool FoundFlag() const { return found_; }
    void SetFoundFlag(bool found) { found_ = found; }
    const QString& LastSearchedText() const { return lastSearchedText_; }
    const QString& SearchedText() const { return searchedText_; }
    void SetSearchedText(const QString& text) { searchedText_ = text; }
    TTimer& SearchTimer() const { return *searchTimer_; }
    bool CustomSearchRunning() const { return customSearch_; }

    // ---- drop-down and close-up
    void DropDown() override;
    void CloseUp(bool accept) override;
    void PositionDropDown();
    int ColumnsWidth(int skipLast);
    // The list's height for N rows, as the drop-down computes it.
    int ListHeightFor(int rows) const;

    // ---- input
    bool WantsKey(Word key, TShiftState shift) const override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void Loaded() override;
    // A press outside the combo and its list.
    void CMCancelMode(QObject* sender);
    // The field link's events.
    void DataChange() override;
    void UpdateData() override;
    void ActiveChange();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The combo draws its text itself rather than letting the edit paint.
    bool PaintsOwnLookupText() const;
    TRect LookupTextArea() const;
    void focusOutEvent(QFocusEvent* event) override;
    void DeriveLookupField();
    // Typed text is the display field's, searched in the lookup table, not the bound field's value.
    bool MapsDisplayText() const override { return true; }
    // The saved values back: display value and Text, lookup value.
    void RestoreSavedValues();
    void SaveValues();
    void SelectAllIfTyping();
    void HideList();
    // Clears the close flag, removes the outside-click watch and brings the hints back.
    void FinishClose();
    // Closing with the list closed: typed text that is not in the lookup table.
    void ValidateClosedText();
    void CloseOpenList(bool accept);

    QString savedDisplayText_;
    QString savedLookupValue_;
    QString lastSearchedText_;
    QString searchedText_;
    QString searchField_;
    bool found_ = true;
    bool dropping_ = false;
    bool closing_ = false;
    bool storing_ = false;
    bool internalChange_ = false;
    bool customSearch_ = false;
    bool typingDropDown_ = false;
    bool forwarding_ = false;
    bool savedShowHint_ = true;
    // The rows the dropped list shows.
    int dropRows_ = 0;

private:
    TwwPopupGrid* list_;
    std::unique_ptr<TTimer> searchTimer_;
};

class TwwDBLookupCombo : public TwwDBCustomLookupCombo {
public:
    explicit TwwDBLookupCombo(QWidget* parent) : TwwDBCustomLookupCombo(parent) {}
};
