// The combo base: the button at the right edge, its face, and the keys and clicks that drop down.
#include "controls/edit/WwDBCustomCombo.h"

#include "controls/edit/WwDrawing.h"
#include "controls/edit/WwValueChecks.h"
#include "controls/edit/WwWindows.h"
#include "platform/db/DataSet.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Dispatch.h"

#include <QMouseEvent>

namespace {

int AutomaticButtonWidth() { return qMax(VerticalScrollBarWidth(), 15); }

}  // namespace

TwwComboDlgButton::TwwComboDlgButton(QWidget* parent, TwwDBCustomCombo* combo)
    : TwwComboButton(parent), combo_(combo) {}

void TwwComboDlgButton::Paint(TCanvas& canvas) {
    if (combo_->ButtonHolder()->Painting || InPaintCopyState(combo_)) return;
    combo_->PaintButton(canvas);
}

void TwwComboDlgButton::mousePressEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        if (event->button() != Qt::LeftButton) return;
        if (!combo_->hasFocus() && combo_->CanFocus()) {
            combo_->SetFocus();
            if (combo_->IsDroppedDown() && !combo_->hasFocus()) return;
        }
        TwwComboButton::mousePressEvent(event);
        repaint();
        combo_->ToggleDropDown();
    });
}

void TwwComboDlgButton::mouseReleaseEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        TwwComboButton::mouseReleaseEvent(event);
        if (Flat() || Transparent()) combo_->ButtonHolder()->update();
    });
}

TwwDBCustomCombo::TwwDBCustomCombo(QWidget* parent)
    : TwwDBCustomEdit(parent),
      holder_(new TBtnWinControl(this, this)),
      button_(new TwwComboDlgButton(holder_, this)),
      buttonEffects_(nullptr, button_) {
    holder_->resize(qMax(VerticalScrollBarWidth() + 4, 17), 17);
    button_->resize(AutomaticButtonWidth(), 17);
    button_->SetTransparent(false);
    buttonEffects_.OnRefresh = [this] {
        button_->SetFlat(buttonEffects_.Flat() || buttonEffects_.Transparent());
        button_->SetTransparent(buttonEffects_.Transparent());
        RefreshGlyph();
    };
    holder_->OnMouseLeave = [this] {
        if (button_->Flat() && !hasFocus()) holder_->update();
    };
    LayoutButton();
}

void TwwDBCustomCombo::SetButtonStyle(TwwComboButtonStyle style) {
    buttonStyle_ = style;
    button_->EllipsisLook = style == cbsEllipsis;
    RefreshGlyph();
    button_->update();
}

void TwwDBCustomCombo::SetButtonWidth(int width) {
    buttonWidth_ = width;
    button_->resize(width == 0 ? AutomaticButtonWidth() : width, button_->height());
    LayoutButton();
}

void TwwDBCustomCombo::SetButtonGlyph(const TBitmap& glyph) {
    button_->SetGlyph(glyph);
    button_->update();
}

void TwwDBCustomCombo::RefreshGlyph() {
    if (buttonStyle_ == cbsDownArrow && (buttonEffects_.Flat() || buttonEffects_.Transparent()))
        button_->SetGlyph(DropDownGlyph());
}

void TwwDBCustomCombo::Loaded() {
    if (buttonWidth_ == 0) button_->resize(AutomaticButtonWidth(), button_->height());
    LayoutButton();
    TwwDBCustomEdit::Loaded();
}

void TwwDBCustomCombo::LayoutButton() {
    const bool framed = Frame().IsFrameEffective();
    const int buttonWidth = button_->width();
    // The holder sits inside the window's border, which Qt counts in the widget's own coordinates.
    const int border = hasFrame() ? 2 : 0;
    int left = width() - border - buttonWidth;
    int holderHeight = height() - 2 * border;
    if (framed) {
        left -= hasFrame() ? 0 : 2;
        holderHeight -= hasFrame() ? 2 : 4;
    }
    holder_->setGeometry(left, border + (framed ? 2 : 0), buttonWidth, qMax(0, holderHeight));
    if (hasFrame()) button_->setGeometry(0, 0, buttonWidth, holder_->height());
    else button_->setGeometry(0, -1, buttonWidth, holder_->height() + 1);
    SetEditRect();
}

int TwwDBCustomCombo::GetButtonWidth() const { return holder_->isHidden() ? 0 : holder_->width(); }

int TwwDBCustomCombo::GetTextRightEdge() const {
    return holder_->isHidden() ? width() - 1 : holder_->geometry().left() - 1;
}

bool TwwDBCustomCombo::IsTextEditable() const { return listOnly_ != 1 || IsDroppedDown(); }

bool TwwDBCustomCombo::GetShowButton() const { return !holder_->isHidden(); }

void TwwDBCustomCombo::SetShowButton(bool show) {
    if (show == GetShowButton()) return;
    holder_->setVisible(show);
    SetEditRect();
    update();
}

void TwwDBCustomCombo::SetEditRect() {
    const QPoint origin = TextOrigin(2);
    // The text ends 2 pixels left of the holder; Qt's own frame takes those 2 pixels already.
    const int rightMargin = GetShowButton() ? width() - holder_->geometry().left() : 0;
    setTextMargins(origin.x(), origin.y(), qMax(0, rightMargin), 0);
}

void TwwDBCustomCombo::PaintButton(TCanvas& canvas) {
    const TRect rect{0, 0, button_->width(), button_->height()};
    const bool down = button_->State() == bsDown || button_->State() == bsExclusive;
    const bool transparentArrow = buttonStyle_ == cbsDownArrow && buttonEffects_.Transparent();
    const bool ownFace = buttonStyle_ != cbsCustom && !ThemesEnabledFor(this) && !transparentArrow &&
                         (button_->Glyph().Image().isNull() || button_->Hot() || focused_);
    if (!ownFace) {
        button_->PaintAsButton(canvas);
        return;
    }
    if (buttonStyle_ == cbsDownArrow) {
        DrawComboArrowButton(canvas, rect, down, false, isEnabled());
    } else {
        const bool flatLook = button_->Flat() && !button_->Hot() && !focused_;
        DrawEllipsisButtonFace(canvas, rect, down, false, buttonEffects_.Transparent(), flatLook);
    }
}

void TwwDBCustomCombo::ToggleDropDown() {
    if (IsDroppedDown()) CloseUp(true);
    else DropDown();
}

void TwwDBCustomCombo::CloseUp(bool accept) {
    if (accept) SetModified(true);
}

void TwwDBCustomCombo::DropDown() {
    if (!OnCustomDlg) return;
    dialogRunning_ = true;
    update();
    const auto finish = [this] {
        update();
        dialogRunning_ = false;
    };
    try {
        if (EditBeforeDialog && DataSource() && DataSource()->DataSet()) EnsureEditMode();
        OnCustomDlg(this);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

bool TwwDBCustomCombo::WantsKey(Word key, TShiftState shift) const {
    if ((key == VK_RETURN || key == VK_ESCAPE) && IsDroppedDown()) return true;
    return TwwDBCustomEdit::WantsKey(key, shift);
}

void TwwDBCustomCombo::KeyDown(Word& key, TShiftState shift) {
    swallowChar_ = false;
    const bool alt = shift.Contains(ssAlt);
    if ((key == VK_F4 && !alt) || ((key == VK_DOWN || key == VK_UP) && alt)) {
        ToggleDropDown();
        key = 0;
        return;
    }
    if ((key == VK_RETURN || key == VK_ESCAPE) && !alt && IsDroppedDown()) {
        CloseUp(key == VK_RETURN);
        key = 0;
        swallowChar_ = true;
        return;
    }
    TwwDBCustomEdit::KeyDown(key, shift);
    if (key != 0 && !IsTextEditable() && IsEditingKey(key)) key = 0;
}

void TwwDBCustomCombo::KeyPress(QChar& key) {
    if (swallowChar_) {
        swallowChar_ = false;
        key = QChar();
        return;
    }
    TwwDBCustomEdit::KeyPress(key);
}

void TwwDBCustomCombo::DoEnter() {
    TwwDBCustomEdit::DoEnter();
    if (buttonEffects_.Flat()) LayoutButton();
}

void TwwDBCustomCombo::resizeEvent(QResizeEvent* event) {
    TwwDBCustomEdit::resizeEvent(event);
    ui::Dispatch(this, [this] { LayoutButton(); });
}

bool TwwDBCustomCombo::ToggleOnTextClick(const QMouseEvent& event) {
    if (AllowsTyping() || event.button() != Qt::LeftButton) return false;
    if (!IsInGrid(this) && !hasFocus()) SetFocus();
    ToggleDropDown();
    return true;
}

void TwwDBCustomCombo::mousePressEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        if (!ToggleOnTextClick(*event)) TwwDBCustomEdit::mousePressEvent(event);
    });
}

void TwwDBCustomCombo::mouseDoubleClickEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        if (!ToggleOnTextClick(*event)) TwwDBCustomEdit::mouseDoubleClickEvent(event);
    });
}

void TwwDBCustomCombo::changeEvent(QEvent* event) {
    ui::Dispatch(this, [&] {
        TwwDBCustomEdit::changeEvent(event);
        if (event->type() == QEvent::EnabledChange) button_->setEnabled(isEnabled());
    });
}
