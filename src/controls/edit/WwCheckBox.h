// TwwCheckBox: the library's self-painting check box, alone or bound to a field, whose states stand for
// configurable field values, with a caption per state, a drawn frame and a painted copy for grid cells.
#pragma once

#include "controls/edit/WwFrame.h"
#include "platform/db/DataLink.h"
#include "platform/db/DataSource.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Control.h"

#include <QWidget>

class TCanvas;
class TField;
class TwwController;

// The offsets of the box and of the text, in pixels; writing one repaints the control.
class TwwWinButtonIndents {
public:
    explicit TwwWinButtonIndents(TControl* control) : control_(control) {}

    int ButtonX() const { return buttonX_; }
    int ButtonY() const { return buttonY_; }
    int TextX() const { return textX_; }
    int TextY() const { return textY_; }
    void SetButtonX(int value) { Set(buttonX_, value); }
    void Assign(const TwwWinButtonIndents& source);

private:
    void Set(int& member, int value);

    TControl* control_;
    int buttonX_ = 0;
    int buttonY_ = 0;
    int textX_ = 0;
    int textY_ = 0;
};

// Drawing, keyboard and mouse of the library's check box.
class TwwCustomCheckBox : public ui::ControlOf<QWidget> {
    Q_OBJECT
    Q_PROPERTY(bool DisableThemes READ DisableThemes WRITE SetDisableThemes)
    Q_PROPERTY(bool AlwaysTransparent READ AlwaysTransparent WRITE SetAlwaysTransparent)
public:
    explicit TwwCustomCheckBox(QWidget* parent);
    ~TwwCustomCheckBox() override;

    TwwEditFrame& Frame() { return frame_; }
    TwwWinButtonIndents& Indents() { return indents_; }
    TwwController* Controller() const { return controller_; }
    // Copies the controller's frame into this box's.
    void SetController(TwwController* controller);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TCheckBoxState State() const { return state_; }
    // A change of state runs OnClick (and, with DynamicCaption, sets the caption).
    void SetState(TCheckBoxState state);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool allow) { allowGrayed_ = allow; }
    // taRightJustify (the default) puts the box left of the text.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    virtual bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    bool AlwaysTransparent() const { return alwaysTransparent_; }
    void SetAlwaysTransparent(bool value);
    bool DisableThemes() const { return disableThemes_; }
    void SetDisableThemes(bool value);
    bool ShowText = true;
    bool ShowFocusRect = true;
    bool CenterTextVertically = true;
    bool DynamicCaption() const { return dynamicCaption_; }
    void SetDynamicCaption(bool value);
    // The state of a null field and of a value in neither list.
    TCheckBoxState NullAndBlankState = cbUnchecked;

    // ";"-separated alternatives; the first is the one written.
    QString ValueChecked() const { return valueChecked_; }
    void SetValueChecked(const QString& value);
    QString ValueUnchecked() const { return valueUnchecked_; }
    void SetValueUnchecked(const QString& value);
    QString DisplayValueChecked;
    QString DisplayValueUnchecked;
    // The display values, or the values when they are empty.
    QString GetDisplayValueChecked() const;
    QString GetDisplayValueUnchecked() const;

    // The user changed the state since the field was last read.
    bool Modified() const { return modified_; }

    virtual QString GetDisplayText() const;
    virtual int GetButtonOffset() const { return 0; }
    // The mouse is over the control, and with testBox within the box grown by 3 pixels.
    virtual bool IsMouseOver(bool testBox) const;
    virtual bool FillsBackground() const { return true; }
    // The state to paint.
    virtual TCheckBoxState GetDataState() const { return state_; }
    virtual void Paint(TCanvas& canvas);
    virtual void DataChange() {}
    virtual TField* GetField() const { return nullptr; }
    virtual TAlignment GetAlignment() const { return alignment_; }
    virtual TRect GetButtonRect() const;
    // Where the text goes, measured on the text to draw.
    TRect GetTextRect(TCanvas& canvas) const;
    // Advances the state: unchecked, checked, grayed (with AllowGrayed), unchecked.
    virtual void Toggle();

    // Paints the box as a copy into a cell of the grid that holds it (the grid's embedded-control painter):
    // sized to the cell, its top-left at the cell's, the state and caption those of the record shown.
    void PaintCopyInto(QPainter& painter, const TRect& cell);

    bool WantsKey(Word key, TShiftState shift) const override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void DoEnter() override;
    bool ClicksOnMouseUp() const override { return false; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    virtual void MouseEnter();
    virtual void MouseLeave();
    void SetModified(bool modified) { modified_ = modified; }
    // The state as the field says, without running OnClick.
    void LoadState(TCheckBoxState state);

private:
    void StateChanged();
    bool Transparent() const;
    // Within the box grown by 3 pixels on each side.
    bool InGrownBox(QPoint point) const;

    TwwEditFrame frame_{this};
    TwwWinButtonIndents indents_{this};
    TwwController* controller_ = nullptr;
    QString caption_;
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
    bool readOnly_ = false;
    bool alwaysTransparent_ = false;
    bool disableThemes_ = false;
    bool dynamicCaption_ = false;
    QString valueChecked_ = QStringLiteral("True");
    QString valueUnchecked_ = QStringLiteral("False");
    bool modified_ = false;
    bool spacePressed_ = false;
    bool mouseDown_ = false;
    bool mouseOver_ = false;
};

// The check box bound to a field through a data link.
class TwwDBCustomCheckBox : public TwwCustomCheckBox {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
public:
    explicit TwwDBCustomCheckBox(QWidget* parent);
    ~TwwDBCustomCheckBox() override;

    TDataSource* DataSource() const { return dataLink_.DataSource(); }
    void SetDataSource(TDataSource* source);
    QString DataField() const { return dataLink_.FieldName(); }
    void SetDataField(const QString& name);
    bool ReadOnly() const override { return dataLink_.ReadOnly(); }
    void SetReadOnly(bool readOnly) override { dataLink_.SetReadOnly(readOnly); }
    TFieldDataLink& DataLink() { return dataLink_; }

    TCheckBoxState GetDataState() const override;
    void DataChange() override;
    TField* GetField() const override { return dataLink_.Field(); }
    void Toggle() override;

    void KeyPress(QChar& key) override;
    void DoEnter() override;
    void DoExit() override;

private:
    bool Bound() const { return DataSource() && !DataField().isEmpty(); }
    // The link asks for the box's value: the state written into the field.
    void UpdateData();

    TFieldDataLink dataLink_;
};

// The check box forms place.
class TwwCheckBox : public TwwDBCustomCheckBox {
    Q_OBJECT
public:
    using TwwDBCustomCheckBox::TwwDBCustomCheckBox;
};

// Checks or clears the box as a click would; nothing when it already is so. Before checking a box in a
// data-aware grid ("TwwDBGrid"), the grid places it over its current cell (its PlaceCustomEdit).
void SetCheckBoxChecked(TwwCustomCheckBox& checkBox, bool checked);
inline bool CheckBoxChecked(const TwwCustomCheckBox& checkBox) { return checkBox.Checked(); }
