// The run between start and end: "/s", the most recent database and the data module's settings.
#include "app/main/ProgramRun.h"
#include "data/module/DataModule.h"
#include "support/TestEnvironment.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QFile>

namespace {

const QString kProgramKey = QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0");

QString StoredMru() {
    TDvRegistry reg;
    if (!reg.OpenKeyReadOnly(kProgramKey)) return QStringLiteral("<no key>");
    return reg.ReadStringDefault(QStringLiteral("MRUDatabase"), QStringLiteral("<none>"));
}

struct FakeRun {
    QStringList opened;
    int loops = 0;
    TProgramWindow window;
    TData data;

    explicit FakeRun(const QString& openedInTheLoop = QString()) {
        window.OpenDatabase = [this](const QString& file, const QString&, const QString&) { opened << file; };
        window.RunLoop = [this, openedInTheLoop] {
            ++loops;
            if (!openedInTheLoop.isEmpty()) data.DatabaseFileName = openedInTheLoop;
        };
    }
};

}  // namespace

TEST(ProgramRun, SlashSOpensNothingAndLeavesTheDataModulesSettingsUnsaved) {
    const QString existing = testing_env::TempDir() + QStringLiteral("/recent.tvd");
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kProgramKey, true));
        reg.WriteString(QStringLiteral("MRUDatabase"), existing);
    }
    CreateVersionHistory();

    for (const char* arg : {"/S", "/s"}) {
        FakeRun run(QStringLiteral("/other.tvd"));
        const TStartupChoice choice = RunProgram(run.data, true, {QString::fromLatin1(arg)}, run.window);
        EXPECT_TRUE(choice.SkipSettingsSave);
        EXPECT_TRUE(run.opened.isEmpty()) << arg;
        EXPECT_EQ(run.loops, 1);
        EXPECT_EQ(StoredMru(), existing) << arg;
    }

    // Without it the most recent database opens and the one open at the end is stored.
    FakeRun run(QStringLiteral("/other.tvd"));
    RunProgram(run.data, true, {}, run.window);
    EXPECT_EQ(run.opened, QStringList{existing});
    EXPECT_EQ(StoredMru(), QStringLiteral("/other.tvd"));
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST(ProgramRun, AMissingMostRecentDatabaseIsNamedAndTheProgramGoesOn) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kProgramKey, true));
        reg.WriteString(QStringLiteral("MRUDatabase"), QStringLiteral("/gone/bookings.tvd"));
    }
    CreateVersionHistory();
    FakeRun run;
    RunProgram(run.data, true, {}, run.window);
    EXPECT_TRUE(run.opened.isEmpty());
    EXPECT_EQ(run.loops, 1);
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{QStringLiteral("Could not find most recent database /gone/bookings.tvd.")});
    // No database was open at the end.
    EXPECT_EQ(StoredMru(), QString());
}
