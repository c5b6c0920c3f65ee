// The help debug file: its line rules, the start-up header in debug mode, and the control's release names.
#include "util/HHDebug.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/DateUtils.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace {

QStringList LinesOf(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return {QStringLiteral("<missing>")};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

}  // namespace

TEST(HHDebug, LinesFollowTheirFirstCharacter) {
    rtl::SetClock(std::make_shared<rtl::FakeClock>(EncodeDate(2026, 5, 1) + EncodeTime(14, 5, 9, 0)));
    const QString file = QDir(testing_env::TempDir()).filePath(QStringLiteral("HHDebug.txt"));
    for (const char* line : {"-", "=", "!Header", "-Dashed", "=Equals", "Plain line"})
        util::HHDebugWrite(file, QString::fromLatin1(line));
    EXPECT_EQ(LinesOf(file), (QStringList{QString(80, u'-'), QString(80, u'='), "Header", "Dashed", "Equals",
                                          "2:05:09 PM   Plain line"}));
    util::HHDebugWrite(QDir(testing_env::TempDir()).filePath(QStringLiteral("no/folder/x.txt")), "skipped");
}

TEST(HHDebug, DebugModeStartsANewFileWithTheHeaderAndOtherwiseRemovesIt) {
    const util::HelpDebugInfo quiet = util::StartHelpDebug({QStringLiteral("tavorin"), QStringLiteral("debug")});
    EXPECT_FALSE(quiet.debugMode);
    EXPECT_FALSE(QFile::exists(quiet.DebugFileName()));

    const util::HelpDebugInfo info = util::StartHelpDebug({QStringLiteral("tavorin"), QStringLiteral("-DEBUG")});
    EXPECT_TRUE(info.debugMode);
    const QStringList lines = LinesOf(info.DebugFileName());
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[0], QStringLiteral("Filename:             \t") + info.DebugFileName());
    EXPECT_EQ(lines[2], QStringLiteral("SysLocale.DefaultLCID: \t0x0409"));
    EXPECT_EQ(lines[5], QStringLiteral("DecimalSeparator:      \t."));
    EXPECT_EQ(lines[6], QString(80, u'-'));
    EXPECT_EQ(lines[12], QStringLiteral("_hhInstalled =      \tNO"));
    EXPECT_EQ(lines[14], QStringLiteral("_hhFriendlyVerStr = \t< 1.0"));
    EXPECT_EQ(lines[19], QString(80, u'='));

    util::StartHelpDebug({QStringLiteral("/Debug")});
    EXPECT_EQ(LinesOf(info.DebugFileName()).size(), 20) << "the old file is replaced, not appended to";
    util::StartHelpDebug({});
    EXPECT_FALSE(QFile::exists(info.DebugFileName()));
}

TEST(HHDebug, ControlReleaseNamesByVersion) {
    const struct {
        TDvVersionInfo version;
        const char* name;
    } cases[] = {
        {{4, 74, 8794, 0}, "> 1.31"}, {{4, 74, 8793, 99}, "1.31"}, {{4, 74, 8702, 0}, "1.3"},
        {{4, 73, 8600, 0}, "1.22"},   {{4, 73, 8474, 0}, "1.21a"}, {{4, 73, 8412, 0}, "1.21"},
        {{4, 73, 8300, 0}, "1.2"},    {{4, 72, 8164, 0}, "1.1b"},  {{4, 72, 7325, 0}, "1.1a"},
        {{4, 72, 7323, 0}, "1.1"},    {{4, 72, 7290, 0}, "1.0"},   {{4, 72, 7289, 9}, "< 1.0"},
        {{5, 0, 0, 0}, "> 1.31"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(util::HHFriendlyVersionName(c.version), QString::fromLatin1(c.name)) << c.name;
}
