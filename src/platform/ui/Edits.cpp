// Text boxes: Qt's line and plain-text edits with the framework's key wishes.
#include "platform/ui/Edits.h"

#include "platform/ui/Dispatch.h"

namespace {

bool IsArrow(Word key) { return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN; }

}  // namespace

TEdit::TEdit(QWidget* parent) : ControlOf<QLineEdit>(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] { ui::Dispatch(this, [this] { ui::Fire(OnChange, this); }); });
}

void TEdit::SetPasswordChar(QChar ch) {
    passwordChar_ = ch;
    setEchoMode(ch.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

void TEdit::SetMaxLength(int length) {
    maxLength_ = length;
    setMaxLength(length > 0 ? length : 32767);
}

int TEdit::SelStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

bool TEdit::WantsKey(Word key, TShiftState) const { return IsArrow(key); }

TMemo::TMemo(QWidget* parent) : ControlOf<ui::LongLineTextEdit>(parent) {
    SetScrollBars(ssNone);
    connect(this, &QPlainTextEdit::textChanged, this,
            [this] { ui::Dispatch(this, [this] { ui::Fire(OnChange, this); }); });
}

void TMemo::SetScrollBars(TScrollStyle style) {
    scrollBars_ = style;
    const bool h = style == ssHorizontal || style == ssBoth;
    const bool v = style == ssVertical || style == ssBoth;
    setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

bool TMemo::WantsKey(Word key, TShiftState) const {
    return IsArrow(key) || (key == VK_RETURN && wantReturns_) || (key == VK_TAB && wantTabs_);
}
