// The main of every test program: a headless application with pinned style and font.
#include "support/TestEnvironment.h"

#include "platform/rtl/FormatSettings.h"
#include "platform/ui/QtApplication.h"

#include <QFont>
#include <QStyleFactory>
#include <gtest/gtest.h>

namespace testing_env {
void InstallPerTestReset();
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    ui::QtApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    rtl::UseUsEnglishFormatSettings();
    testing_env::InstallPerTestReset();
    return RUN_ALL_TESTS();
}
