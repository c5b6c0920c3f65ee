// Small drawing routines of the edits, combos and grid.
#include "controls/edit/WwDrawing.h"

#include "platform/ui/Canvas.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOption>

using namespace controls;

EditTextLayout controls::LayoutEditText(const TRect& rect, int leftOffset, int topOffset, TAlignment alignment,
                                        int options, bool oneLineHigh) {
    const int width = rect.Width();
    const int bottom = rect.Height() - 1;
    EditTextLayout layout;
    switch (alignment) {
        case taLeftJustify: layout.textRect = {leftOffset, topOffset, width, bottom}; break;
        case taRightJustify: layout.textRect = {leftOffset, topOffset, width - 2, bottom}; break;
        case taCenter: layout.textRect = {leftOffset < 4 ? 0 : 2, topOffset, width, bottom}; break;
    }
    layout.textRect = {rect.Left + layout.textRect.Left, rect.Top + layout.textRect.Top,
                       rect.Left + layout.textRect.Right, rect.Top + layout.textRect.Bottom};
    layout.format = tfNoPrefix | tfExpandTabs |
                    (alignment == taRightJustify ? tfRight
                     : alignment == taCenter     ? tfCenter
                                                 : 0);
    if (options & etShowPrefix) layout.format &= ~tfNoPrefix;
    if (options & etWordBreak) layout.format |= tfWordBreak;
    if (options & etSingleLine) layout.format |= tfSingleLine | tfVCenter;
    if (oneLineHigh || (options & etEndEllipsis)) layout.format &= ~tfWordBreak;
    if (options & etEndEllipsis) layout.format |= tfEndEllipsis;
    return layout;
}

namespace {

int QtFlagsOf(int format) {
    int flags = (format & tfRight) ? Qt::AlignRight : (format & tfCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
    flags |= (format & tfVCenter) ? Qt::AlignVCenter : Qt::AlignTop;
    if (format & tfWordBreak) flags |= Qt::TextWordWrap;
    if (format & tfSingleLine) flags |= Qt::TextSingleLine;
    if (format & tfExpandTabs) flags |= Qt::TextExpandTabs;
    flags |= (format & tfNoPrefix) ? 0 : Qt::TextShowMnemonic;
    return flags;
}

}  // namespace

bool IsOneLineHigh(TCanvas& canvas, const TRect& rect) {
    const int lineHeight = QFontMetrics(canvas.Font().ToQFont()).height();
    // Two border heights of one pixel each.
    return lineHeight + 2 + 3 >= rect.Height();
}

void DrawEditText(TCanvas& canvas, const TRect& rect, int leftOffset, int topOffset, const QString& text,
                  TAlignment alignment, int options) {
    const TRect probe = LayoutEditText(rect, leftOffset, topOffset, alignment, options, false).textRect;
    const EditTextLayout layout =
        LayoutEditText(rect, leftOffset, topOffset, alignment, options, IsOneLineHigh(canvas, probe));
    if (!(options & etNoBackground)) {
        canvas.Brush().Style = bsSolid;
        canvas.FillRect(rect);
    }
    QPainter& painter = canvas.Painter();
    painter.save();
    painter.setFont(canvas.Font().ToQFont());
    painter.setPen(ui::ToQColor(canvas.Font().Color()));
    const QRect box = ui::ToQRect(layout.textRect);
    QString shown = text;
    if (layout.format & tfEndEllipsis) shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, box.width());
    painter.drawText(box, QtFlagsOf(layout.format), shown);
    painter.restore();
}

void DrawCellFocusFrame(TCanvas& canvas, const TRect& rect) {
    const TBrush brush = canvas.Brush();
    const TColor penColor = canvas.Pen().Color;
    const TColor textColor = canvas.Font().Color();
    canvas.Brush().Style = bsClear;
    canvas.Pen().Color = clHighlight;
    canvas.Rectangle(rect);
    canvas.DrawFocusRect(rect);
    canvas.Brush() = brush;
    canvas.Pen().Color = penColor;
    canvas.Font().SetColor(textColor);
}

void DrawEllipsisButtonFace(TCanvas& canvas, const TRect& rect, bool down, bool paintCopy, bool transparent,
                            bool flatLook) {
    const bool shownDown = down && !paintCopy;
    TRect inner = rect;
    if (!flatLook) {
        canvas.Brush().Style = bsSolid;
        canvas.Brush().Color = shownDown ? clBtnShadow : clBtnHighlight;
        canvas.FrameRect(rect);
        if (!shownDown) {
            canvas.Pen().Color = clBtnShadow;
            canvas.MoveTo(rect.Right - 1, rect.Top);
            canvas.LineTo(rect.Right - 1, rect.Bottom);
            canvas.MoveTo(rect.Left, rect.Bottom - 1);
            canvas.LineTo(rect.Right, rect.Bottom - 1);
        }
        inner = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
    if (!transparent) {
        canvas.Brush().Style = bsSolid;
        canvas.Brush().Color = clBtnFace;
        canvas.FillRect(inner);
    }
    const int size = qMax(1, rect.Width() / 8);
    const int shift = shownDown ? 1 : 0;
    const int left = rect.Left + (rect.Width() - 5 * size) / 2 + shift;
    const int top = rect.Top + (rect.Height() - size) / 2 + shift;
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = clBtnText;
    for (int dot = 0; dot < 3; ++dot) canvas.FillRect(Bounds(left + dot * 2 * size, top, size, size));
}

void DrawComboArrowButton(TCanvas& canvas, const TRect& rect, bool down, bool paintCopy, bool enabled) {
    QStyleOptionButton option;
    option.rect = ui::ToQRect(rect);
    option.state = enabled ? QStyle::State_Enabled : QStyle::State_None;
    if (down && !paintCopy) option.state |= QStyle::State_Sunken;
    else option.state |= QStyle::State_Raised;
    QStyle* style = QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &canvas.Painter());
    style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &canvas.Painter());
}
