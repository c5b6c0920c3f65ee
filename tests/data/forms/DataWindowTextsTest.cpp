// Every text of the data layer's windows is whole, at the pinned font and at a larger desktop font.
#include "data/forms/PasswordForms.h"
#include "data/forms/UpgradeConfirmForm.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>

using testing_env::AtEachTestFont;
using testing_env::ExpectTextsWhole;

TEST(DataWindowTexts, PasswordDialogsSizedToTheirMessages) {
    AtEachTestFont([] {
        TPasswordForm prompt;
        prompt.SetMessage(QStringLiteral("Please enter SMTP password for userid \"front.desk@example.org\""));
        ExpectTextsWhole(prompt);

        TDatabasePasswordForm database;
        database.InfoMemo->SetText(
            QStringLiteral("The database\n\n/srv/bookings/club.tvd\n\n"
                           "is password protected. Please enter the password."));
        database.FitMessage();
        ExpectTextsWhole(database);
    });
}

TEST(DataWindowTexts, UpgradeConfirmation) {
    AtEachTestFont([] {
        TUpgradeConfirmForm form(nullptr, [] { return true; });
        ExpectTextsWhole(form);
    });
}
