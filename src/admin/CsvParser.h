// TwpsCsvParser: reads a delimited text file one record at a time and splits each record into fields.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QFile>
#include <QString>
#include <QStringList>

// Appends the fields of one line to the list: fields split by the delimiter, the double quote the only quoting
// character, a doubled quote inside a quoted field standing for one. A line of length 0 yields no fields.
void SplitCsvLine(const QString& line, QStringList& list, QChar delimiter);

class TwpsCsvParser {
public:
    TwpsCsvParser();
    ~TwpsCsvParser();
    TwpsCsvParser(const TwpsCsvParser&) = delete;
    TwpsCsvParser& operator=(const TwpsCsvParser&) = delete;

    // False when the file cannot be opened for reading.
    bool OpenFile(const QString& fileName);
    void CloseFile();
    // The bytes consumed so far and the file's size in bytes.
    qint64 GetPosition() const;
    qint64 GetSize() const;
    // 0 comma, 1 tab; any other value leaves the delimiter as it was.
    void SetDelimiterMode(int mode);
    // Reads the next record into Line and Fields; false at the end of the file.
    bool ReadNextRecord();

    bool AtStart = false;
    // On the first read after opening, the file's first line is read and discarded.
    bool SkipFirstLine = false;
    bool FileOpen = false;
    QStringList Fields;
    // The current record's text, without its line end.
    QString Line;
    int DelimiterMode = 0;
    QChar Delimiter = QLatin1Char(',');

private:
    // The bytes up to the next CR (or the end of the file), then the line end: the CR and an LF right after it.
    QByteArray ReadLine();
    // False at the end of the file.
    bool FillBuffer();

    QFile stream_;
    // Taken at open: asking the file system for each record costs more than reading the record.
    qint64 size_ = 0;
    // Read in blocks; the position is the block's offset plus the bytes consumed from it.
    QByteArray buffer_;
    qint64 bufferStart_ = 0;
    int bufferPos_ = 0;
};
