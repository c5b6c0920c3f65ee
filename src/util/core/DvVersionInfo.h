// Four-part version numbers: comparison, text, parsing and the versions of files.
#pragma once

#include <QString>

struct TDvVersionInfo {
    qint32 Major = 0;
    qint32 Minor = 0;
    qint32 Release = 0;
    qint32 Build = 0;
};

// 1 when a is newer, -1 when older, 0 when equal.
int CompareVersionInfo(const TDvVersionInfo& a, const TDvVersionInfo& b);
void CopyVersionInfo(TDvVersionInfo& target, const TDvVersionInfo& source);
// "Major.Minor.Release.Build".
QString VersionInfoToText(const TDvVersionInfo& v);
// Reads up to four "."-separated decimal numbers; stops silently at the first part that is
// missing or not a number, keeping the parts read so far and leaving the rest unchanged.
void ParseVersionInfo(TDvVersionInfo& v, const QString& text);

// The program's own, compiled-in version.
TDvVersionInfo ProgramVersion();
// The version of a file; only the program's own file carries one here. Zeroes v first.
bool ReadFileVersion(const QString& fileName, TDvVersionInfo& v);
// Style 0 "M.m.r.b", 1 "M.m (Build b)", 2 "M.m (Build 0.b)"; another style gives an empty text.
bool GetFileVersionText(const QString& fileName, int style, QString& text);
