// The CSV reader: records ended by CR (an LF right after it is part of the end), split by a four-state scanner.
#include "admin/CsvParser.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace {

constexpr qint64 kCsvBlockSize = 64 * 1024;

// Windows-1252 at 0x80..0x9F; the other bytes are the same as in Latin-1. Undefined bytes keep their code.
constexpr char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Files from this program are UTF-8; older ones are 8-bit Windows text, which is rarely valid UTF-8.
QString CsvBytesToText(const QByteArray& bytes) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; }))
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    text.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char16_t(byte));
    }
    return text;
}

enum class CsvScan { FieldStart, Unquoted, Quoted, AfterQuote };

}  // namespace

void SplitCsvLine(const QString& line, QStringList& list, QChar delimiter) {
    const QChar quote = QLatin1Char('"');
    const qsizetype length = line.size();
    CsvScan state = CsvScan::FieldStart;
    QString field;
    // The states that only collect characters take them in one step, up to the next character that matters.
    qsizetype i = 0;
    while (i < length) {
        switch (state) {
            case CsvScan::FieldStart: {
                const QChar c = line[i];
                const bool last = i == length - 1;
                field.clear();
                if (c == quote) {
                    state = CsvScan::Quoted;
                } else if (c == delimiter) {
                    list << field;
                    if (last) list << QString();
                } else {
                    field = c;
                    state = CsvScan::Unquoted;
                    if (last) list << field;
                }
                ++i;
                break;
            }
            case CsvScan::Unquoted: {
                // Double quotes here are ordinary characters.
                const qsizetype end = line.indexOf(delimiter, i);
                field += QStringView(line).mid(i, (end < 0 ? length : end) - i);
                list << field;
                if (end < 0 || end == length - 1) {
                    if (end >= 0) list << QString();
                    i = length;
                } else {
                    state = CsvScan::FieldStart;
                    i = end + 1;
                }
                break;
            }
            case CsvScan::Quoted: {
                // Delimiters here are part of the field; a field still open at the line's end is not added.
                const qsizetype end = line.indexOf(quote, i);
                if (end < 0) {
                    i = length;
                    break;
                }
                field += QStringView(line).mid(i, end - i);
                if (end == length - 1) list << field;
                else state = line[end + 1] == delimiter ? CsvScan::Unquoted : CsvScan::AfterQuote;
                i = end + 1;
                break;
            }
            case CsvScan::AfterQuote: {
                // Text between a closing quote and the next quote is dropped; a second quote is a literal one.
                const qsizetype next = line.indexOf(quote, i);
                if (next < 0) {
                    i = length;
                    break;
                }
                field += quote;
                state = CsvScan::Quoted;
                i = next + 1;
                break;
            }
        }
    }
}

TwpsCsvParser::TwpsCsvParser() { SetDelimiterMode(0); }

TwpsCsvParser::~TwpsCsvParser() { CloseFile(); }

bool TwpsCsvParser::OpenFile(const QString& fileName) {
    CloseFile();
    stream_.setFileName(fileName);
    if (!stream_.open(QIODevice::ReadOnly)) return false;
    buffer_.clear();
    bufferStart_ = 0;
    bufferPos_ = 0;
    size_ = stream_.size();
    AtStart = true;
    FileOpen = true;
    return true;
}

void TwpsCsvParser::CloseFile() {
    if (FileOpen) stream_.close();
    FileOpen = false;
}

qint64 TwpsCsvParser::GetPosition() const { return bufferStart_ + bufferPos_; }

qint64 TwpsCsvParser::GetSize() const { return FileOpen ? size_ : 0; }

void TwpsCsvParser::SetDelimiterMode(int mode) {
    DelimiterMode = mode;
    if (mode == 0) Delimiter = QLatin1Char(',');
    if (mode == 1) Delimiter = QLatin1Char('\t');
}

bool TwpsCsvParser::FillBuffer() {
    if (bufferPos_ < buffer_.size()) return true;
    bufferStart_ += buffer_.size();
    buffer_ = stream_.read(kCsvBlockSize);
    bufferPos_ = 0;
    return !buffer_.isEmpty();
}

QByteArray TwpsCsvParser::ReadLine() {
    QByteArray line;
    while (FillBuffer()) {
        const char* start = buffer_.constData() + bufferPos_;
        const auto available = static_cast<size_t>(buffer_.size() - bufferPos_);
        const auto* cr = static_cast<const char*>(std::memchr(start, '\r', available));
        if (!cr) {
            line.append(start, static_cast<qsizetype>(available));
            bufferPos_ = buffer_.size();
            continue;
        }
        line.append(start, cr - start);
        bufferPos_ += static_cast<int>(cr - start) + 1;
        if (FillBuffer() && buffer_[bufferPos_] == '\n') ++bufferPos_;
        break;
    }
    AtStart = false;
    return line;
}

bool TwpsCsvParser::ReadNextRecord() {
    Fields.clear();
    Line.clear();
    if (!FileOpen) return false;
    if (AtStart && SkipFirstLine && GetPosition() < GetSize()) ReadLine();
    if (GetPosition() >= GetSize()) return false;
    Line = CsvBytesToText(ReadLine());
    SplitCsvLine(Line, Fields, Delimiter);
    return true;
}
