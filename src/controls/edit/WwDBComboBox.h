// TwwDBCustomComboBox and TwwDBComboBox: the field-bound combo box with its drop-down list, value maps
// (MapList: display text TAB value), incremental search and a history list; and the radio-group helpers.
#pragma once

#include "controls/edit/WwDBCustomCombo.h"
#include "controls/edit/WwHistoryList.h"
#include "controls/edit/WwPopupListbox.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Lists.h"

#include <memory>

class TwwDBCustomComboBox;

// A string list that tells its combo box when its lines change, so the list is rebuilt before its next use.
class TwwComboStringList : public TStringList {
public:
    explicit TwwComboStringList(TwwDBCustomComboBox& combo) : combo_(combo) {}
    int Add(const QString& text) override;
    int AddObject(const QString& text, void* object) override;
    void Clear() override;
    void Delete(int index) override;
    void Exchange(int index1, int index2) override;
    void Insert(int index, const QString& text) override;
    void Sort() override;

private:
    TwwDBCustomComboBox& combo_;
};

using TwwCloseUpEvent = std::function<void(QObject* Sender, bool Select)>;
using TDrawItemEvent = std::function<void(QObject* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(QObject* Control, int Index, int& Height)>;
using TwwAddHistoryItemEvent = std::function<void(QObject* Sender, const QString& Value, bool& Accept)>;

class TwwDBCustomComboBox : public TwwDBCustomCombo {
public:
    explicit TwwDBCustomComboBox(QWidget* parent);
    ~TwwDBCustomComboBox() override;

    // Items are "display text TAB value"; the field stores the value.
    bool MapList() const { return mapList_; }
    void SetMapList(bool mapList);
    TwwComboStringList& Items() { return items_; }
    // Copies the lines and shows the field again.
    void SetItems(const TStrings& items);
    int DropDownCount = 8;
    // 0: the text height of "A" + 2.
    int ItemHeight = 0;
    bool AllowClearKey = false;
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    // 0: 1.5 times Column1Width when set, else the box's width.
    int DropDownWidth = 0;
    bool AutoDropDown = false;
    bool ShowMatchText = false;
    bool DisableDropDownList = false;
    int Column1Width = 0;
    bool TwoColumnDisplay = false;
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool sorted);
    TwwHistoryList& HistoryList() { return history_; }

    // The list's index when the list exists, else the one kept.
    int ItemIndex() const;
    // -1 clears the text; an index past the end leaves it.
    void SetItemIndex(int index);
    // The value of the text (empty for an empty csDropDown text).
    QString GetValue() const;
    // The canvas an item is being drawn on; null when none.
    TCanvas* GetCanvas() const { return drawingCanvas_; }
    // The list, made on first use; null before.
    TwwPopupListbox* ListBox() const { return list_; }
    bool ListShowing() const { return listShowing_; }

    // The display text of the first item whose value equals the value exactly (MapList, TwoColumnDisplay).
    QString ValueToDisplayText(const QString& value) const;
    // The value of the first item whose display text equals the text in any case.
    QString DisplayTextToValue(const QString& text) const;

    virtual int FindItemIndex(const QString& text, int start) const;
    virtual void DeleteHistoryItem(const QString& text, bool fromHistory);
    virtual void AddHistoryItem(const QString& text, bool move);
    virtual void ClearHistory();

    void DropDown() override;
    void CloseUp(bool accept) override;
    QString GetValueText() const override;
    bool GetDisplayTextForValue(const QString& value, QString& displayText) const override;
    void PaintText(TCanvas& canvas, const TRect& rect, const QString& text) override;
    bool IsTextEditable() const override;
    bool AllowsTyping() const override;
    bool IsOwnerDraw() const override { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }
    bool IsDroppedDown() const override { return listShowing_; }

    bool WantsKey(Word key, TShiftState shift) const override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;

    TNotifyEvent OnDropDown;
    TwwCloseUpEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;
    TwwAddHistoryItemEvent OnAddHistoryItem;

protected:
    friend class TwwComboStringList;
    void ItemsChanged() { itemsChanged_ = true; }
    void ItemsSorted();
    void DataChange() override;
    bool MapsDisplayText() const override { return mapList_; }
    // Shows the value: selects its item and sets the text.
    void SetComboValue(const QString& value);
    // Makes the list and fills it from the items and the history.
    void RebuildList();
    void EnsureList();
    // Whether the closed box fires OnCloseUp (the published box does).
    virtual bool FiresCloseUp() const { return false; }

private:
    // The part of an item the list shows.
    QString ListText(const QString& item) const;
    void PlaceList();
    // ShowMatchText: a character typed at the end of the text completes it from the first item that begins with
    // it, the completed rest selected. True when the key is consumed (completed, or refused by a list-only box).
    bool CompleteTypedText(QChar key);
    // The keys the list gets while it shows: the incremental search of typed characters.
    void SearchList(QChar key);
    void SelectInList(int index);
    // Copies the list's selection into the text (list navigation).
    void CopySelectionToText();
    bool DrawListItem(QPainter& painter, int index, const QRect& rect, TOwnerDrawState state);
    bool IsEditing() const;

    bool mapList_ = false;
    TwwComboStringList items_{*this};
    TwwPopupListbox* list_ = nullptr;
    bool listShowing_ = false;
    bool firstKeyAfterDropDown_ = false;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    TCanvas* drawingCanvas_ = nullptr;
    TwwHistoryList history_;
    bool openedByTyping_ = false;
    bool savedShowHint_ = false;
    bool savedParentShowHint_ = true;
    QString textAtDropDown_;
    bool itemsChanged_ = true;
    bool closingUp_ = false;
    bool destroying_ = false;
};

class TwwDBComboBox : public TwwDBCustomComboBox {
public:
    explicit TwwDBComboBox(QWidget* parent);

protected:
    bool FiresCloseUp() const override { return true; }
};

// A radio group's stored value for an item: its Values line when set, else its Items line, else empty.
QString RadioGroupValue(const TStrings& items, const TStrings& values, int index);
// The caption of the first button whose value equals the value exactly; empty when none.
QString RadioGroupDisplayText(const TStrings& items, const TStrings& values, const QStringList& captions,
                              const QString& value);
