// The "Updates" window: shows the settings, checks at once against a loopback server, stores on Ok only.
#include "util/Updates.h"

#include "LoopbackHttpServer.h"
#include "platform/rtl/Clock.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Label.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"
#include "util/DvCheckUpdates.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>

namespace {

class UpdatesWindow : public ::testing::Test {
protected:
    void SetUp() override {
        rtl::SetClock(std::make_shared<rtl::FakeClock>(EncodeDate(2026, 3, 14) + 0.5));
        CreateVersionHistory();
        checker_.Key = QStringLiteral("Updates");
        checker_.CheckPrefix = QStringLiteral("tavorin7verinfo");
        checker_.URL = server_.Url();
        checker_.ConnectionTest = [](bool) { return true; };
    }

    // What a second checker reads back from the registry.
    std::unique_ptr<TDvCheckUpdates> Stored() {
        auto stored = std::make_unique<TDvCheckUpdates>();
        stored->Key = QStringLiteral("Updates");
        EXPECT_TRUE(stored->LoadSettings());
        return stored;
    }

    testing_env::LoopbackHttpServer server_;
    TDvCheckUpdates checker_;
    ui::ScopedScriptedRunner runner_;
};

}  // namespace

TEST_F(UpdatesWindow, CheckNowReportsTheOutcomeAndOkStoresTheSettings) {
    checker_.CheckInterval = 14;
    checker_.SaveSettings();
    server_.Respond(200, "tavorin7verinfo:7.0.0.1:available\n");
    TUpdatesForm form(nullptr, &checker_);
    EXPECT_EQ(form.Caption(), QStringLiteral("Updates"));
    runner_->OnShown<TUpdatesForm>(QStringLiteral("UpdatesForm"), [&](TUpdatesForm& f) {
        EXPECT_TRUE(f.CheckBox->Checked());
        EXPECT_EQ(f.IntervalEdit->Text(), QStringLiteral("14"));
        EXPECT_EQ(f.LastCheckLabel->Caption(), QStringLiteral("No checks done"));
        f.CheckNowButton->click();
        EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"No updates were found."});
        EXPECT_EQ(f.LastCheckLabel->Caption(), QStringLiteral("Last check Mar 14 2026"));
        f.CheckBox->SetChecked(false);
        f.IntervalEdit->SetText(QStringLiteral("-5"));
        f.OkButton->click();
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    const auto stored = Stored();
    EXPECT_FALSE(stored->CheckEnabled);
    EXPECT_EQ(stored->CheckInterval, 0);
    EXPECT_EQ(stored->CheckLastDate, EncodeDate(2026, 3, 14));
}

TEST_F(UpdatesWindow, CancelStoresNothingAndTextThatIsNoNumberKeepsTheInterval) {
    checker_.SaveSettings();
    TUpdatesForm form(nullptr, &checker_);
    runner_->OnShown<TUpdatesForm>(QStringLiteral("UpdatesForm"), [&](TUpdatesForm& f) {
        f.CheckBox->SetChecked(false);
        f.CancelButton->click();
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_TRUE(Stored()->CheckEnabled);

    runner_->OnShown<TUpdatesForm>(QStringLiteral("UpdatesForm"), [&](TUpdatesForm& f) {
        f.IntervalEdit->SetText(QStringLiteral("weekly"));
        f.OkButton->click();
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(Stored()->CheckInterval, 30);
}
