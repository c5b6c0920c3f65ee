// What every test program shares: the scripted message service and the test's private folders.
#pragma once

#include "platform/rtl/Messages.h"

#include <QString>

namespace testing_env {

// The scripted message service installed for every test; cleared before each test.
rtl::ScriptedMessageService& Messages();

// A folder of this test program's own, emptied before each test (the registry store lives below it).
QString TempDir();

}  // namespace testing_env
