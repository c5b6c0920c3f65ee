// TwwDBCustomEdit: the library's field-bound edit (display text unfocused, edit text focused, the field
// written on exit), and TwwDBEdit, which publishes it. TwwDataSource is the framework's data source.
#pragma once

#include "controls/edit/WwCustomMaskEdit.h"
#include "controls/edit/WwEditTypes.h"
#include "platform/db/DataLink.h"
#include "platform/db/DataSource.h"
#include "platform/rtl/Alignment.h"

class TCanvas;
class TField;
namespace ui {
class LongLineTextEdit;
}

using TwwDataSource = TDataSource;

class TwwDBCustomEdit : public TwwCustomMaskEdit {
public:
    explicit TwwDBCustomEdit(QWidget* parent);
    ~TwwDBCustomEdit() override;

    TDataSource* DataSource() const { return fieldLink_.DataSource(); }
    void SetDataSource(TDataSource* source);
    const QString& DataField() const { return fieldLink_.FieldName(); }
    void SetDataField(const QString& name);
    // The link's read-only flag; the window follows the link's editing state.
    bool ReadOnly() const { return fieldLink_.ReadOnly(); }
    void SetReadOnly(bool readOnly);
    // The bound field; null when unbound.
    TField* Field() const { return fieldLink_.Field(); }
    // The field data link, so that generic code can reach the link of any data-aware control.
    TFieldDataLink& DataLink() { return fieldLink_; }

    TAlignment UnboundAlignment = taLeftJustify;
    // Space completes dates and times from the clock.
    bool AutoFillDate = true;
    bool AutoSelect = true;
    TwwEditDataType UnboundDataType = wwDefault;
    // The century window of two-digit years written into a date-time field; 0 means 1950.
    int Epoch = 0;
    TwwEditAlignment EditAlignment() const { return editAlignment_; }
    void SetEditAlignment(TwwEditAlignment alignment);
    bool DisableThemes = false;
    // The edit has the focus (for painting and the frame).
    bool IsFocused() const { return focused_; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // Marks the text modified and tells the link (unless the dataset is browsing); skipped for read-only
    // fields and links.
    void SetModified(bool modified);
    // Writes the text into the field through the link.
    void UpdateFieldData() { fieldLink_.UpdateRecord(); }
    // Reloads the field (bound) or the text at focus entry (unbound); selects all; not modified.
    virtual void Reset();
    // Called by the framework at the end of a form's setup.
    virtual void Loaded();

    // The field's display text for the value shown unfocused (a combo box maps values).
    virtual QString GetDisplayFormat() const;
    virtual void SetDisplayFormat(const QString& format);
    // The data source has AutoEdit off and the dataset is neither editing nor inserting.
    virtual bool IsEditBlocked() const;
    virtual bool IsMemoField() const;
    virtual bool IsTextEditable() const { return true; }
    virtual TRect GetTextRect() const;
    // The value the field receives.
    virtual QString GetValueText() const { return Text(); }
    virtual void PaintText(TCanvas& canvas, const TRect& rect, const QString& text);
    virtual bool GetShowButton() const { return false; }
    virtual void SetShowButton(bool) {}
    virtual void DrawFrame(TCanvas& canvas);
    virtual void DoValidationError();
    virtual bool IsDroppedDown() const { return false; }
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The display text of the value, when this control maps values; false otherwise.
    virtual bool GetDisplayTextForValue(const QString& value, QString& displayText) const;
    // Puts the record into edit mode through the link.
    virtual void EnsureEditMode();
    virtual int GetButtonWidth() const { return 0; }
    virtual int GetTextRightEdge() const { return width() - 1; }
    void SetEditRect() override;
    // The text's left and top margins: the frame's when effective, else 0 with a border and unframed
    // otherwise.
    QPoint TextOrigin(int unframed) const;
    // True for an empty text; otherwise the picture mask must find it complete. Tells OnCheckValue.
    bool CheckPictureValue(const QString& text);
    // Selects the whole text, in the multi-line window too.
    void SelectAllText();
    // The multi-line window that edits the text while WordWrap is on; null for a one-line edit.
    ui::LongLineTextEdit* LinesEditor() const { return lines_; }
    // Whether an edit-mask text counts as no value (see the text-to-field rules).
    bool IsEditMaskTextEmpty() const;
    // The kind of value: by the bound field's class, else by UnboundDataType.
    bool IsDateEdit() const;
    bool IsTimeEdit() const;
    bool IsDateTimeEdit() const;

    bool WantsKey(Word key, TShiftState shift) const override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;

protected:
    // The link's data change: the field's text into the edit.
    virtual void DataChange();
    // The link's update data: the edit's text into the field.
    virtual void UpdateData();
    void EditingChange();
    // The control maps display texts to values (a MapList combo box): typed characters are not checked
    // against the field.
    virtual bool MapsDisplayText() const { return false; }
    // The alignment the unfocused text is shown in.
    TAlignment TextAlignment() const;
    // The text is painted by the edit itself rather than the window.
    bool PaintsOwnText() const;
    // The date auto-fill of a space; true when it handled the key.
    bool AutoFillDateOnSpace();
    // The picture mask's handling of a typed character or Backspace; true when it consumed the key.
    bool ApplyPictureMask(QChar& key);
    // Paste and cut may change the text: editing is not blocked, the text takes typing and the record (or an unbound
    // edit) is writable.
    bool MayChangeByClipboard();
    void PasteFromClipboard();
    void CutToClipboard();
    bool ReadPictureFromDataSet(QString& mask, bool& autoFill) override;
    bool WritePictureToDataSet(const QString& mask, bool autoFill) override;

    // Makes or drops the multi-line window as WordWrap says, and gives it the scroll bar setting.
    void UpdateLinesEditor();
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    bool focused_ = false;

private:
    void PlaceLinesEditor();

    TFieldDataLink fieldLink_;
    ui::LongLineTextEdit* lines_ = nullptr;
    bool syncingLines_ = false;
    TAlignment fieldAlignment_ = taLeftJustify;
    QString unboundText_;
    QString displayFormat_;
    TwwEditAlignment editAlignment_ = eaLeftAlignEditing;
    bool loading_ = false;
};

class TwwDBEdit : public TwwDBCustomEdit {
public:
    explicit TwwDBEdit(QWidget* parent) : TwwDBCustomEdit(parent) {}
    // Wrapping lines makes the edit multi-line.
    void SetWordWrap(bool wordWrap) {
        wordWrap_ = wordWrap;
        UpdateLinesEditor();
    }
    void SetShowVertScrollBar(bool show) {
        showVertScrollBar_ = show;
        UpdateLinesEditor();
    }
};
