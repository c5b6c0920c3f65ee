// The main of the test programs with windows: a headless application with pinned style and font.
#include "support/TestEnvironment.h"

#include "platform/rtl/FormatSettings.h"
#include "platform/ui/Application.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/QtApplication.h"
#include "platform/ui/QtScreenService.h"
#include "platform/ui/TimerService.h"

#include <gtest/gtest.h>
#include <QFont>
#include <QStyleFactory>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    ui::QtApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    rtl::UseUsEnglishFormatSettings();
    testing_env::InstallPerTestReset([] {
        rtl::SetScreenService(std::make_shared<ui::QtScreenService>());
        ui::SetModalRunner(nullptr);
        ui::SetTimerService(nullptr);
        Application->OnException = nullptr;
    });
    return RUN_ALL_TESTS();
}
