// TwwInplaceEdit: the data-aware grid's cell editor: picture masks applied while typing, the value check told
// to the grid's OnCheckValue, word wrap, and a paste that starts the edit like typing does.
#pragma once

#include "controls/edit/WwCustomMaskEdit.h"
#include "platform/ui/InplaceEdit.h"

class TwwCustomDBGrid;
namespace ui {
class LongLineTextEdit;
}

class TwwInplaceEdit : public TInplaceEdit {
public:
    explicit TwwInplaceEdit(TwwCustomDBGrid& grid);
    ~TwwInplaceEdit() override;

    TwwCustomDBGrid& DBGrid() const { return grid_; }
    // The current field's mask, auto-fill and exit rule, loaded when the editor takes the focus.
    TwwDBPicture& Picture() { return picture_; }
    // The field's PictureMasks line asks for its mask while typing.
    bool UsePictureMask() const { return usePictureMask_; }
    // A mask is in use and not empty.
    bool HasPictureMask() const;
    // True for an empty text or without a mask in use; else the mask must find the text complete (nothing is
    // filled in). Tells the grid's OnCheckValue.
    bool CheckValue(const QString& text);
    // Loads the current field's PictureMasks line into the picture settings.
    void LoadPictureMask();

    bool WordWrap() const { return wordWrap_; }
    // Long texts wrap over the lines the cell has room for instead of scrolling sideways.
    void SetWordWrap(bool value);
    // The window that shows and edits the wrapped text; null without word wrap.
    ui::LongLineTextEdit* LinesEditor() const { return lines_; }

    void UpdateContents() override;
    void Place(const TRect& rect) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(Word& key, TShiftState shift) override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    // The wrapping window taking the focus is the editor's entry too.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The wrapping window covers the editor and shows the text; the line edit's own painting would lay all of it out
    // as one line.
    void paintEvent(QPaintEvent* event) override;

private:
    // A typed character through the picture mask; true when the mask took the key (typed or dropped).
    bool TypeThroughMask(QChar& key);
    void FireCheckValue(bool passes);
    // Focus entry: the field's picture mask, and the check of the stored value.
    void Entered();
    // Shows the wrapping window when word wrap is on and the cell has room for a second line.
    void UpdateLines();

    TwwCustomDBGrid& grid_;
    TwwDBPicture picture_{nullptr};
    bool wordWrap_ = false;
    bool usePictureMask_ = false;
    ui::LongLineTextEdit* lines_ = nullptr;
    bool syncingLines_ = false;
    // The paste key of this key stroke was refused: its character pastes nothing either.
    bool pasteRefused_ = false;
};
