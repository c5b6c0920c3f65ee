// Painting of the library's check box: background, box, text and focus, on screen or into a grid cell.
#include "controls/edit/WwCheckBox.h"

#include "controls/edit/WwWindows.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Dispatch.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

bool TwwCustomCheckBox::Transparent() const { return alwaysTransparent_ || (frame_.Transparent() && !hasFocus()); }

TRect TwwCustomCheckBox::GetTextRect(TCanvas& canvas) const {
    const TRect box = GetButtonRect();
    int textX = indents_.TextX();
    if (frame_.Enabled() && frame_.UsedBorders(hasFocus()).Contains(efLeftBorder)) textX = std::max(textX, 3);
    // With a caption per state, the longer of the two keeps the text from jumping.
    QString measured = GetDisplayText();
    if (dynamicCaption_) {
        const QString checked = GetDisplayValueChecked();
        const QString unchecked = GetDisplayValueUnchecked();
        measured = canvas.TextWidth(checked) >= canvas.TextWidth(unchecked) ? checked : unchecked;
    }
    const int height = canvas.TextHeight(measured.isEmpty() ? QStringLiteral(" ") : measured);
    const int top = CenterTextVertically ? (Height() - height) / 2 + indents_.TextY() : indents_.TextY() + 1;
    if (GetAlignment() == taRightJustify) return {box.Right + textX + 4, top, Width(), top + height};
    return {textX + 2, top, box.Left, top + height};
}

void TwwCustomCheckBox::Paint(TCanvas& canvas) {
    QPainter& painter = canvas.Painter();
    const bool paintCopy = InPaintCopyState(this);
    const bool focused = hasFocus() && !paintCopy;
    // In a grid cell the grid has painted the cell's background.
    if (!paintCopy && FillsBackground() && !Transparent()) {
        const TColor background =
            !focused && frame_.IsFrameEffective() && frame_.NonFocusColor != clNone ? frame_.NonFocusColor : Color();
        painter.fillRect(rect(), ui::ToQColor(background));
    }

    QStyleOptionButton option;
    option.initFrom(this);
    const TRect box = GetButtonRect();
    option.rect = QRect(box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top);
    const TCheckBoxState shown = paintCopy ? GetDataState() : State();
    option.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange | QStyle::State_HasFocus);
    option.state |= shown == cbChecked  ? QStyle::State_On
                    : shown == cbGrayed ? QStyle::State_NoChange
                                        : QStyle::State_Off;
    if (!paintCopy && (mouseDown_ || spacePressed_)) option.state |= QStyle::State_Sunken;
    if (!ThemesEnabledFor(this)) option.state &= ~QStyle::State_MouseOver;
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);

    const QString text = GetDisplayText();
    if (ShowText && !text.isEmpty()) {
        const TRect textRect = GetTextRect(canvas);
        const QRect area(textRect.Left, textRect.Top, textRect.Right - textRect.Left, textRect.Bottom - textRect.Top);
        painter.setFont(font());
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        QRect drawn;
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, text, &drawn);
        if (focused && ShowFocusRect) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = drawn.adjusted(-1, 0, 1, 0);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
    if (!paintCopy && frame_.IsFrameEffective()) DrawEditFrameEdge(*this, frame_, canvas, focused);
}

void TwwCustomCheckBox::paintEvent(QPaintEvent*) {
    ui::Dispatch(this, [&] {
        QPainter painter(this);
        TCanvas canvas(painter);
        canvas.Font().Assign(Font());
        Paint(canvas);
    });
}

void TwwCustomCheckBox::PaintCopyInto(QPainter& painter, const TRect& cell) {
    const QSize size(cell.Right - cell.Left, cell.Bottom - cell.Top);
    if (this->size() != size) resize(size);
    const controls::PaintCopyScope copy(*this);
    // Clicks wait while the box paints as a copy.
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    render(&painter, QPoint(cell.Left, cell.Top), QRegion(), QWidget::DrawChildren);
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
}
