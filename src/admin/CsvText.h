// The comma-separated lines the export and the SQL tool write, and the file they go to.
#pragma once

#include <QSaveFile>
#include <QString>
#include <QStringList>

// The text enclosed in double quotes when it contains a comma, else unchanged; quotes inside stay as they are.
QString QuoteCsvValue(const QString& text);

namespace admin {

// One line ending in CR LF: every value quoted (alwaysDelimit) or through QuoteCsvValue, separated by commas.
// A data line (not a header) has its line breaks turned into blanks, so that a row keeps to one line.
QString CsvLine(const QStringList& values, bool alwaysDelimit, bool dataLine);

// The export file, written as UTF-8 beside its place and put there by one rename when complete, so that a
// crash or a full disk leaves any old file as it was.
class CsvFile {
public:
    // False when the file cannot be created.
    bool Open(const QString& fileName);
    // As Open, but asks first before an existing file is overwritten and says so when it cannot be created:
    // false when the user declined or the file failed.
    bool OpenAsking(const QString& fileName);
    // Raises when the disk refuses the line; a line of any length is written whole.
    void Write(const QString& line);
    // Puts the file in place; raises when that fails, and the old file stays.
    void Commit();

private:
    void Fail();

    QSaveFile file_;
};

}  // namespace admin
