// The framework's edit masks ("mask;save literals;blank"), as plain values: formatting, reading back and typing.
#pragma once

#include <QChar>
#include <QString>
#include <vector>

namespace rtl {

// A parsed edit mask. Mask characters: L letter, A letter or digit, C any character, 0 digit (capitals
// required, l a c 9 optional), # optional digit or sign; > upper-cases what follows, < lower-cases it, <>
// stops converting; \ makes the next character a literal; : and / are the locale's time and date
// separators; _ is a literal blank; ! marks nothing here and takes no position; every other character is
// a literal. The second field "0" keeps literals out of Text; the
// third gives the character shown for a position not yet typed (default "_").
class EditMask {
public:
    // An empty text gives no mask: texts pass unchanged.
    explicit EditMask(const QString& maskText = QString());

    bool IsMasked() const { return !positions_.empty(); }
    bool SavesLiterals() const { return savesLiterals_; }
    QChar Blank() const { return blank_; }
    // The number of characters of every edit text.
    int Length() const { return int(positions_.size()); }
    bool IsLiteral(int pos) const;
    // All the mask's literal characters, in order.
    QString Literals() const;

    // The edit text for a value: a value with its literals when saveLiterals (laid out position by
    // position), else the typed characters only (filling the positions that take one). Characters a
    // position refuses, and spaces, become blanks.
    QString FormatText(const QString& value, bool withLiterals) const;
    // The value of an edit text: blanks become spaces; literals are kept only when the mask saves them.
    QString TextOf(const QString& editText) const;
    // The character a position stores for ch (case converted), or null when the position refuses ch.
    QChar Accept(int pos, QChar ch) const;
    // The first required position that holds no character, -1 when there is none.
    int FirstMissing(const QString& editText) const;
    // Whether a text holds nothing but the mask's literals, blanks and spaces.
    bool IsEmptyText(const QString& text) const;

    // The first position at or after pos that takes a character; Length() when none.
    int NextEditable(int pos) const;
    // The last position before pos that takes a character; -1 when none.
    int PriorEditable(int pos) const;

private:
    enum class Kind { Literal, Letter, LetterOrDigit, AnyCharacter, Digit, DigitOrSign };
    enum class Case { Unchanged, Upper, Lower };
    struct Position {
        Kind kind = Kind::Literal;
        bool required = false;
        Case conversion = Case::Unchanged;
        QChar literal;
    };

    std::vector<Position> positions_;
    bool savesLiterals_ = true;
    QChar blank_ = u'_';
};

// An edit text with its caret or selection, as typing changes it.
struct MaskedEditState {
    QString editText;
    int selStart = 0;
    int selLength = 0;
};

// Types ch at the caret (over a selection, which is cleared first), skipping literals; the caret moves on
// to the next position that takes a character. False, with the state unchanged, when ch is refused.
bool TypeMaskedCharacter(const EditMask& mask, MaskedEditState& state, QChar ch);
// Backspace: clears the selection, or the position before the caret, which moves there.
void DeleteMaskedBackward(const EditMask& mask, MaskedEditState& state);
// Delete: clears the selection, or the position at the caret.
void DeleteMaskedForward(const EditMask& mask, MaskedEditState& state);

enum class MaskedCaretMove { Left, Right, Home, End };
// The caret after an unshifted arrow, Home or End: arrows step over literals.
int MoveMaskedCaret(const EditMask& mask, int caret, MaskedCaretMove move);

}  // namespace rtl

// The class library's formatter: a value laid out by an edit mask text, its literals inserted when the mask
// keeps them out of values, unfilled positions shown as the mask's blank. An empty mask leaves the value as it is.
QString FormatMaskText(const QString& editMask, const QString& value);
