// The library's graphic button: states, grouping, flat hot tracking, glyph strips and its drawing.
#include "controls/edit/WwComboButton.h"

#include "controls/edit/WwDrawing.h"
#include "controls/edit/WwWindows.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/ImageList.h"

#include <QApplication>
#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

TwwComboButtonGlyph::TwwComboButtonGlyph() : cache_(controls::HoldGlyphCache()) {}

TwwComboButtonGlyph::~TwwComboButtonGlyph() {
    ReleaseImages();
    controls::LetGoOfGlyphCache();
}

void TwwComboButtonGlyph::SetGlyph(const TBitmap& glyph) {
    glyph_.SetImage(glyph.Image());
    if (glyph_.Height() > 0 && glyph_.Width() % glyph_.Height() == 0) {
        const int count = glyph_.Width() / glyph_.Height();
        numGlyphs_ = count < 5 ? count : 1;
    }
    Invalidate();
}

void TwwComboButtonGlyph::SetNumGlyphs(int count) {
    numGlyphs_ = qBound(1, count, 4);
    Invalidate();
}

void TwwComboButtonGlyph::ReleaseImages() {
    if (!list_) return;
    for (int& index : indexes_) {
        list_->Delete(index);
        index = -1;
    }
    cache_.ReturnList(list_);
    list_ = nullptr;
}

void TwwComboButtonGlyph::Invalidate() {
    ReleaseImages();
    if (OnChange) OnChange();
}

QPixmap TwwComboButtonGlyph::Cut(int index) const {
    const int width = glyph_.Width() / numGlyphs_;
    return QPixmap::fromImage(glyph_.Image().copy(index * width, 0, width, glyph_.Height()));
}

QPixmap TwwComboButtonGlyph::ImageFor(TButtonState state) {
    if (IsEmpty()) return {};
    int& index = indexes_[size_t(state)];
    if (index >= 0) return list_->Image(index);
    const QPixmap image = Make(state);
    if (!list_) list_ = cache_.GetList(image.width(), image.height());
    index = list_->Add(image);
    return image;
}

QPixmap TwwComboButtonGlyph::Make(TButtonState state) const {
    int index = int(state);
    // The down state has its own image only in a strip of three or more.
    if (state == bsDown && numGlyphs_ < 3) index = 0;
    if (index >= numGlyphs_) index = 0;
    const QPixmap source = Cut(index);
    if (state != bsDisabled) return source;
    // Disabled: the shape in the highlight colour one pixel right and down, then in the shadow colour, at the
    // image's own size so that all four images share one list.
    // The shape: the opaque pixels, or those unlike the strip's transparent colour (its bottom-left pixel).
    const QBitmap shape =
        source.hasAlphaChannel()
            ? source.mask()
            : source.createMaskFromColor(source.toImage().pixelColor(0, source.height() - 1), Qt::MaskInColor);
    QPixmap result(source.size());
    result.fill(Qt::transparent);
    QPainter painter(&result);
    const QPalette palette = QApplication::palette();
    auto paintShape = [&](int offset, const QColor& colour) {
        QPixmap layer(source.size());
        layer.fill(colour);
        layer.setMask(shape);
        painter.drawPixmap(offset, offset, layer);
    };
    paintShape(1, palette.color(QPalette::Light));
    paintShape(0, palette.color(QPalette::Dark));
    painter.end();
    return result;
}

TwwComboButton::TwwComboButton(QWidget* parent) : ControlOf<QWidget>(parent) {
    resize(22, 23);
    setMouseTracking(true);
    // Never focused, not even by a click: a press leaves the focus in the combo's edit.
    setFocusPolicy(Qt::NoFocus);
    glyph_.OnChange = [this] { update(); };
}

void TwwComboButton::SetGlyph(const TBitmap& glyph) { glyph_.SetGlyph(glyph); }

void TwwComboButton::SetNumGlyphs(int count) { glyph_.SetNumGlyphs(count); }

void TwwComboButton::SetGroupIndex(int index) {
    groupIndex_ = index;
    if (down_ && index > 0)
        for (auto* sibling : parentWidget() ? parentWidget()->findChildren<TwwComboButton*>(Qt::FindDirectChildrenOnly)
                                            : QList<TwwComboButton*>())
            if (sibling != this) sibling->GroupDown(*this);
}

void TwwComboButton::SetDown(bool down) {
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = down;
    SetState(down ? bsExclusive : bsUp);
    if (down && parentWidget())
        for (auto* sibling : parentWidget()->findChildren<TwwComboButton*>(Qt::FindDirectChildrenOnly))
            if (sibling != this) sibling->GroupDown(*this);
}

void TwwComboButton::GroupDown(TwwComboButton& sender) {
    if (sender.groupIndex_ != groupIndex_ || groupIndex_ == 0) return;
    if (sender.down_ && down_) {
        down_ = false;
        SetState(bsUp);
        if (TCustomAction* action = Action()) action->SetChecked(false);
    }
    allowAllUp_ = sender.allowAllUp_;
}

void TwwComboButton::Click() {
    if (!OnClick && Action()) Action()->Execute();
    else ControlOf::Click();
}

void TwwComboButton::SetAction(TCustomAction* action) {
    actionLink_.SetAction(action);
    if (action) ActionChange(false);
}

void TwwComboButton::ActionChange(bool checkDefaults) {
    TCustomAction* action = Action();
    if (!action) return;
    if (!checkDefaults || caption_.isEmpty()) SetCaption(action->Caption());
    if (!checkDefaults || Enabled()) SetEnabled(action->Enabled());
    if (checkDefaults || groupIndex_ == 0) SetGroupIndex(action->GroupIndex());
    if (!checkDefaults || !down_) SetDown(action->Checked());
    const TActionList* list = action->ActionList();
    const TImageList* images = list ? list->Images : nullptr;
    if (glyph_.IsEmpty() && images && action->ImageIndex() >= 0 && action->ImageIndex() < images->Count()) {
        TBitmap glyph;
        glyph.SetSize(images->Width(), images->Height());
        glyph.Canvas().Brush().Color = clFuchsia;
        glyph.Canvas().FillRect({0, 0, images->Width(), images->Height()});
        images->Draw(glyph.Canvas(), 0, 0, action->ImageIndex());
        SetGlyph(glyph);
    }
    actionLink_.Remember();
}

void TwwComboButtonActionLink::Remember() {
    const TCustomAction* action = Action();
    if (!action) return;
    caption_ = action->Caption();
    checked_ = action->Checked();
    enabled_ = action->Enabled();
    groupIndex_ = action->GroupIndex();
}

void TwwComboButtonActionLink::ActionChanged() {
    const TCustomAction* action = Action();
    // A value the button has changed on its own no longer follows the action.
    if (button_.Caption() == caption_) button_.SetCaption(action->Caption());
    if (button_.Enabled() == enabled_) button_.SetEnabled(action->Enabled());
    if (button_.GroupIndex() == groupIndex_) button_.SetGroupIndex(action->GroupIndex());
    if (button_.GroupIndex() != 0 && button_.Down() == checked_) button_.SetDown(action->Checked());
    Remember();
}

void TwwComboButton::SetAllowAllUp(bool allow) {
    allowAllUp_ = allow;
    if (parentWidget())
        for (auto* sibling : parentWidget()->findChildren<TwwComboButton*>(Qt::FindDirectChildrenOnly))
            if (sibling != this && sibling->groupIndex_ == groupIndex_ && groupIndex_ != 0)
                sibling->allowAllUp_ = allow;
}

void TwwComboButton::SetLayout(TButtonLayout layout) {
    layout_ = layout;
    update();
}

void TwwComboButton::SetSpacing(int spacing) {
    spacing_ = spacing;
    update();
}

void TwwComboButton::SetMargin(int margin) {
    margin_ = margin;
    update();
}

void TwwComboButton::SetTransparent(bool transparent) {
    transparent_ = transparent;
    update();
}

void TwwComboButton::SetFlat(bool flat) {
    flat_ = flat;
    update();
}

void TwwComboButton::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TwwComboButton::SetState(TButtonState state) {
    if (state_ == state) return;
    state_ = state;
    update();
}

void TwwComboButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled()) {
        if (!down_) SetState(bsDown);
        tracking_ = true;
        repaint();
    }
}

void TwwComboButton::mouseMoveEvent(QMouseEvent* event) {
    if (tracking_) {
        const bool inside = rect().contains(event->position().toPoint());
        SetState(inside ? (down_ ? bsExclusive : bsDown) : (down_ ? bsExclusive : bsUp));
    } else if (flat_) {
        const bool hot = isEnabled() && rect().contains(event->position().toPoint());
        if (hot != hot_) {
            hot_ = hot;
            update();
        }
    }
}

void TwwComboButton::mouseReleaseEvent(QMouseEvent* event) {
    if (!tracking_ || event->button() != Qt::LeftButton) return;
    tracking_ = false;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside && groupIndex_ > 0) {
        SetDown(!down_);
        if (down_) SetState(bsExclusive);
    }
    if (!down_) SetState(bsUp);
    hot_ = flat_ && isEnabled() && underMouse();
    update();
    if (inside) Click();
}

void TwwComboButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // A second press on a latched button is its double click; on any other a press.
    if (!down_) mousePressEvent(event);
}

void TwwComboButton::enterEvent(QEnterEvent*) {
    if (flat_ && isEnabled() && !tracking_ && QWidget::mouseGrabber() == nullptr) {
        hot_ = true;
        update();
    }
}

void TwwComboButton::leaveEvent(QEvent*) {
    if (flat_ && !tracking_ && hot_) {
        hot_ = false;
        update();
    }
}

void TwwComboButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) SetState(isEnabled() ? (down_ ? bsExclusive : bsUp) : bsDisabled);
    if (event->type() == QEvent::PaletteChange) glyph_.Invalidate();
    QWidget::changeEvent(event);
}

void TwwComboButton::paintEvent(QPaintEvent*) {
    ui::Dispatch(this, [this] {
        TCanvas canvas(this);
        Paint(canvas);
    });
}

void TwwComboButton::Paint(TCanvas& canvas) {
    const TRect client{0, 0, width(), height()};
    const bool pressed = state_ == bsDown || state_ == bsExclusive;
    QPainter& painter = canvas.Painter();
    QStyle* style = QApplication::style();
    if (ThemesEnabledFor(this)) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = rect();
        if (pressed) option.state |= QStyle::State_Sunken;
        else option.state |= QStyle::State_Raised;
        if (hot_) option.state |= QStyle::State_MouseOver;
        if (EllipsisLook) {
            style->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter);
            DrawEllipsisButtonFace(canvas, client, pressed, false, true, true);
            return;
        }
        if (!flat_ || pressed || hot_) style->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter);
        if (glyph_.IsEmpty() && caption_.isEmpty())
            style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter);
        DrawGlyphAndCaption(canvas, rect(), false);
        return;
    }
    if (flat_) {
        if (!transparent_) {
            canvas.Brush().Color = Color();
            canvas.FillRect(client);
        }
        if (pressed || hot_) {
            QStyleOptionFrame frame;
            frame.rect = rect();
            frame.lineWidth = 1;
            frame.state = pressed ? QStyle::State_Sunken : QStyle::State_Raised;
            style->drawPrimitive(QStyle::PE_Frame, &frame, &painter);
        }
    } else {
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = rect();
        option.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter);
    }
    if (state_ == bsExclusive && !hot_) {
        canvas.Painter().fillRect(rect().adjusted(1, 1, -1, -1),
                                  QBrush(QApplication::palette().color(QPalette::Light), Qt::Dense4Pattern));
    }
    DrawGlyphAndCaption(canvas, rect(), pressed);
}

void TwwComboButton::DrawGlyphAndCaption(TCanvas& canvas, QRect rect, bool shifted) {
    if (shifted) rect.translate(1, 1);
    const QPixmap image = glyph_.ImageFor(isEnabled() ? state_ : bsDisabled);
    QPainter& painter = canvas.Painter();
    painter.setFont(font());
    const QSize textSize = caption_.isEmpty() ? QSize() : painter.fontMetrics().size(Qt::TextShowMnemonic, caption_);
    const QSize glyphSize = image.isNull() ? QSize() : image.size();
    TButtonLayout layout = layout_;
    if (layoutDirection() == Qt::RightToLeft) {
        if (layout == blGlyphLeft) layout = blGlyphRight;
        else if (layout == blGlyphRight) layout = blGlyphLeft;
    }
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const int total = horizontal ? rect.width() : rect.height();
    const int glyphExtent = horizontal ? glyphSize.width() : glyphSize.height();
    const int textExtent = horizontal ? textSize.width() : textSize.height();
    int spacing = (glyphExtent == 0 || textExtent == 0) ? 0 : spacing_;
    int margin = margin_;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (total - glyphExtent - textExtent) / 3;
            spacing = margin;
        } else {
            margin = (total - glyphExtent - textExtent - spacing) / 2;
        }
    } else if (spacing == -1) {
        spacing = (total - margin * 2 - glyphExtent - textExtent) / 2;
    }
    // Positions along the layout axis, from the start edge.
    const bool glyphFirst = layout == blGlyphLeft || layout == blGlyphTop;
    const int glyphPos = glyphFirst ? margin : total - margin - glyphExtent;
    const int textPos =
        glyphFirst ? margin + glyphExtent + spacing : total - margin - glyphExtent - spacing - textExtent;
    auto place = [&](QSize size, int pos) {
        return horizontal ? QPoint(rect.left() + pos, rect.top() + (rect.height() - size.height()) / 2)
                          : QPoint(rect.left() + (rect.width() - size.width()) / 2, rect.top() + pos);
    };
    if (!image.isNull()) painter.drawPixmap(place(glyphSize, glyphPos), image);
    if (!caption_.isEmpty()) {
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(QRect(place(textSize, textPos), textSize), Qt::TextShowMnemonic, caption_);
    }
}

void TwwSpinControlButton::Paint(TCanvas& canvas) {
    if (SpinDirection > 1 || !ThemesEnabledFor(this)) {
        TwwComboButton::Paint(canvas);
        return;
    }
    QStyleOption option;
    option.initFrom(this);
    const bool pressed = State() == bsDown || State() == bsExclusive;
    option.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    QStyle* style = QApplication::style();
    QStyleOptionButton panel;
    panel.initFrom(this);
    panel.state = option.state;
    style->drawPrimitive(QStyle::PE_PanelButtonBevel, &panel, &canvas.Painter());
    style->drawPrimitive(SpinDirection == 0 ? QStyle::PE_IndicatorSpinUp : QStyle::PE_IndicatorSpinDown, &option,
                         &canvas.Painter());
}

TBtnWinControl::TBtnWinControl(QWidget* parent, TControl* control) : ControlOf<QWidget>(parent), control_(control) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

void TBtnWinControl::leaveEvent(QEvent*) {
    ui::Dispatch(this, [this] {
        if (OnMouseLeave) OnMouseLeave();
    });
}

TBitmap DropDownGlyph() {
    QImage image(7, 4, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int row = 0; row < 4; ++row)
        for (int x = row; x < 7 - row; ++x) image.setPixelColor(x, row, Qt::black);
    TBitmap glyph;
    glyph.SetImage(image);
    return glyph;
}

int VerticalScrollBarWidth() { return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent); }
