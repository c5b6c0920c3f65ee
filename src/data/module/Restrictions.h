// TAppRestrictions: what an installation forbids through the program's INI file.
#pragma once

#include <QString>

class TAppRestrictions {
public:
    // Reads the INI file beside the program: its file name with the extension ".ini".
    TAppRestrictions();
    explicit TAppRestrictions(const QString& iniFileName);

    static QString IniFileName();

    bool Loaded = false;
    bool DisableFileNew = false;
};
