// Every text of the administration wizards' pages is whole, at the pinned font and at a larger desktop font.
#include "admin/AddResourcePages.h"
#include "admin/ListSelectionForm.h"
#include "admin/NewDatabasePages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>

using testing_env::AtEachTestFont;
using testing_env::ExpectTextsWhole;

TEST(AdminWindowTexts, NewDatabaseWizardPages) {
    AtEachTestFont([] {
        TNewNameWizardForm name;
        name.Reset();
        ExpectTextsWhole(name);
        name.PasswordRadioButton->SetChecked(true);
        ExpectTextsWhole(name);
        TNewPasswordWizardForm password;
        ExpectTextsWhole(password);
        TNewSecurityWizardForm security;
        ExpectTextsWhole(security);
        TNewUserAccessWizardForm access;
        ExpectTextsWhole(access);
    });
}

TEST(AdminWindowTexts, AddResourceWizardPages) {
    AtEachTestFont([] {
        TAddResourceWizardForm name;
        ExpectTextsWhole(name);
        TAddResourceFeaturesWizardForm features;
        features.FeaturesCheckList->Items().Add(QStringLiteral("Data projector with remote control"));
        ExpectTextsWhole(features);
        TAddResourceGroupsWizardForm groups;
        ExpectTextsWhole(groups);
        TAddResourceCompletedWizardForm completed;
        ExpectTextsWhole(completed);
    });
}

TEST(AdminWindowTexts, ListSelectionWithTheLongestLabels) {
    AtEachTestFont([] {
        TListSelectionForm dialog;
        ExpectTextsWhole(dialog);
        dialog.SrcLabel->SetCaption(QStringLiteral("Available Resources:"));
        dialog.DstLabel->SetCaption(QStringLiteral("Selected Resources:"));
        ExpectTextsWhole(dialog);
    });
}
