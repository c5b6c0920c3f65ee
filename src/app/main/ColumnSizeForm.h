// TColumnSizeForm: the active grid's column width: sized to fit the grid, or a width in pixels.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TEdit;
class TRadioButton;

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
