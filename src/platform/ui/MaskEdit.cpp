// The masked text box: keys and clipboard commands go through the edit-mask engine instead of Qt's editing.
#include "platform/ui/MaskEdit.h"

#include "platform/ui/Dispatch.h"

#include <QApplication>
#include <QClipboard>

namespace {

const QString MaskEditError = QStringLiteral("Invalid input value.  Use escape key to abandon changes");

bool IsPlainShift(TShiftState shift) { return shift == TShiftState{ssShift}; }

}  // namespace

TCustomMaskEdit::TCustomMaskEdit(QWidget* parent) : TEdit(parent) {}

void TCustomMaskEdit::SetEditMask(const QString& mask) {
    const QString value = Text();
    maskText_ = mask;
    mask_ = rtl::EditMask(mask);
    setMaxLength(IsMasked() ? mask_.Length() : (MaxLength() > 0 ? MaxLength() : 32767));
    SetText(value);
}

void TCustomMaskEdit::SetEditText(const QString& editText) { ShowEditText(mask_.FormatText(editText, true)); }

QString TCustomMaskEdit::Text() const { return mask_.TextOf(text()); }

void TCustomMaskEdit::SetText(const QString& text) { ShowEditText(mask_.FormatText(text, mask_.SavesLiterals())); }

// A new text starts typing at the first position that takes a character.
void TCustomMaskEdit::ShowEditText(const QString& editText) {
    setText(editText);
    if (IsMasked()) setCursorPosition(mask_.NextEditable(0));
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked()) return;
    const int missing = mask_.FirstMissing(EditText());
    if (missing < 0) return;
    setCursorPosition(missing);
    QApplication::beep();
    throw EDBEditError(MaskEditError);
}

void TCustomMaskEdit::KeyDown(Word& key, TShiftState shift) {
    TEdit::KeyDown(key, shift);
    if (!IsMasked() || key == 0) return;
    const auto move = [&](rtl::MaskedCaretMove direction) {
        setCursorPosition(rtl::MoveMaskedCaret(mask_, SelStart(), direction));
        key = 0;
    };
    // Shifted movement extends the selection as usual.
    if (shift.IsEmpty()) {
        switch (key) {
            case VK_LEFT: return move(rtl::MaskedCaretMove::Left);
            case VK_RIGHT: return move(rtl::MaskedCaretMove::Right);
            case VK_HOME: return move(rtl::MaskedCaretMove::Home);
            case VK_END: return move(rtl::MaskedCaretMove::End);
            default: break;
        }
    }
    if (key == VK_DELETE && (shift.IsEmpty() || IsPlainShift(shift))) {
        if (shift.IsEmpty() && !isReadOnly()) {
            rtl::MaskedEditState state = State();
            rtl::DeleteMaskedForward(mask_, state);
            Apply(state);
        } else if (!shift.IsEmpty()) {
            Cut();
        }
        key = 0;
    } else if (key == VK_INSERT && IsPlainShift(shift)) {
        Paste();
        key = 0;
    }
}

void TCustomMaskEdit::KeyPress(QChar& key) {
    TEdit::KeyPress(key);
    if (!IsMasked() || key.isNull()) return;
    switch (key.unicode()) {
        case u'\b':
            if (!isReadOnly()) {
                rtl::MaskedEditState state = State();
                rtl::DeleteMaskedBackward(mask_, state);
                Apply(state);
            }
            key = QChar();
            return;
        case 0x16:  // Ctrl+V
            Paste();
            key = QChar();
            return;
        case 0x18:  // Ctrl+X
            Cut();
            key = QChar();
            return;
        default: break;
    }
    if (key.unicode() < u' ' || !key.isPrint()) return;
    rtl::MaskedEditState state = State();
    if (isReadOnly() || !rtl::TypeMaskedCharacter(mask_, state, key)) QApplication::beep();
    else Apply(state);
    key = QChar();
}

void TCustomMaskEdit::DoExit() {
    TEdit::DoExit();
    if (!IsMasked() || !Modified()) return;
    try {
        ValidateEdit();
    } catch (const EDBEditError&) {
        // Taken back once the focus change under way is finished.
        QMetaObject::invokeMethod(
            this, [this] { ui::Dispatch(this, [this] { SetFocus(); }); }, Qt::QueuedConnection);
        throw;
    }
}

rtl::MaskedEditState TCustomMaskEdit::State() const { return {EditText(), SelStart(), SelLength()}; }

void TCustomMaskEdit::Apply(const rtl::MaskedEditState& state) {
    if (state.editText != text()) {
        setText(state.editText);
        setModified(true);
    }
    setCursorPosition(state.selStart);
}

void TCustomMaskEdit::Paste() {
    if (isReadOnly()) return;
    rtl::MaskedEditState state = State();
    // Characters no position takes are left out.
    for (const QChar c : QApplication::clipboard()->text()) rtl::TypeMaskedCharacter(mask_, state, c);
    Apply(state);
}

void TCustomMaskEdit::Cut() {
    if (isReadOnly() || SelLength() == 0) return;
    copy();
    rtl::MaskedEditState state = State();
    rtl::DeleteMaskedForward(mask_, state);
    Apply(state);
}
