// The installation restrictions of the program's INI file.
#include "data/module/Restrictions.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/SystemFacts.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace {

QString WriteIni(const QByteArray& text) {
    const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("tavorin.ini"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text);
    return path;
}

}  // namespace

TEST(AppRestrictions, DisableFileNewIsReadWithoutRegardToCase) {
    const TAppRestrictions restrictions(WriteIni("[restrictions]\r\ndisablefilenew=1\r\n"));
    EXPECT_TRUE(restrictions.Loaded);
    EXPECT_TRUE(restrictions.DisableFileNew);
    EXPECT_FALSE(TAppRestrictions(WriteIni("[Restrictions]\nDisableFileNew=0\n")).DisableFileNew);
}

TEST(AppRestrictions, AMissingFileLeavesFileNewEnabled) {
    const TAppRestrictions restrictions(QDir(testing_env::TempDir()).filePath(QStringLiteral("none.ini")));
    EXPECT_TRUE(restrictions.Loaded);
    EXPECT_FALSE(restrictions.DisableFileNew);
}

TEST(AppRestrictions, TheIniFileIsTheProgramsWithItsExtensionChanged) {
    EXPECT_EQ(TAppRestrictions::IniFileName(), ChangeFileExt(rtl::ExeName(), QStringLiteral(".ini")));
    EXPECT_TRUE(TAppRestrictions::IniFileName().endsWith(QStringLiteral("test_data_module.ini")));
}
