// The control library's small text routines: separated lists, filter tokens, trimming and file names.
#pragma once

#include <QString>

class TStrings;

namespace controls {

// The options of ScanToken, combined as bits.
enum ScanTokenOption {
    scanSkipBlanks = 1,   // leading blanks and TAB characters are passed over
    scanKeepQuoted = 2,   // a double-quoted token is read whole
    scanStripQuotes = 4,  // ... and its quotes removed
    scanAllowBlanks = 8,  // blanks do not end a token
};

// Upper-cases the letters a to z only, as the library compares names.
QString AsciiUpper(const QString& text);

}  // namespace controls

// Positions are 1-based. The next part of the text from position up to the delimiter; the position then
// stands past the delimiter, or is -1 when none follows (and stays -1, or at 0 or below, on further calls).
// A delimiter longer than one character is found only as a separate word, in any case.
QString GetToken(const QString& text, const QString& delimiter, int& position);
// The list cleared and filled with the parts between delimiters (an empty text gives one empty part).
void SplitToList(const QString& text, QChar delimiter, TStrings& list);
// One token of the filter language (options from controls::ScanTokenOption); delimiters are the characters
// that end a token, and one at the position comes back as a token of its own.
QString ScanToken(const QString& text, int& position, int options, const QString& delimiters);

// Leading and trailing blanks and TAB characters removed.
void TrimCharSet(QString& text);
// Leading / trailing characters that occur in charSet removed.
void TrimLeftCharSet(QString& text, const QString& charSet);
void TrimRightCharSet(QString& text, const QString& charSet);

QString RemoveChar(const QString& text, QChar ch);
QString ReplaceChar(const QString& text, QChar ch, QChar replacement);
// The search goes on after each inserted replacement, so a replacement holding the character stays.
QString ReplaceCharWithStr(const QString& text, QChar ch, const QString& replacement);
// Equal after upper-casing the letters a to z.
bool SameTextUpper(const QString& a, const QString& b);
int CountChar(const QString& text, QChar ch);
// The parts after / before the first occurrence; empty when the character is absent.
QString TextAfterChar(const QString& text, QChar ch);
QString TextBeforeChar(const QString& text, QChar ch);
// The file name without directory and without everything from its first "."; empty without a ".".
QString FileBaseName(const QString& path);
