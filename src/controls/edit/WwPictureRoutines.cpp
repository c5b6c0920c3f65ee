// Key presses typed through a picture mask.
#include "controls/edit/WwPictureRoutines.h"

#include "controls/edit/Wwpict.h"
#include "platform/ui/Edits.h"

#include <QApplication>
#include <algorithm>

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
