// The picture-mask interpreter: alternatives, optional parts, groups and repetitions matched against a text.
#include "controls/edit/Wwpict.h"

#include "controls/edit/WwParsing.h"

#include <algorithm>

namespace {

// Two answers that stay inside the interpreter: complete or incomplete after an item that could have taken
// more; auto-fill is not applied after the second.
constexpr int CompleteOpen = 5;
constexpr int IncompleteOpen = 6;

// Code 128 itself is no letter; everything above it is.
bool IsLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c.unicode() > 128; }

QChar UpperOf(QChar c) { return QString(c).toUpper().at(0); }
QChar LowerOf(QChar c) { return QString(c).toLower().at(0); }

// Literals compare with only the ASCII letters folded.
QChar FoldAscii(QChar c) { return c >= u'a' && c <= u'z' ? QChar(c.unicode() - 32) : c; }

bool IsOpenOrComplete(int r) { return r == TwwPictureValidator::Complete || r == CompleteOpen; }
bool IsIncomplete(int r) { return r == TwwPictureValidator::Incomplete || r == IncompleteOpen; }

bool IsLiteral(QChar c) {
    switch (c.unicode()) {
        case u'#':
        case u'?':
        case u'&':
        case u'~':
        case u'!':
        case u'@':
        case u'*':
        case u'[':
        case u']':
        case u'{':
        case u'}':
        case u',':
        case 0: return false;
        default: return true;
    }
}

bool PassesSyntaxCheck(const QString& mask) {
    if (mask.isEmpty() || mask.back() == u';') return false;
    if (mask.back() == u'*' && (mask.size() < 2 || mask.at(mask.size() - 2) != u';')) return false;
    int brackets = 0;
    int braces = 0;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        switch (mask.at(i).unicode()) {
            case u';': ++i; break;
            case u'[': ++brackets; break;
            case u']': --brackets; break;
            case u'{': ++braces; break;
            case u'}': --braces; break;
            default: break;
        }
    }
    return brackets == 0 && braces == 0;
}

// One run over a text: the cursor i in the mask and j in the text, shared by every step.
class Matcher {
public:
    Matcher(const QString& mask, QString& text) : mask_(mask), text_(text) {}

    qsizetype i = 0;
    qsizetype j = 0;

    int MatchSpan(qsizetype end) {
        qsizetype oldI = i;
        const qsizetype oldJ = j;
        bool incompleteSeen = false;
        qsizetype incompleteI = 0;
        qsizetype incompleteJ = 0;
        bool trailingSpace = false;
        for (;;) {
            int r = ScanAlternative(end, trailingSpace);
            // An incomplete alternative that got further into the text wins over a complete one.
            if (IsOpenOrComplete(r) && incompleteSeen && j < incompleteJ) {
                r = TwwPictureValidator::Incomplete;
                j = incompleteJ;
            }
            if (r != TwwPictureValidator::Incomplete && r != TwwPictureValidator::Error)
                return r == TwwPictureValidator::Complete && incompleteSeen ? CompleteOpen : r;
            if (r == TwwPictureValidator::Incomplete && !incompleteSeen) {
                incompleteSeen = true;
                incompleteI = i;
                incompleteJ = j;
            }
            i = oldI;
            j = oldJ;
            if (!NextAlternative(end)) {
                if (!incompleteSeen) return r;
                i = incompleteI;
                j = incompleteJ;
                return TwwPictureValidator::Incomplete;
            }
            oldI = i;
        }
    }

private:
    QChar MaskAt(qsizetype p) const { return p < mask_.size() ? mask_.at(p) : QChar(); }

    void Consume(QChar c) {
        text_[j] = c;
        ++i;
        ++j;
    }

    int ScanAlternative(qsizetype end, bool& trailingSpace) {
        int s = TwwPictureValidator::Empty;
        while (i < end && MaskAt(i) != u',') {
            if (j >= text_.size()) return CheckSkippable(s, i, end);
            const QChar c = text_.at(j);
            switch (MaskAt(i).unicode()) {
                case u'#':
                    if (!IsDigitChar(c)) return TwwPictureValidator::Error;
                    Consume(c);
                    break;
                case u'?':
                    if (!IsLetter(c)) return TwwPictureValidator::Error;
                    Consume(c);
                    break;
                case u'&':
                    if (!IsLetter(c)) return TwwPictureValidator::Error;
                    Consume(UpperOf(c));
                    break;
                case u'~':
                    if (!IsLetter(c)) return TwwPictureValidator::Error;
                    Consume(LowerOf(c));
                    break;
                case u'!': Consume(UpperOf(c)); break;
                case u'@': Consume(c); break;
                case u'*':
                    s = MatchRepeat(end);
                    if (!IsOpenOrComplete(s)) return s;
                    break;
                case u'{':
                    s = MatchGroup(end);
                    if (!IsOpenOrComplete(s)) return s;
                    break;
                case u'[':
                    s = MatchGroup(end);
                    if (IsIncomplete(s)) return s;
                    // An optional part that does not match is left out and leaves the alternative open.
                    if (s == TwwPictureValidator::Error) s = CompleteOpen;
                    break;
                default: {
                    if (MaskAt(i) == u';') ++i;
                    const QChar literal = MaskAt(i);
                    const bool lastCharacter = j == text_.size() - 1;
                    if (FoldAscii(literal) != FoldAscii(c)) {
                        // A space typed last stands for the literal that is due.
                        if (trailingSpace || c != u' ' || !lastCharacter) return TwwPictureValidator::Error;
                    } else if (c == u' ' && lastCharacter) {
                        trailingSpace = true;
                    }
                    Consume(literal);
                    break;
                }
            }
            s = s == CompleteOpen ? IncompleteOpen : TwwPictureValidator::Incomplete;
        }
        return s == IncompleteOpen ? CompleteOpen : TwwPictureValidator::Complete;
    }

    // The text ran out at mask position k: answers open-complete when the rest of the span may be left out.
    int CheckSkippable(int s, qsizetype k, qsizetype end) const {
        if (!IsIncomplete(s)) return s;
        // An empty span (an empty alternative, also the last of its group) is left out.
        while (k < end) {
            const QChar c = MaskAt(k);
            if (c == u'[') {
                k = ItemEnd(k, end);
            } else if (c == u'*' && !IsDigitChar(MaskAt(k + 1))) {
                k = ItemEnd(k, end);
            } else if (c == u'*') {
                if (k + 2 >= end || MaskAt(k + 2) != u'[') break;
                k = ItemEnd(k + 2, end);
            } else if (c == u',') {
                k = end;
            } else if (c == u'{') {
                const qsizetype groupEnd = ItemEnd(k, end);
                if (!AnyAlternativeSkippable(k, groupEnd)) break;
                k = groupEnd;
            } else {
                return s;
            }
        }
        return k >= end ? CompleteOpen : s;
    }

    // The group starts at open and ends before groupEnd (its closing brace is at groupEnd - 1).
    bool AnyAlternativeSkippable(qsizetype open, qsizetype groupEnd) const {
        const qsizetype close = groupEnd - 1;
        qsizetype p = open + 1;
        for (;;) {
            const qsizetype first = p;
            while (p < close && MaskAt(p) != u',') p = ItemEnd(p, close);
            if (CheckSkippable(TwwPictureValidator::Incomplete, first, p) == CompleteOpen) return true;
            if (p >= close) return false;
            ++p;
        }
    }

    int MatchRepeat(qsizetype end) {
        ++i;
        quint16 count = 0;
        while (i < end && IsDigitChar(MaskAt(i))) {
            count = quint16(count * 10 + (MaskAt(i).unicode() - u'0'));
            ++i;
        }
        if (i >= end) return TwwPictureValidator::SyntaxError;
        const qsizetype item = i;
        const qsizetype itemEnd = ItemEnd(item, end);
        int r = TwwPictureValidator::Complete;
        if (count > 0) {
            for (int pass = 0; pass < count; ++pass) {
                i = item;
                r = MatchSpan(itemEnd);
                if (IsOpenOrComplete(r)) continue;
                // The text ran out at the start of a pass: only an optional part may be repeated no further.
                if (r == TwwPictureValidator::Empty)
                    r = MaskAt(i) == u'[' ? TwwPictureValidator::Complete : TwwPictureValidator::Incomplete;
                return r;
            }
            i = itemEnd;
            return r;
        }
        qsizetype before = 0;
        do {
            i = item;
            before = j;
            r = MatchSpan(itemEnd);
        } while (j != before && IsOpenOrComplete(r));
        if (r == TwwPictureValidator::Empty || r == TwwPictureValidator::Error) r = CompleteOpen;
        i = itemEnd;
        return r;
    }

    int MatchGroup(qsizetype end) {
        const qsizetype partEnd = ItemEnd(i, end);
        ++i;
        const int r = MatchSpan(partEnd - 1);
        // An incomplete part leaves i inside it, where auto-fill goes on.
        if (!IsIncomplete(r)) i = partEnd;
        return r;
    }

    bool NextAlternative(qsizetype end) {
        while (i < end && MaskAt(i) != u',') i = ItemEnd(i, end);
        if (i < end && MaskAt(i) == u',') ++i;
        return i < end;
    }

    // The position after the item that starts at p (an item never reaches past end).
    qsizetype ItemEnd(qsizetype p, qsizetype end) const {
        int brackets = 0;
        int braces = 0;
        do {
            if (p >= end) return end;
            switch (MaskAt(p).unicode()) {
                case u'[': ++brackets, ++p; break;
                case u']': --brackets, ++p; break;
                case u'{': ++braces, ++p; break;
                case u'}': --braces, ++p; break;
                case u';': p = std::min(p + 2, end); break;
                case u'*':
                    ++p;
                    while (p < end && IsDigitChar(MaskAt(p))) ++p;
                    p = ItemEnd(p, end);
                    break;
                default: ++p; break;
            }
        } while (brackets > 0 || braces > 0);
        return p;
    }

    const QString& mask_;
    QString& text_;
};

}  // namespace

TwwPictureValidator::TwwPictureValidator(const QString& mask, bool autoFill) : mask_(mask), options_(autoFill ? 1 : 0) {
    QString empty;
    if (Picture(empty, false) != Empty) status_ = 1;
}

bool TwwPictureValidator::IsValidInput(QString& text, bool suppressFill) {
    if (mask_.isEmpty()) return true;
    return Picture(text, (options_ & 1) != 0 && !suppressFill) != Error;
}

bool TwwPictureValidator::IsValid(const QString& text) {
    if (mask_.isEmpty()) return true;
    QString copy = text;
    const int r = Picture(copy, false);
    return r == Complete || r == Empty;
}

int TwwPictureValidator::Picture(QString& text, bool autoFill) {
    if (!PassesSyntaxCheck(mask_)) return SyntaxError;
    if (text.isEmpty()) return Empty;
    const QString original = text;
    Matcher matcher(mask_, text);
    int r = matcher.MatchSpan(mask_.size());
    if (r != Error && r != SyntaxError && matcher.j < text.size()) r = Error;
    if (r == Incomplete && autoFill) {
        qsizetype i = matcher.i;
        bool appended = false;
        while (i < mask_.size() && IsLiteral(mask_.at(i))) {
            if (mask_.at(i) == u';') ++i;
            text += mask_.at(i);
            ++i;
            appended = true;
        }
        if (appended) {
            Matcher again(mask_, text);
            r = again.MatchSpan(mask_.size());
            // Literals that make the text wrong are taken back.
            if (r == Error) {
                text = original;
                r = Incomplete;
            }
        }
    }
    if (r == CompleteOpen) return Complete;
    if (r == IncompleteOpen) return Incomplete;
    return r;
}
