// The control library's small text routines.
#include "controls/edit/WwStrings.h"

#include "platform/rtl/StringList.h"

namespace {

const QString kBlankAndTab = QStringLiteral(" \t");

}  // namespace

QString controls::AsciiUpper(const QString& text) {
    QString result = text;
    for (QChar& ch : result)
        if (ch >= u'a' && ch <= u'z') ch = QChar(ch.unicode() - (u'a' - u'A'));
    return result;
}

QString GetToken(const QString& text, const QString& delimiter, int& position) {
    if (position <= 0) return {};
    if (position > text.length()) {
        position = -1;
        return {};
    }
    const QString rest = text.mid(position - 1);
    qsizetype found;
    qsizetype delimiterLength;
    if (delimiter.length() == 1) {
        found = rest.indexOf(delimiter);
        delimiterLength = 1;
    } else {
        // A word used as delimiter counts only when it stands alone.
        const QString padded = QLatin1Char(' ') + delimiter + QLatin1Char(' ');
        found = controls::AsciiUpper(rest).indexOf(controls::AsciiUpper(padded));
        delimiterLength = padded.length();
    }
    if (found < 0) {
        position = -1;
        return rest;
    }
    position += int(found + delimiterLength);
    return rest.left(found);
}

void SplitToList(const QString& text, QChar delimiter, TStrings& list) {
    list.Clear();
    for (const QString& part : text.split(delimiter)) list.Add(part);
}

QString ScanToken(const QString& text, int& position, int options, const QString& delimiters) {
    if (position <= 0 || position > text.length()) return {};
    if (options & controls::scanSkipBlanks)
        while (position <= text.length() && kBlankAndTab.contains(text[position - 1])) ++position;
    if (position > text.length()) return {};

    const int start = position;
    if ((options & controls::scanKeepQuoted) && text[start - 1] == u'"') {
        const qsizetype closing = text.indexOf(u'"', start);
        QString token;
        if (closing < 0) {
            token = text.mid(start - 1);
            position = int(text.length()) + 1;
        } else {
            token = text.mid(start - 1, closing - start + 2);
            position = int(closing) + 2;
        }
        if (options & controls::scanStripQuotes) {
            token.remove(0, 1);
            if (token.endsWith(u'"') || token.endsWith(u'\'')) token.chop(1);
        }
        return token;
    }

    const int lowest = (options & controls::scanAllowBlanks) ? 32 : 33;
    int stop = start;
    while (stop <= text.length() && text[stop - 1].unicode() >= lowest && !delimiters.contains(text[stop - 1])) ++stop;
    const int runLength = stop - start;
    // A token shorter than two characters also passes the character that ended it.
    position = runLength < 2 ? stop + 1 : stop;
    return text.mid(start - 1, qMax(runLength, 1));
}

void TrimLeftCharSet(QString& text, const QString& charSet) {
    qsizetype first = 0;
    while (first < text.length() && charSet.contains(text[first])) ++first;
    text.remove(0, first);
}

void TrimRightCharSet(QString& text, const QString& charSet) {
    qsizetype end = text.length();
    while (end > 0 && charSet.contains(text[end - 1])) --end;
    text.truncate(end);
}

void TrimCharSet(QString& text) {
    TrimLeftCharSet(text, kBlankAndTab);
    TrimRightCharSet(text, kBlankAndTab);
}

QString RemoveChar(const QString& text, QChar ch) {
    QString result = text;
    return result.remove(ch);
}

QString ReplaceChar(const QString& text, QChar ch, QChar replacement) {
    QString result = text;
    return result.replace(ch, replacement);
}

QString ReplaceCharWithStr(const QString& text, QChar ch, const QString& replacement) {
    QString result;
    for (const QChar c : text) {
        if (c == ch) result += replacement;
        else result += c;
    }
    return result;
}

bool SameTextUpper(const QString& a, const QString& b) { return controls::AsciiUpper(a) == controls::AsciiUpper(b); }

int CountChar(const QString& text, QChar ch) { return int(text.count(ch)); }

QString TextAfterChar(const QString& text, QChar ch) {
    const qsizetype at = text.indexOf(ch);
    return at < 0 ? QString() : text.mid(at + 1);
}

QString TextBeforeChar(const QString& text, QChar ch) {
    const qsizetype at = text.indexOf(ch);
    return at < 0 ? QString() : text.left(at);
}

QString FileBaseName(const QString& path) {
    const qsizetype slash = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const QString name = path.mid(slash + 1);
    const qsizetype dot = name.indexOf(u'.');
    return dot < 0 ? QString() : name.left(dot);
}
