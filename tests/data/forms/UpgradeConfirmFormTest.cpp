// The upgrade confirmation window: its texts, and Upgrade closing it only when the administrator check grants it.
#include "data/forms/UpgradeConfirmForm.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ModalRunner.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

TEST(UpgradeConfirmForm, UpgradeClosesTheWindowOnlyWhenTheAdministratorCheckGrantsIt) {
    ui::ScopedScriptedRunner runner;
    bool granted = false;
    TUpgradeConfirmForm form(nullptr, [&] { return granted; });
    EXPECT_EQ(form.Caption(), "Upgrade Confirmation");
    EXPECT_EQ(form.UpgradeButton->Caption(), "Upgrade");
    EXPECT_EQ(form.CancelButton->Caption(), "Cancel");
    int stillOpen = -1;
    runner->OnShown("UpgradeConfirmForm", [&](QWidget&) {
        form.UpgradeButton->Click();
        QCoreApplication::processEvents();
        stillOpen = form.isVisible() ? 1 : 0;
        granted = true;
        form.UpgradeButton->Click();
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(stillOpen, 1);

    runner->OnShown("UpgradeConfirmForm", [&](QWidget&) { form.CancelButton->Click(); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
}
