// TInplaceEdit: the editor a TCustomGrid shows over its current cell.
#pragma once

#include "platform/ui/Edits.h"

class TCustomGrid;

// Every change of the text goes to the grid's SetEditText; navigation keys go to the grid.
class TInplaceEdit : public TEdit {
public:
    explicit TInplaceEdit(TCustomGrid& grid);

    TCustomGrid& Grid() const { return grid_; }
    QString EditMask() const { return editMask_; }
    void SetEditMask(const QString& mask) { editMask_ = mask; }

    bool WantsKey(Word key, TShiftState shift) const override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;

    // Loads the text, limit and mask of the grid's current cell.
    virtual void UpdateContents();
    // Puts back the text the cell had when the editor was loaded.
    void RestoreContents();
    // Places the editor over a rectangle of the grid's client area.
    virtual void Place(const TRect& rect);
    // A character typed on the grid, which started editing: it replaces the selected text.
    void TypeCharacter(QChar key);

private:
    void SendToGrid(Word& key, TShiftState shift);
    // Whether the grid lets a character change the text.
    bool Accepts(QChar key);

    TCustomGrid& grid_;
    QString editMask_;
    // The text the cell had when the editor was loaded.
    QString original_;
    bool loading_ = false;
};
