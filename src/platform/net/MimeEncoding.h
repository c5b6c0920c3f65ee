// The encodings a mail message's parts use: encoded words for headers, quoted-printable, base64 lines, folding.
#pragma once

#include <QByteArray>
#include <QString>

namespace net {

bool IsAscii(const QString& text);
// The text as it may stand in a header: plain when it is ASCII, else UTF-8 encoded words (RFC 2047),
// each short enough to keep a folded line below 76 characters.
QByteArray EncodeHeaderText(const QString& text);
// Quoted-printable (RFC 2045) of UTF-8 text whose lines are separated by CRLF; soft breaks keep lines
// at 76 characters.
QByteArray EncodeQuotedPrintable(const QByteArray& text);
// Base64 in lines of 76 characters, each ended by CRLF.
QByteArray EncodeBase64Lines(const QByteArray& data);
// "Name: value" folded at blanks so that no line passes 78 characters where the value allows it;
// without the final CRLF.
QByteArray FoldHeader(const QByteArray& name, const QByteArray& value);

}  // namespace net
