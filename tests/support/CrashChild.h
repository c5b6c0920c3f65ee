// Running one test of this program as a child process that a kill point may end, for crash tests.
#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace testing_env {

struct ChildResult {
    bool killed = false;  // ended by SIGKILL (a kill point was reached)
    int exitCode = -1;    // when not killed
};

// Runs this test program again with only the named test (disabled tests included, so a child test can be
// kept out of ordinary runs by its DISABLED_ prefix), with the extra environment, and waits for it.
ChildResult RunChildTest(const QString& testName, const QProcessEnvironment& extra);

}  // namespace testing_env
