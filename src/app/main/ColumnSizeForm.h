// TColumnSizeForm: the active grid's column width: sized to fit the grid, or a width in pixels.
#pragma once

#include "platform/ui/Form.h"

#include <QString>

class TButton;
class TEdit;
class TRadioButton;

// The widths a column is given in pixels: narrower shows no letter, wider than any screen is a slip of the keys.
constexpr int kMinColumnWidth = 10;
constexpr int kMaxColumnWidth = 2000;
bool IsSensibleColumnWidth(int width);
// What the user is told of a width outside them.
QString ColumnWidthRangeMessage();

class TColumnSizeForm : public TForm {
public:
    explicit TColumnSizeForm(QWidget* owner = nullptr);

    TRadioButton* AutoSize;
    TRadioButton* Specified;
    TEdit* SpecifiedEdit;
    TButton* OkButton;
    TButton* CancelButton;

    // The width shows as text, which chooses "Specify (pixels)"; an automatic size then chooses the other.
    void SetColumnSize(int width, bool autoSize);
    // The width typed; 0 when it is no number.
    int ColumnWidth() const;
    void OkButtonClick();
};
