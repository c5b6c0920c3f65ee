// TIniFile: the framework's INI file access; every write goes straight to the file.
#pragma once

#include "platform/rtl/Exceptions.h"

#include <QString>
#include <QStringList>

TAVORIN_DECLARE_EXCEPTION(EIniFileException, Exception)

// Sections and keys are compared without case. The file is read afresh by every call, so a change made
// by another program is seen at once; writes replace the file atomically and keep its comments, its order
// and its line ends (CR LF or LF; a new file gets LF). A write that fails raises "Unable to write to %s".
class TIniFile {
public:
    explicit TIniFile(const QString& fileName);
    virtual ~TIniFile() = default;

    const QString& FileName() const { return fileName_; }

    // The value's text with blanks around it removed and one pair of enclosing quotes dropped.
    QString ReadString(const QString& section, const QString& ident, const QString& defaultValue);
    void WriteString(const QString& section, const QString& ident, const QString& value);
    // Decimal, or hexadecimal after "0x" or "$"; the default for anything else.
    int ReadInteger(const QString& section, const QString& ident, int defaultValue);
    void WriteInteger(const QString& section, const QString& ident, int value);
    // Any integer but 0 is true; written as 1 or 0.
    bool ReadBool(const QString& section, const QString& ident, bool defaultValue);
    void WriteBool(const QString& section, const QString& ident, bool value);

    // Names in file order, each once in the spelling it first has.
    void ReadSections(QStringList& strings);
    void ReadSection(const QString& section, QStringList& strings);
    // Name=Value lines of a section.
    void ReadSectionValues(const QString& section, QStringList& strings);
    // A section exists when it holds at least one key.
    bool SectionExists(const QString& section);
    bool ValueExists(const QString& section, const QString& ident);

    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& ident);
    // Writes are on disk already; kept for callers that flush.
    void UpdateFile() {}

private:
    QString fileName_;
};
