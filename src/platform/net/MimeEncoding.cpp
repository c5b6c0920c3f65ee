// Header words, quoted-printable, base64 and header folding.
#include "platform/net/MimeEncoding.h"

#include <QList>

namespace net {

namespace {

constexpr int kMaxLine = 76;
// "=?UTF-8?B?" + "?=" around the base64 of at most this many bytes stays below kMaxLine with a header name.
constexpr int kWordBytes = 39;

// The UTF-8 of text cut into pieces of at most kWordBytes bytes, never inside a character.
QList<QByteArray> Utf8Pieces(const QString& text) {
    QList<QByteArray> pieces;
    QByteArray current;
    for (int i = 0; i < text.size(); ++i) {
        int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QByteArray character = text.mid(i, length).toUtf8();
        i += length - 1;
        if (current.size() + character.size() > kWordBytes) {
            pieces.append(current);
            current.clear();
        }
        current += character;
    }
    if (!current.isEmpty()) pieces.append(current);
    return pieces;
}

}  // namespace

bool IsAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0x7E || (c.unicode() < 0x20 && c != u'\t')) return false;
    return true;
}

QByteArray EncodeHeaderText(const QString& text) {
    if (IsAscii(text)) return text.toLatin1();
    QList<QByteArray> words;
    for (const QByteArray& piece : Utf8Pieces(text)) words.append("=?UTF-8?B?" + piece.toBase64() + "?=");
    return words.join(' ');
}

QByteArray EncodeQuotedPrintable(const QByteArray& text) {
    static const char kHex[] = "0123456789ABCDEF";
    QByteArray out;
    int lineLength = 0;
    auto append = [&](const QByteArray& token) {
        if (lineLength + token.size() > kMaxLine - 1) {
            out += "=\r\n";
            lineLength = 0;
        }
        out += token;
        lineLength += int(token.size());
    };
    for (int i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text.at(i));
        if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n') {
            out += "\r\n";
            lineLength = 0;
            ++i;
            continue;
        }
        const bool lineEnds = i + 1 == text.size() || text.at(i + 1) == '\r';
        // Blanks before a line end would be stripped in transit, so they are written encoded.
        const bool literal = (c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !lineEnds);
        if (literal) append(QByteArray(1, char(c)));
        else append(QByteArray("=") + kHex[c >> 4] + kHex[c & 15]);
    }
    return out;
}

QByteArray EncodeBase64Lines(const QByteArray& data) {
    const QByteArray encoded = data.toBase64();
    QByteArray out;
    for (int i = 0; i < encoded.size(); i += kMaxLine) out += encoded.mid(i, kMaxLine) + "\r\n";
    return out;
}

QByteArray FoldHeader(const QByteArray& name, const QByteArray& value) {
    QByteArray out = name + ':';
    int lineLength = int(out.size());
    for (const QByteArray& token : value.split(' ')) {
        if (lineLength + 1 + token.size() > 78 && lineLength > name.size() + 1) {
            out += "\r\n";
            lineLength = 0;
        }
        out += ' ' + token;
        lineLength += 1 + int(token.size());
    }
    return out;
}

}  // namespace net
