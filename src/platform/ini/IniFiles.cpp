// TIniFile over the file's lines: read, change a line or a section, write back atomically.
#include "platform/ini/IniFiles.h"

#include <QFile>
#include <QSaveFile>
#include <optional>

namespace {

// The file as lines, with what is needed to write it back the way it was.
struct IniText {
    QStringList lines;
    QString lineEnd = QStringLiteral("\n");
    bool byteOrderMark = false;
};

IniText Load(const QString& fileName) {
    IniText ini;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return ini;
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF))) {
        ini.byteOrderMark = true;
        text.remove(0, 1);
    }
    if (text.contains(QLatin1String("\r\n"))) ini.lineEnd = QStringLiteral("\r\n");
    if (text.isEmpty()) return ini;
    if (text.endsWith(u'\n')) text.chop(1);
    ini.lines = text.split(u'\n');
    for (QString& line : ini.lines)
        if (line.endsWith(u'\r')) line.chop(1);
    return ini;
}

void Save(const QString& fileName, const IniText& ini) {
    QString text = ini.byteOrderMark ? QString(QChar(0xFEFF)) : QString();
    for (const QString& line : ini.lines) text += line + ini.lineEnd;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        throw EIniFileException(QStringLiteral("Unable to write to %1").arg(fileName));
}

// The name of a "[Section]" line.
std::optional<QString> SectionName(const QString& line) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'[')) return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0) return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

// The key of a "Key=Value" line; comments and lines without "=" have none.
std::optional<QString> KeyName(const QString& line) {
    const QString trimmed = line.trimmed();
    const qsizetype equals = trimmed.indexOf(u'=');
    if (trimmed.startsWith(u';') || equals <= 0) return std::nullopt;
    return trimmed.left(equals).trimmed();
}

QString ValueText(const QString& line) {
    QString value = line.mid(line.indexOf(u'=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Lines [first, end) of the first section of that name: first is the line after its header.
struct SectionRange {
    qsizetype header = -1, first = -1, end = -1;
    bool Found() const { return header >= 0; }
};

SectionRange FindSection(const QStringList& lines, const QString& section) {
    SectionRange range;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = SectionName(lines[i]);
        if (!name) continue;
        if (range.Found()) {
            range.end = i;
            return range;
        }
        if (SameName(*name, section)) range.header = i, range.first = i + 1;
    }
    if (range.Found()) range.end = lines.size();
    return range;
}

// The line of the key within the section, or -1.
qsizetype FindKey(const QStringList& lines, const SectionRange& range, const QString& ident) {
    for (qsizetype i = range.first; range.Found() && i < range.end; ++i) {
        const std::optional<QString> key = KeyName(lines[i]);
        if (key && SameName(*key, ident)) return i;
    }
    return -1;
}

QStringList KeysOf(const QStringList& lines, const SectionRange& range) {
    QStringList keys;
    for (qsizetype i = range.first; range.Found() && i < range.end; ++i) {
        const std::optional<QString> key = KeyName(lines[i]);
        if (key && !keys.contains(*key, Qt::CaseInsensitive)) keys << *key;
    }
    return keys;
}

bool ParseInteger(QString text, int& value) {
    bool ok = false;
    text = text.trimmed();
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) && text.size() > 2)
        value = int(text.mid(2).toUInt(&ok, 16));
    else if (text.startsWith(u'$')) value = int(text.mid(1).toUInt(&ok, 16));
    else value = text.toInt(&ok, 10);
    return ok;
}

}  // namespace

TIniFile::TIniFile(const QString& fileName) : fileName_(fileName) {}

QString TIniFile::ReadString(const QString& section, const QString& ident, const QString& defaultValue) {
    const IniText ini = Load(fileName_);
    const qsizetype line = FindKey(ini.lines, FindSection(ini.lines, section), ident);
    return line < 0 ? defaultValue : ValueText(ini.lines[line]);
}

void TIniFile::WriteString(const QString& section, const QString& ident, const QString& value) {
    IniText ini = Load(fileName_);
    const SectionRange range = FindSection(ini.lines, section);
    const qsizetype line = FindKey(ini.lines, range, ident);
    if (line >= 0) {
        ini.lines[line] = *KeyName(ini.lines[line]) + u'=' + value;
    } else if (range.Found()) {
        // After the section's last non-blank line, so blank lines between sections stay where they are.
        qsizetype at = range.end;
        while (at > range.first && ini.lines[at - 1].trimmed().isEmpty()) --at;
        ini.lines.insert(at, ident + u'=' + value);
    } else {
        ini.lines << u'[' + section + u']' << ident + u'=' + value;
    }
    Save(fileName_, ini);
}

int TIniFile::ReadInteger(const QString& section, const QString& ident, int defaultValue) {
    int value = 0;
    return ParseInteger(ReadString(section, ident, QString()), value) ? value : defaultValue;
}

void TIniFile::WriteInteger(const QString& section, const QString& ident, int value) {
    WriteString(section, ident, QString::number(value));
}

bool TIniFile::ReadBool(const QString& section, const QString& ident, bool defaultValue) {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const QString& section, const QString& ident, bool value) {
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::ReadSections(QStringList& strings) {
    strings.clear();
    for (const QString& line : Load(fileName_).lines) {
        const std::optional<QString> name = SectionName(line);
        if (name && !strings.contains(*name, Qt::CaseInsensitive)) strings << *name;
    }
}

void TIniFile::ReadSection(const QString& section, QStringList& strings) {
    const IniText ini = Load(fileName_);
    strings = KeysOf(ini.lines, FindSection(ini.lines, section));
}

void TIniFile::ReadSectionValues(const QString& section, QStringList& strings) {
    const IniText ini = Load(fileName_);
    const SectionRange range = FindSection(ini.lines, section);
    strings.clear();
    for (const QString& key : KeysOf(ini.lines, range))
        strings << key + u'=' + ValueText(ini.lines[FindKey(ini.lines, range, key)]);
}

bool TIniFile::SectionExists(const QString& section) {
    QStringList keys;
    ReadSection(section, keys);
    return !keys.isEmpty();
}

bool TIniFile::ValueExists(const QString& section, const QString& ident) {
    QStringList keys;
    ReadSection(section, keys);
    return keys.contains(ident, Qt::CaseInsensitive);
}

void TIniFile::EraseSection(const QString& section) {
    IniText ini = Load(fileName_);
    bool erased = false;
    for (SectionRange range = FindSection(ini.lines, section); range.Found(); range = FindSection(ini.lines, section)) {
        ini.lines.remove(range.header, range.end - range.header);
        erased = true;
    }
    if (erased) Save(fileName_, ini);
}

void TIniFile::DeleteKey(const QString& section, const QString& ident) {
    IniText ini = Load(fileName_);
    const qsizetype line = FindKey(ini.lines, FindSection(ini.lines, section), ident);
    if (line < 0) return;
    ini.lines.removeAt(line);
    Save(fileName_, ini);
}
