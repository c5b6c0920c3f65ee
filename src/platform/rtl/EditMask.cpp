// Edit masks: parsing the three fields, laying values out, reading them back and the typing operations.
#include "platform/rtl/EditMask.h"

#include "platform/rtl/FormatSettings.h"

#include <QStringList>
#include <algorithm>

namespace rtl {
namespace {

// The mask's fields, split at the separators that no "\" escapes.
QStringList SplitFields(const QString& maskText) {
    QStringList fields{QString()};
    for (qsizetype i = 0; i < maskText.size(); ++i) {
        const QChar c = maskText.at(i);
        if (c == u';') {
            fields.append(QString());
            continue;
        }
        fields.back() += c;
        if (c == u'\\' && i + 1 < maskText.size()) fields.back() += maskText.at(++i);
    }
    return fields;
}

}  // namespace

EditMask::EditMask(const QString& maskText) {
    const QStringList fields = SplitFields(maskText);
    if (fields.size() > 1 && !fields.at(1).isEmpty()) savesLiterals_ = fields.at(1).at(0) != u'0';
    if (fields.size() > 2 && !fields.at(2).isEmpty()) blank_ = fields.at(2).at(0);

    const QString& mask = fields.at(0);
    Case conversion = Case::Unchanged;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        Position position;
        position.conversion = conversion;
        switch (c.unicode()) {
            // Where unfilled optional positions stand is left to the value; the mark takes no position.
            case u'!': continue;
            case u'>': conversion = Case::Upper; continue;
            case u'<':
                if (i + 1 < mask.size() && mask.at(i + 1) == u'>') {
                    conversion = Case::Unchanged;
                    ++i;
                } else {
                    conversion = Case::Lower;
                }
                continue;
            case u'\\':
                if (i + 1 >= mask.size()) continue;
                position.literal = mask.at(++i);
                break;
            case u'L': position.kind = Kind::Letter, position.required = true; break;
            case u'l': position.kind = Kind::Letter; break;
            case u'A': position.kind = Kind::LetterOrDigit, position.required = true; break;
            case u'a': position.kind = Kind::LetterOrDigit; break;
            case u'C': position.kind = Kind::AnyCharacter, position.required = true; break;
            case u'c': position.kind = Kind::AnyCharacter; break;
            case u'0': position.kind = Kind::Digit, position.required = true; break;
            case u'9': position.kind = Kind::Digit; break;
            case u'#': position.kind = Kind::DigitOrSign; break;
            case u'_': position.literal = u' '; break;
            case u':': position.literal = FormatSettings.TimeSeparator; break;
            case u'/': position.literal = FormatSettings.DateSeparator; break;
            default: position.literal = c; break;
        }
        positions_.push_back(position);
    }
}

bool EditMask::IsLiteral(int pos) const { return pos >= 0 && pos < Length() && positions_[pos].kind == Kind::Literal; }

QString EditMask::Literals() const {
    QString literals;
    for (const Position& position : positions_)
        if (position.kind == Kind::Literal) literals += position.literal;
    return literals;
}

QString EditMask::FormatText(const QString& value, bool withLiterals) const {
    if (!IsMasked()) return value;
    QString editText;
    qsizetype next = 0;
    for (int pos = 0; pos < Length(); ++pos) {
        const bool literal = IsLiteral(pos);
        QChar c;
        if (withLiterals || !literal) c = next < value.size() ? value.at(next++) : QChar();
        if (literal) {
            editText += positions_[pos].literal;
            continue;
        }
        const QChar accepted = c.isNull() || c == u' ' ? QChar() : Accept(pos, c);
        editText += accepted.isNull() ? blank_ : accepted;
    }
    return editText;
}

QString EditMask::TextOf(const QString& editText) const {
    if (!IsMasked()) return editText;
    QString text;
    for (int pos = 0; pos < Length(); ++pos) {
        if (IsLiteral(pos)) {
            if (savesLiterals_) text += positions_[pos].literal;
            continue;
        }
        const QChar c = pos < editText.size() ? editText.at(pos) : blank_;
        text += c == blank_ ? QChar(u' ') : c;
    }
    return text;
}

QChar EditMask::Accept(int pos, QChar ch) const {
    if (pos < 0 || pos >= Length()) return {};
    const Position& position = positions_[pos];
    const bool digit = ch >= u'0' && ch <= u'9';
    bool fits = false;
    switch (position.kind) {
        case Kind::Literal: fits = false; break;
        case Kind::Letter: fits = ch.isLetter(); break;
        case Kind::LetterOrDigit: fits = ch.isLetter() || digit; break;
        case Kind::AnyCharacter: fits = ch.isPrint(); break;
        case Kind::Digit: fits = digit; break;
        case Kind::DigitOrSign: fits = digit || ch == u'+' || ch == u'-'; break;
    }
    if (!fits) return {};
    if (position.conversion == Case::Upper) return ch.toUpper();
    if (position.conversion == Case::Lower) return ch.toLower();
    return ch;
}

int EditMask::FirstMissing(const QString& editText) const {
    for (int pos = 0; pos < Length(); ++pos) {
        if (!positions_[pos].required) continue;
        const QChar c = pos < editText.size() ? editText.at(pos) : blank_;
        if (c == blank_ || c == u' ') return pos;
    }
    return -1;
}

bool EditMask::IsEmptyText(const QString& text) const {
    const QString literals = Literals();
    return std::all_of(text.begin(), text.end(),
                       [&](QChar c) { return c == u' ' || c == blank_ || literals.contains(c); });
}

int EditMask::NextEditable(int pos) const {
    for (int p = std::max(pos, 0); p < Length(); ++p)
        if (!IsLiteral(p)) return p;
    return Length();
}

int EditMask::PriorEditable(int pos) const {
    for (int p = std::min(pos, Length()) - 1; p >= 0; --p)
        if (!IsLiteral(p)) return p;
    return -1;
}

namespace {

void ClearSelection(const EditMask& mask, MaskedEditState& state) {
    const int end = std::min(state.selStart + state.selLength, int(state.editText.size()));
    for (int pos = state.selStart; pos < end; ++pos)
        if (!mask.IsLiteral(pos)) state.editText[pos] = mask.Blank();
    state.selLength = 0;
}

}  // namespace

bool TypeMaskedCharacter(const EditMask& mask, MaskedEditState& state, QChar ch) {
    MaskedEditState typed = state;
    ClearSelection(mask, typed);
    // Typing the literal that stands at the caret steps over it.
    if (mask.IsLiteral(typed.selStart) && typed.editText.at(typed.selStart) == ch) {
        typed.selStart = mask.NextEditable(typed.selStart + 1);
        state = typed;
        return true;
    }
    const int pos = mask.NextEditable(typed.selStart);
    const QChar accepted = mask.Accept(pos, ch);
    if (accepted.isNull()) return false;
    typed.editText[pos] = accepted;
    typed.selStart = mask.NextEditable(pos + 1);
    state = typed;
    return true;
}

void DeleteMaskedBackward(const EditMask& mask, MaskedEditState& state) {
    if (state.selLength > 0) {
        ClearSelection(mask, state);
        return;
    }
    const int pos = mask.PriorEditable(state.selStart);
    if (pos < 0) return;
    state.editText[pos] = mask.Blank();
    state.selStart = pos;
}

void DeleteMaskedForward(const EditMask& mask, MaskedEditState& state) {
    if (state.selLength > 0) {
        ClearSelection(mask, state);
        return;
    }
    const int pos = mask.NextEditable(state.selStart);
    if (pos < mask.Length()) state.editText[pos] = mask.Blank();
}

int MoveMaskedCaret(const EditMask& mask, int caret, MaskedCaretMove move) {
    switch (move) {
        case MaskedCaretMove::Left: {
            const int pos = mask.PriorEditable(caret);
            return pos >= 0 ? pos : caret;
        }
        case MaskedCaretMove::Right: return caret >= mask.Length() ? caret : mask.NextEditable(caret + 1);
        case MaskedCaretMove::Home: return mask.NextEditable(0);
        case MaskedCaretMove::End: return mask.Length();
    }
    return caret;
}

}  // namespace rtl

QString FormatMaskText(const QString& editMask, const QString& value) {
    const rtl::EditMask mask(editMask);
    return mask.FormatText(value, mask.SavesLiterals());
}
