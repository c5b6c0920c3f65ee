// Every text of the utility windows is whole, at the pinned font and at a larger desktop font.
#include "platform/ui/Label.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"
#include "util/DvCheckUpdates.h"
#include "util/DvLog.h"
#include "util/Updates.h"

#include <gtest/gtest.h>

using testing_env::AtEachTestFont;
using testing_env::ExpectTextsWhole;

TEST(UtilWindowTexts, UpdatesWindowWithEitherLastCheckText) {
    AtEachTestFont([] {
        TDvCheckUpdates checker;
        TUpdatesForm form(nullptr, &checker);
        for (const QString& text : {QStringLiteral("No checks done"), QStringLiteral("Last check Sep 30 2026")}) {
            form.LastCheckLabel->SetCaption(text);
            ExpectTextsWhole(form);
        }
    });
}

TEST(UtilWindowTexts, BothLogDialogsAsShown) {
    AtEachTestFont([] {
        ui::ScopedScriptedRunner runner;
        for (int round = 0; round < 2; ++round) {
            runner->OnShown(QStringLiteral("LogDialog"), [](QWidget& form) {
                ExpectTextsWhole(form);
                EXPECT_FALSE(form.windowTitle().isEmpty());
            });
        }
        TDvLogSystemInfoDialog systemInfo;
        systemInfo.Execute();
        TDvLogExceptionDialog exceptionLog;
        exceptionLog.Execute(QStringLiteral("Exception Log"), std::runtime_error("disk full"),
                             QStringLiteral("Tavorin"));
    });
}
