// The CSV reader: records ended by CR (an LF right after it is part of the end), split by a four-state scanner.
#include "admin/CsvParser.h"

#include <QStringDecoder>
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
    CsvScan state = CsvScan::FieldStart;
    QString field;
    const qsizetype length = line.size();
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = line[i];
        const bool last = i == length - 1;
        switch (state) {
            case CsvScan::FieldStart:
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
                break;
            case CsvScan::Unquoted:
                if (c == delimiter) {
                    list << field;
                    if (last) list << QString();
                    else state = CsvScan::FieldStart;
                } else {
                    field += c;
                    if (last) list << field;
                }
                break;
            case CsvScan::Quoted:
                if (c != quote) field += c;
                else if (last) list << field;
                else state = line[i + 1] == delimiter ? CsvScan::Unquoted : CsvScan::AfterQuote;
                break;
            case CsvScan::AfterQuote:
                // Text between a closing quote and the next quote is dropped; a second quote is a literal one.
                if (c == quote) {
                    field += quote;
                    state = CsvScan::Quoted;
                }
                break;
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
    AtStart = true;
    FileOpen = true;
    return true;
}

void TwpsCsvParser::CloseFile() {
    if (FileOpen) stream_.close();
    FileOpen = false;
}

qint64 TwpsCsvParser::GetPosition() const { return bufferStart_ + bufferPos_; }

qint64 TwpsCsvParser::GetSize() const { return FileOpen ? stream_.size() : 0; }

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
