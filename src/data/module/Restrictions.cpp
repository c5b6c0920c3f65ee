// The installation restrictions, read from section "Restrictions" of the program's INI file.
#include "data/module/Restrictions.h"

#include "platform/ini/IniFiles.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/SystemFacts.h"

TAppRestrictions::TAppRestrictions() : TAppRestrictions(IniFileName()) {}

TAppRestrictions::TAppRestrictions(const QString& iniFileName) {
    TIniFile ini(iniFileName);
    DisableFileNew = ini.ReadBool(QStringLiteral("Restrictions"), QStringLiteral("DisableFileNew"), false);
    Loaded = true;
}

QString TAppRestrictions::IniFileName() { return ChangeFileExt(rtl::ExeName(), QStringLiteral(".ini")); }
