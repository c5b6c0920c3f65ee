// Spawns this test program again with a gtest filter and reports how it ended.
#include "support/CrashChild.h"

#include <QCoreApplication>
#include <QProcess>

namespace testing_env {

ChildResult RunChildTest(const QString& testName, const QProcessEnvironment& extra) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The child runs just the one test, whichever share of this program's tests the parent runs.
    for (const char* name : {"GTEST_TOTAL_SHARDS", "GTEST_SHARD_INDEX", "GTEST_SHARD_STATUS_FILE"})
        environment.remove(QLatin1String(name));
    environment.insert(extra);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setStandardOutputFile(QProcess::nullDevice());
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=") + testName, QStringLiteral("--gtest_also_run_disabled_tests")});
    ChildResult result;
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        return result;
    }
    // QProcess tells a crash but not the signal; SIGKILL is the only way a kill point ends the child.
    result.killed = child.exitStatus() == QProcess::CrashExit;
    result.exitCode = child.exitCode();
    return result;
}

}  // namespace testing_env
