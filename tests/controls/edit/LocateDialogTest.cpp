// The locate dialog over a real database file: its message on a closed dataset, First and Next with and
// without closing on a match, what it remembers, its field list, and its texts at both test fonts.
#include "LocateFixture.h"
#include "controls/edit/WwLocateDlg.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Lists.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>

namespace {

using locate_test::LocateFixture;

class LocateDialog : public LocateFixture {
protected:
    void SetUp() override {
        LocateFixture::SetUp();
        dialog.SetDataSource(&source);
    }

    // Answers the window shown by Execute with the action.
    void WhenShown(std::function<void(TwwLocateDlg&)> action) {
        runner_->OnShown<TwwLocateDlg>(QStringLiteral("wwLocateDlg"), std::move(action));
    }

    static void Choose(TwwLocateDlg& window, const QString& label) {
        window.FieldNameComboBox->SetItemIndex(window.FieldNameComboBox->Items().IndexOf(label));
    }
    // As the user picks it from the list.
    static void Pick(TwwLocateDlg& window, const QString& label) {
        Choose(window, label);
        Q_EMIT window.FieldNameComboBox->activated(window.FieldNameComboBox->ItemIndex());
    }

    TwwLocateDialog dialog;
    ui::ScopedScriptedRunner runner_;
};

TEST_F(LocateDialog, OnAClosedDataSetItShowsItsMessageAndAnswersTrue) {
    table.Close();
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"DataSource does not reference an active DataSet"});
    EXPECT_EQ(testing_env::Messages().Requests()[0].type, mtError);
    EXPECT_TRUE(runner_->Runs().empty());
    TwwLocateDialog unbound;
    EXPECT_TRUE(unbound.Execute());
    EXPECT_EQ(testing_env::Messages().Texts().size(), 2u);
}

TEST_F(LocateDialog, FirstClosesOnAMatchAndTheChoicesAreRemembered) {
    WhenShown([&](TwwLocateDlg& window) {
        EXPECT_EQ(window.Caption(), "Locate Field Value");
        EXPECT_EQ(window.CloseButton->Caption(), "Cancel");
        EXPECT_TRUE(window.PartialMatchStartBtn->Checked());
        Choose(window, "ResourceName");
        window.SearchValue->SetText("VAN");
        window.ExactMatchBtn->SetChecked(true);
        window.FirstButton->click();
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(Name(), "Van");
    EXPECT_EQ(dialog.SearchField, "ResourceName");
    EXPECT_EQ(dialog.MatchType, mtExactMatch);
    EXPECT_FALSE(dialog.CaseSensitive);
    EXPECT_TRUE(testing_env::Messages().Requests().empty());

    // The next showing starts from them; a case-sensitive search for the same text finds nothing.
    WhenShown([&](TwwLocateDlg& window) {
        EXPECT_EQ(window.SearchValue->Text(), "VAN");
        EXPECT_EQ(window.FieldNameComboBox->Text(), "ResourceName");
        EXPECT_TRUE(window.ExactMatchBtn->Checked());
        window.CaseSensitiveCheckBox->SetChecked(true);
        window.FirstButton->click();
        EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"No matches found"});
        window.CloseButton->click();
    });
    table.First();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(Name(), "Room A");
    EXPECT_TRUE(dialog.CaseSensitive);
}

TEST_F(LocateDialog, WithoutCloseOnMatchNextStepsThroughTheMatchesUntilNoMoreAreFound) {
    dialog.Options = {};
    dialog.MatchType = mtPartialMatchAny;
    std::vector<QString> found;
    WhenShown([&](TwwLocateDlg& window) {
        EXPECT_EQ(window.CloseButton->Caption(), "Close");
        Choose(window, "ResourceName");
        window.SearchValue->SetText("room");
        window.FirstButton->click();
        found.push_back(Name());
        window.NextButton->click();
        found.push_back(Name());
        window.NextButton->click();
        found.push_back(Name());
        window.NextButton->click();
        EXPECT_EQ(Name(), "Boardroom");
        EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"No more matches found"});
        window.CloseButton->click();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(found, (std::vector<QString>{"Room A", "room b", "Boardroom"}));
}

TEST_F(LocateDialog, NoFieldChosenSearchesNothing) {
    WhenShown([&](TwwLocateDlg& window) {
        window.SearchValue->SetText("Van");
        window.FirstButton->click();
        window.CloseButton->click();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"No matches found"});
    EXPECT_EQ(Name(), "Room A");
    EXPECT_EQ(dialog.SearchField, "");
}

TEST_F(LocateDialog, TheFieldListOffersLabelsSortedOrInOrderAndOnlyVisibleFieldsWhenAsked) {
    table.FieldByName("ResourceName").SetDisplayLabel("Resource~Name");
    table.FieldByName("Notes").SetVisible(false);
    dialog.FieldSelection = fsVisibleFields;
    dialog.SearchField = "Notes";
    std::vector<QString> sorted;
    WhenShown([&](TwwLocateDlg& window) {
        const TStrings& items = window.FieldNameComboBox->Items();
        for (int i = 0; i < items.Count(); ++i) sorted.push_back(items[i]);
        // The hidden field chosen last is not offered; the value typed last stays.
        EXPECT_EQ(window.FieldNameComboBox->ItemIndex(), -1);
        Choose(window, "Resource Name");
        window.CloseButton->click();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(sorted, (std::vector<QString>{"Active", "Rate", "Resource Name", "ResourceId", "Shared"}));
    EXPECT_EQ(dialog.SearchField, "ResourceName");

    dialog.SortFields = fsSortByFieldNo;
    dialog.FieldSelection = fsAllFields;
    std::vector<QString> ordered;
    WhenShown([&](TwwLocateDlg& window) {
        const TStrings& items = window.FieldNameComboBox->Items();
        for (int i = 0; i < items.Count(); ++i) ordered.push_back(items[i]);
        EXPECT_EQ(window.FieldNameComboBox->Text(), "Resource Name");
        window.CloseButton->click();
    });
    dialog.Execute();
    EXPECT_EQ(ordered, (std::vector<QString>{"ResourceId", "Resource Name", "Rate", "Notes", "Shared", "Active"}));
}

TEST_F(LocateDialog, PickingAFieldEmptiesTheValueUnlessItIsPreservedAndTellsTheHandler) {
    std::vector<QString> picked;
    dialog.OnSelectField = [&](TwwLocateDlg&, const QString& label) { picked.push_back(label); };
    for (const bool preserve : {false, true}) {
        dialog.Options = preserve ? TwwLocateDlgOptions{ldoPreserveSearchText} : TwwLocateDlgOptions{};
        WhenShown([&](TwwLocateDlg& window) {
            window.SearchValue->SetText("2.5");
            Pick(window, "Rate");
            EXPECT_EQ(window.SearchValue->Text(), preserve ? "2.5" : "");
            window.CloseButton->click();
        });
        dialog.Execute();
    }
    EXPECT_EQ(picked, (std::vector<QString>{"Rate", "Rate"}));
}

TEST_F(LocateDialog, TextsAreWholeAtBothTestFonts) {
    testing_env::AtEachTestFont([&] {
        for (const TwwLocateDlgOptions options : {TwwLocateDlgOptions{ldoCloseOnMatch}, TwwLocateDlgOptions{},
                                                  TwwLocateDlgOptions{ldoCaseSensitiveBelow}}) {
            dialog.Options = options;
            bool initialised = false;
            dialog.OnInitDialog = [&](TwwLocateDlg&) { initialised = true; };
            WhenShown([&](TwwLocateDlg& window) {
                Choose(window, "ResourceName");
                testing_env::ExpectTextsWhole(window);
                window.CloseButton->click();
            });
            dialog.Execute();
            EXPECT_TRUE(initialised);
        }
    });
}

}  // namespace
