// The lookup combo's painting: the edit paints while the user may type; otherwise the combo draws its text
// itself, in the selected look while a drop-down-list combo has the focus.
#include "controls/grid/Wwdblook.h"

#include "controls/edit/WwDrawing.h"
#include "platform/db/Field.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Color.h"
#include "platform/ui/Dispatch.h"

#include <QStyle>
#include <QStyleOptionFrame>

bool TwwDBCustomLookupCombo::PaintsOwnLookupText() const {
    const TField* display = list_->DisplayField();
    const bool leftAligned = !display || display->Alignment() == taLeftJustify;
    return ((!leftAligned || Frame().IsFrameEffective()) && !focused_) || !AllowsTyping();
}

TRect TwwDBCustomLookupCombo::LookupTextArea() const {
    // Inside the edit's border, ending at the button's holder.
    const int border = hasFrame() ? 2 : 0;
    const int right = GetShowButton() ? ButtonHolder()->geometry().left() : width() - border;
    return {border, border, right, height() - border};
}

void TwwDBCustomLookupCombo::paintEvent(QPaintEvent* event) {
    bool own = false;
    ui::Dispatch(this, [&] {
        if (IsDroppedDown()) PositionDropDown();
        own = PaintsOwnLookupText();
    });
    if (!own) {
        TwwDBCustomCombo::paintEvent(event);
        return;
    }
    ui::Dispatch(this, [this] {
        TCanvas canvas(this);
        QStyleOptionFrame option;
        initStyleOption(&option);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &canvas.Painter(), this);
        const TRect area = LookupTextArea();
        TColor background = Color();
        TColor textColor = isEnabled() ? Font().Color() : clGrayText;
        const bool selectedLook = Style == csDropDownList && focused_;
        if (selectedLook) {
            background = clHighlight;
            textColor = clHighlightText;
        }
        canvas.Brush().Color = background;
        canvas.Brush().Style = bsSolid;
        canvas.FillRect(area);
        canvas.Font().Assign(Font());
        canvas.Font().SetColor(textColor);
        const TAlignment alignment = list_->DisplayField() ? list_->DisplayField()->Alignment() : taLeftJustify;
        DrawEditText(canvas, area, 1, 0, Text(), alignment, controls::etSingleLine | controls::etNoBackground);
        if (selectedLook) canvas.DrawFocusRect({area.Left + 1, area.Top + 1, area.Right - 1, area.Bottom - 1});
        if (Frame().IsFrameEffective()) DrawFrame(canvas);
    });
}
