// Field-type checks of typed text and key presses typed through a picture mask.
#include "controls/edit/WwPictureRoutines.h"

#include "controls/edit/Wwpict.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/NumberParse.h"
#include "platform/ui/Edits.h"

#include <QApplication>
#include <algorithm>

namespace {

// Digits only, with a leading minus sign before at least one of them; the empty text counts.
bool IsIntegerText(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= u'0' && c <= u'9') continue;
        if (c == u'-' && i == 0 && text.size() > 1) continue;
        return false;
    }
    return true;
}

bool IsFloatText(const QString& text) {
    double value = 0;
    return text.isEmpty() || TryStrToFloat(text.left(63), value);
}

bool IsDateText(const QString& text) {
    TDateTime value;
    return TryStrToDate(text, value);
}

bool IsTimeText(const QString& text) {
    TDateTime value;
    return TryStrToTime(text, value);
}

bool IsDateTimeText(const QString& text) {
    TDateTime value;
    return TryStrToDateTime(text, value) || IsDateText(text);
}

}  // namespace

bool IsValidTextForField(const TField& field, const QString& text) {
    switch (field.DataType()) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc: return IsIntegerText(text);
        case ftFloat:
        case ftCurrency:
        case ftBCD: return IsFloatText(text);
        case ftDate: return IsDateText(text);
        case ftTime: return IsTimeText(text);
        case ftDateTime: return IsDateTimeText(text);
        default: return true;
    }
}

bool ApplyPictureToKeyPress(TEdit& edit, const QString& mask, bool autoFill, QChar& key) {
    if (key.unicode() < u' ' || key.unicode() == 255) return false;
    const QString old = edit.Text();
    const int selStart = edit.SelStart();
    const int selLength = edit.SelLength();
    if (selStart < old.size() - selLength) return false;

    QString candidate = old;
    candidate.replace(selStart, selLength, QString(key));
    key = QChar();
    TwwPictureValidator validator(mask, autoFill);
    const int answer = validator.Picture(candidate, autoFill);
    if (answer != TwwPictureValidator::Complete && answer != TwwPictureValidator::Incomplete) {
        if (answer == TwwPictureValidator::Error) QApplication::beep();
        return true;
    }
    const bool wholeSelected = selStart == 0 && selLength == old.size();
    const int growth = int(candidate.size() - old.size());
    int caret = selStart + 1;
    if (wholeSelected) caret = int(candidate.size());
    else if (answer == TwwPictureValidator::Complete && growth > 0) caret = selStart + growth;
    else if (answer == TwwPictureValidator::Incomplete && selLength == 0) caret = selStart + growth;
    edit.SetText(candidate);
    edit.SetSelStart(std::min(caret, int(candidate.size())));
    return true;
}
