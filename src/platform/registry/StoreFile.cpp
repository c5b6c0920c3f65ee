// Writing and reading the store's text form.
#include "platform/registry/StoreFile.h"

#include <optional>

namespace reg {
namespace {

bool IsControl(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }

QString Quote(const QString& text) {
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        switch (c.unicode()) {
            case '\\': out += QStringLiteral("\\\\"); break;
            case '"': out += QStringLiteral("\\\""); break;
            case '\n': out += QStringLiteral("\\n"); break;
            case '\r': out += QStringLiteral("\\r"); break;
            case '\t': out += QStringLiteral("\\t"); break;
            default:
                if (IsControl(c)) out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
                else out += c;
        }
    }
    return out + u'"';
}

// Reads a quoted text starting at pos (which must be a quote); pos ends after the closing quote.
std::optional<QString> Unquote(const QString& line, qsizetype& pos) {
    if (pos >= line.size() || line[pos] != u'"') return std::nullopt;
    QString out;
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == u'"') {
            ++pos;
            return out;
        }
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++pos >= line.size()) return std::nullopt;
        switch (line[pos].unicode()) {
            case '\\': out += u'\\'; break;
            case '"': out += u'"'; break;
            case 'n': out += u'\n'; break;
            case 'r': out += u'\r'; break;
            case 't': out += u'\t'; break;
            case 'u': {
                bool ok = false;
                const ushort code = line.mid(pos + 1, 4).toUShort(&ok, 16);
                if (!ok || pos + 4 >= line.size()) return std::nullopt;
                out += QChar(code);
                pos += 4;
                break;
            }
            default: return std::nullopt;
        }
    }
    return std::nullopt;
}

QString EncodeKeyName(const QString& name) {
    QString out;
    for (QChar c : name) {
        if (c == u'%' || IsControl(c)) out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else out += c;
    }
    return out;
}

QString DecodeKeyName(const QString& name) { return QString::fromUtf8(QByteArray::fromPercentEncoding(name.toUtf8())); }

QString ValueLine(const Value& value) {
    QString data;
    switch (value.kind) {
        case REG_SZ: data = Quote(value.text); break;
        case REG_EXPAND_SZ: data = QStringLiteral("expand:") + Quote(value.text); break;
        // Written as the signed number programs store (a Top of -20 reads -20, not 4294967276).
        case REG_DWORD: data = QStringLiteral("dword:") + QString::number(qint32(value.number)); break;
        default: data = QStringLiteral("hex:") + QString::fromLatin1(value.bytes.toHex()); break;
    }
    return Quote(value.name) + u'=' + data;
}

void WriteKey(const Key& key, const QStringList& path, QStringList& lines) {
    if (!path.isEmpty() || !key.values.empty()) {
        QStringList encoded;
        for (const QString& part : path) encoded << EncodeKeyName(part);
        lines << u'[' + encoded.join(u'\\') + u']';
    }
    for (const Value& value : key.values) lines << ValueLine(value);
    for (const Key& sub : key.subkeys) WriteKey(sub, path + QStringList{sub.name}, lines);
}

std::optional<Value> ParseValueLine(const QString& line) {
    qsizetype pos = 0;
    Value value;
    std::optional<QString> name = Unquote(line, pos);
    if (!name || pos >= line.size() || line[pos] != u'=') return std::nullopt;
    value.name = *name;
    const QString data = line.mid(pos + 1);
    auto quotedAfter = [&](qsizetype start) {
        qsizetype p = start;
        std::optional<QString> text = Unquote(data, p);
        return (text && p == data.size()) ? text : std::nullopt;
    };
    if (data.startsWith(u'"')) {
        value.kind = REG_SZ;
        std::optional<QString> text = quotedAfter(0);
        if (!text) return std::nullopt;
        value.text = *text;
    } else if (data.startsWith(QLatin1String("expand:"))) {
        value.kind = REG_EXPAND_SZ;
        std::optional<QString> text = quotedAfter(7);
        if (!text) return std::nullopt;
        value.text = *text;
    } else if (data.startsWith(QLatin1String("dword:"))) {
        bool ok = false;
        value.kind = REG_DWORD;
        // Signed as written now; unsigned as earlier stores wrote it.
        const QString number = data.mid(6);
        value.number = number.startsWith(u'-') ? quint32(number.toInt(&ok)) : number.toUInt(&ok);
        if (!ok) return std::nullopt;
    } else if (data.startsWith(QLatin1String("hex:"))) {
        const QByteArray hex = data.mid(4).toLatin1();
        value.kind = REG_BINARY;
        value.bytes = QByteArray::fromHex(hex);
        if (value.bytes.size() * 2 != hex.size()) return std::nullopt;
    } else {
        return std::nullopt;
    }
    return value;
}

}  // namespace

QByteArray SerializeStore(const Key& root, const QString& title) {
    QStringList lines{QStringLiteral("; Tavorin settings store: ") + title};
    WriteKey(root, {}, lines);
    return (lines.join(u'\n') + u'\n').toUtf8();
}

Key ParseStore(const QByteArray& text) {
    Key root;
    Key* current = &root;
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            QStringList path;
            for (const QString& part : SplitPath(line.mid(1, line.size() - 2))) path << DecodeKeyName(part);
            current = &MakeKey(root, path);
        } else if (line.startsWith(u'"')) {
            if (std::optional<Value> value = ParseValueLine(line)) current->SetValue(std::move(*value));
        }
    }
    return root;
}

}  // namespace reg
