// The user settings dialog through the main window's command: what it refuses, what it applies to the grids,
// menu and data module, and what it saves; the column size dialog and the rollover items.
#include "app/grids/BookingGrid.h"
#include "app/grids/MonthGrid.h"
#include "app/main/ColumnSizeForm.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramRun.h"
#include "app/main/UserSettingsCommands.h"
#include "app/main/UserSettingsForm.h"
#include "controls/edit/DateTimePicker.h"
#include "data/module/DataModule.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"
#include "util/DvMru.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>

namespace {

TDateTime ClockTime(int h, int m) { return EncodeTime(h, m, 0, 0); }

class UserSettingsTest : public ::testing::Test {
protected:
    ui::ScopedScriptedRunner runner;
    TData data;
    std::unique_ptr<TMainForm> form;

    UserSettingsTest() {
        CreateVersionHistory();
        Data = &data;
        form = std::make_unique<TMainForm>(data, TMainWindowServices{});
    }
    ~UserSettingsTest() override {
        form.reset();
        Data = nullptr;
    }

    // Runs the command with the action on its dialog.
    void Settings(std::function<void(TUserSettingsForm&)> action) {
        runner->OnShown<TUserSettingsForm>(QStringLiteral("UserSettingsForm"), std::move(action));
        UserPreferencesItemClick(*form, data);
    }

    // The preferences as the next start reads them.
    static TUserPreferences Stored() {
        TUserPreferences p;
        p.LoadUserPreferences(*VersionHistory, 900, 600);
        return p;
    }

    static bool HasStoredValue(const QString& name) {
        TDvRegistry reg;
        return VersionHistory->OpenReadKey(reg) && reg.ValueExists(name);
    }
};

TEST_F(UserSettingsTest, EmptyOrZeroNumbersAreRefusedAndTheDialogStaysOpenWithNothingApplied) {
    struct Case {
        TEdit* TUserSettingsForm::*edit;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {&TUserSettingsForm::DayGridMinIncrementEdit, "0", "Time Interval is invalid."},
        {&TUserSettingsForm::DayGridMinIncrementEdit, "", "Time Interval is invalid."},
        {&TUserSettingsForm::RefreshMinsEdit, "0", "Refresh minutes must be at least 1."},
        {&TUserSettingsForm::RefreshMinsEdit, "", "Refresh minutes must be at least 1."},
        {&TUserSettingsForm::DaysBeforeEdit, "", "Days Before and Days After must be whole numbers."},
        {&TUserSettingsForm::DaysAfterEdit, "99999999999", "Days Before and Days After must be whole numbers."},
    };
    std::vector<int> resultsAfterOk;
    Settings([&](TUserSettingsForm& dialog) {
        // Changes that would be applied on OK.
        dialog.AlwaysShowEndDateCheckBox->SetChecked(true);
        dialog.Day.Rollover->SetChecked(false);
        for (const Case& c : cases) {
            (dialog.*c.edit)->SetText(QString::fromLatin1(c.text));
            dialog.OkButton->Click();
            resultsAfterOk.push_back(dialog.ModalResult());
            (dialog.*c.edit)->SetText(QStringLiteral("7"));
        }
        dialog.CancelButton->Click();
    });
    EXPECT_EQ(resultsAfterOk, std::vector<int>(std::size(cases), mrNone));
    std::vector<QString> expected;
    for (const Case& c : cases) expected.push_back(QString::fromLatin1(c.message));
    EXPECT_EQ(testing_env::Messages().Texts(), expected);
    EXPECT_FALSE(data.AlwaysShowEndDate);
    EXPECT_TRUE(form->Preferences.ShowBookingDayRollover);
    EXPECT_TRUE(form->Item(QStringLiteral("DayGridRolloverItem"))->Checked());
    EXPECT_FALSE(HasStoredValue(QStringLiteral("DayViewMinIncrement")));
}

TEST_F(UserSettingsTest, ViewTimesAreNormalisedWhenTheDialogClosesAndReachTheGridAndTheRegistry) {
    Settings([](TUserSettingsForm& dialog) {
        EXPECT_EQ(dialog.DayGridMinIncrementEdit->Text(), QStringLiteral("30"));
        dialog.DayGridStartTimePicker->SetTime(ClockTime(10, 0));
        dialog.DayGridEndTimePicker->SetTime(ClockTime(9, 0));
        dialog.DayGridInitialTimePicker->SetTime(ClockTime(8, 0));
        dialog.DayGridMinIncrementEdit->SetText(QStringLiteral("1000"));
        // An empty week interval is not checked: it becomes 15.
        dialog.WeekGridMinIncrementEdit->SetText(QString());
        dialog.RefreshMinsEdit->SetText(QStringLiteral("12"));
        dialog.OkButton->Click();
    });
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
    const TUserPreferences& p = form->Preferences;
    EXPECT_EQ(p.DayViewStartTime, ClockTime(10, 0));
    EXPECT_EQ(p.DayViewEndTime, ClockTime(10, 30));
    EXPECT_EQ(p.DayViewInitialTime, ClockTime(10, 0));
    EXPECT_EQ(form->DayGrid->EndTime, ClockTime(10, 30));
    EXPECT_EQ(form->DayGrid->SlotMinutes, 1000);
    EXPECT_EQ(form->WeekGrid->SlotMinutes, 15);
    EXPECT_EQ(p.RefreshMins, 12);
    // Saved as given; the next start clamps the rows.
    const TUserPreferences stored = Stored();
    EXPECT_EQ(stored.DayViewEndTime, ClockTime(10, 30));
    EXPECT_EQ(stored.DayViewMinIncrement, 720);
    EXPECT_EQ(stored.WeekViewMinIncrement, 15);
    EXPECT_EQ(stored.RefreshMins, 12);
}

TEST_F(UserSettingsTest, RolloverChecksFollowTheirOwnGridsBoxesAndColours) {
    Settings([](TUserSettingsForm& dialog) {
        EXPECT_TRUE(dialog.Week.Rollover->Checked());
        dialog.Week.Rollover->SetChecked(false);
        dialog.MultiDay.RolloverColor->SetColor(clRed);
        dialog.OkButton->Click();
    });
    EXPECT_TRUE(form->Item(QStringLiteral("DayGridRolloverItem"))->Checked());
    EXPECT_TRUE(form->Item(QStringLiteral("MultiDayGridRolloverItem"))->Checked());
    EXPECT_FALSE(form->Item(QStringLiteral("WeekGridRolloverItem"))->Checked());
    EXPECT_TRUE(form->Item(QStringLiteral("MonthGridRolloverItem"))->Checked());
    EXPECT_FALSE(form->WeekGrid->ShowRollover);
    EXPECT_EQ(form->MultiDayGrid->RolloverColor, clRed);
    EXPECT_EQ(form->DayGrid->RolloverColor, kRolloverHintColor);
    EXPECT_FALSE(Stored().ShowBookingWeekRollover);

    // The menu item toggles its grid alone and saves at once.
    form->Item(QStringLiteral("DayGridRolloverItem"))->Click();
    EXPECT_FALSE(form->Item(QStringLiteral("DayGridRolloverItem"))->Checked());
    EXPECT_FALSE(form->DayGrid->ShowRollover);
    EXPECT_TRUE(form->MultiDayGrid->ShowRollover);
    EXPECT_FALSE(Stored().ShowBookingDayRollover);
}

TEST_F(UserSettingsTest, CancelAppliesNothingAndAReadOnlyUserSeesNoMailTabs) {
    form->DvMru->AddFile(QStringLiteral("/data/a.tvd"));
    Settings([](TUserSettingsForm& dialog) {
        EXPECT_TRUE(dialog.MailTabSheet->TabVisible());
        dialog.ClearMRUButton->Click();
        dialog.DisplayAs24HourCheckBox->SetChecked(true);
        dialog.CancelButton->Click();
    });
    EXPECT_EQ(form->DvMru->Count(), 1);
    EXPECT_FALSE(data.DisplayAs24Hour);

    data.ReadOnlyAccess = true;
    Settings([](TUserSettingsForm& dialog) {
        EXPECT_FALSE(dialog.MailTabSheet->TabVisible());
        EXPECT_FALSE(dialog.MailMessagesTabSheet->TabVisible());
        dialog.ClearMRUButton->Click();
        dialog.OkButton->Click();
    });
    EXPECT_EQ(form->DvMru->Count(), 0);
}

TEST_F(UserSettingsTest, TheColumnSizeDialogRefusesABlankWidthAndSetsTheActiveGrid) {
    std::vector<int> results;
    runner->OnShown<TColumnSizeForm>(QStringLiteral("ColumnSizeForm"), [&](TColumnSizeForm& dialog) {
        EXPECT_TRUE(dialog.AutoSize->Checked());
        EXPECT_EQ(dialog.SpecifiedEdit->Text(), QStringLiteral("100"));
        dialog.Specified->SetChecked(true);
        dialog.SpecifiedEdit->SetText(QString());
        dialog.OkButton->Click();
        results.push_back(dialog.ModalResult());
        dialog.SpecifiedEdit->SetText(QStringLiteral("150"));
        dialog.OkButton->Click();
    });
    ColumnSizeItemClick(*form);
    EXPECT_EQ(results, std::vector<int>{mrNone});
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{QStringLiteral("The size of the column can not be blank")});
    EXPECT_FALSE(form->DayGrid->AutoColumnSize);
    EXPECT_EQ(form->DayGrid->ColumnSize, 150);
    EXPECT_EQ(Stored().DayColumnSize, 150);
    EXPECT_FALSE(Stored().AutoDayColumnSize);
}

TEST(UserSettingsMail, TheTestMessageFollowsTheMailChoiceAndTheAddresses) {
    TUserSettingsForm dialog(nullptr, false);
    TUserSettings settings;
    settings.UseMAPI = false;
    settings.EMailSettings.Host = QStringLiteral("mail.example.org");
    settings.EMailSettings.SenderName = QStringLiteral("Ann Example");
    settings.EMailSettings.SenderAddress = QStringLiteral("ann@example.org");
    dialog.Fill(TUserPreferences(), settings);
    std::vector<QString> sent;
    dialog.OnSendTestMessage = [&sent](bool mapi, const TEMailSettings& copy) {
        sent.push_back(QStringLiteral("%1 %2 %3").arg(mapi).arg(copy.Host, copy.ReplyTo));
    };
    dialog.Show();
    dialog.PageControl->SetActivePage(dialog.MailMessagesTabSheet);
    EXPECT_EQ(dialog.SendButton->Caption(), QStringLiteral("Send Test Message To: Ann Example <ann@example.org>"));
    EXPECT_EQ(dialog.BCCSenderCheckBox->Caption(), QStringLiteral("BCC   ann@example.org"));
    EXPECT_TRUE(dialog.SendButton->Enabled());
    dialog.ReplyToEdit->SetText(QStringLiteral(" desk@example.org "));
    dialog.PrepareTestMessage();
    EXPECT_EQ(dialog.SendButton->Caption(), QStringLiteral("Send Test Message To: desk@example.org"));
    dialog.SendButton->Click();
    EXPECT_EQ(sent, std::vector<QString>{QStringLiteral("0 mail.example.org  desk@example.org ")});

    dialog.SMTPHostEdit->SetText(QStringLiteral("  "));
    dialog.PrepareTestMessage();
    EXPECT_FALSE(dialog.SendButton->Enabled());
    EXPECT_EQ(dialog.SendTestMemo->Text(),
              QStringLiteral("To send a test message you must first enter a SMTP host and sender email address."));

    // The system's mail program, with none set.
    dialog.UseMAPIEmailRadioButton->SetChecked(true);
    EXPECT_FALSE(dialog.IdentityTabSheet->Enabled());
    dialog.PrepareTestMessage();
    EXPECT_EQ(
        dialog.SendButton->Caption(),
        QStringLiteral("Send test email using default mapi mail program (No Default Mail Client) desk@example.org "));
}

TEST(UserSettingsTexts, EveryTabAndTheTestMessageTextsAreWhole) {
    testing_env::AtEachTestFont([] {
        TUserSettingsForm dialog(nullptr, false);
        TUserPreferences preferences;
        TUserSettings settings;
        settings.UseMAPI = false;
        settings.EMailSettings.Host = QStringLiteral("mail.example.org");
        settings.EMailSettings.SenderName = QStringLiteral("Ann Example");
        settings.EMailSettings.SenderAddress = QStringLiteral("ann@example.org");
        dialog.Fill(preferences, settings);
        dialog.Show();
        for (int i = 0; i < dialog.PageControl->PageCount(); ++i) {
            dialog.PageControl->SetActivePageIndex(i);
            testing_env::ExpectTextsWhole(dialog);
        }
        dialog.UseMAPIEmailRadioButton->SetChecked(true);
        dialog.PrepareTestMessage();
        testing_env::ExpectTextsWhole(dialog);
        TColumnSizeForm columnSize;
        testing_env::ExpectTextsWhole(columnSize);
    });
}

}  // namespace
