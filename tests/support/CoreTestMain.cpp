// The main of the test programs without windows: a core application, so that nothing links Qt Widgets.
#include "support/TestEnvironment.h"

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/ScreenService.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    rtl::UseUsEnglishFormatSettings();
    testing_env::InstallPerTestReset([] { rtl::SetScreenService(nullptr); });
    return RUN_ALL_TESTS();
}
