// What every test program shares: the scripted message service and the test's private folders.
#pragma once

#include "platform/rtl/Messages.h"

#include <QString>
#include <functional>
#include <ostream>

namespace testing_env {

// The scripted message service installed for every test; cleared before each test.
rtl::ScriptedMessageService& Messages();

// A folder of this test program's own, emptied before each test (the registry store lives below it).
QString TempDir();

// Called by a test program's main: before each test the shared state above is reset and then
// resetWindowServices runs.
void InstallPerTestReset(std::function<void()> resetWindowServices);

}  // namespace testing_env

// Readable QString values in failure messages (GoogleTest finds these by argument-dependent lookup).
QT_BEGIN_NAMESPACE
void PrintTo(const QString& value, std::ostream* os);
QT_END_NAMESPACE
