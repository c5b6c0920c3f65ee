// The booking search over a real database file: the criteria and filters, the results and their details,
// copying, printing and opening a booking through their hooks, and texts bound as parameters.
#include "FindFixture.h"

#include "booking/FindForm.h"
#include "booking/FindSearchDateForm.h"
#include "controls/edit/DateTimePicker.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Lists.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"
#include "util/core/DvLists.h"

#include <gtest/gtest.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

using find_test::At;
using find_test::kDay;

namespace {

class FindFormTest : public find_test::FindTest {
protected:
    std::vector<int> printed;
    QString documentName, device;
    std::vector<int> opened;

    void SetUp() override {
        Open([](TADOConnection& c) {
            booking_db::AddResource(c, 1, QStringLiteral("Room A"));
            booking_db::AddResource(c, 2, QStringLiteral("Van"));
            AddBooking(c, 20, 1, At(kDay, 8), At(kDay, 11), QStringLiteral("Smith"));
            AddBooking(c, 21, 1, At(kDay + 5, 9, 30), At(kDay + 5, 12), QStringLiteral("Goldsmith"));
            AddBooking(c, 22, 2, At(kDay, 13), At(kDay, 14), QStringLiteral("Smithers"));
            AddBooking(c, 23, 2, At(kDay + 1, 10, 30), At(kDay + 1, 11), QStringLiteral("Say \"hi\" Ltd"));
            AddBooking(c, 24, 2, At(kDay - 1, 7), At(kDay + 2, 7), QStringLiteral("Long stay"));
        });
    }

    std::unique_ptr<TFindForm> MakeForm() {
        TFindFormHooks hooks;
        hooks.RBFindListForm = [this](const TDvIntegerList& ids, const QString& name, const QString& deviceType) {
            for (int i = 0; i < ids.Count(); ++i) printed.push_back(ids.GetItem(i));
            documentName = name;
            device = deviceType;
        };
        hooks.BookingForm = [this](int id) { opened.push_back(id); };
        return std::make_unique<TFindForm>(nullptr, data, hooks);
    }

    static void Criterion(TFindForm& form, int row, const QString& field, const QString& text, const QString& match) {
        form.FieldComboBoxes[row]->SetItemIndex(form.FieldComboBoxes[row]->Items().IndexOf(field));
        form.FieldEdits[row]->SetText(text);
        form.MatchComboBoxes[row]->SetItemIndex(form.MatchComboBoxes[row]->Items().IndexOf(match));
    }

    // The clients of the results, in list order.
    static QStringList Clients(const TFindForm& form) {
        QStringList clients;
        for (int i = 0; i < form.BookingList->ItemCount(); ++i) clients << form.BookingList->Item(i).SubItem(2);
        return clients;
    }
};

TEST_F(FindFormTest, NoTextIsNoCriterionEvenWithADateFilter) {
    auto form = MakeForm();
    form->FindButton->Click();
    form->DatesCheckBox->SetChecked(true);
    form->FindButton->Click();
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>(2, QStringLiteral("You have not specified any search criteria.")));
    EXPECT_EQ(form->BookingList->ItemCount(), 0);
    EXPECT_TRUE(form->StatusBar->SimpleText().isEmpty());
}

TEST_F(FindFormTest, MatchAtTheBeginningAndAnywhereAndExactly) {
    auto form = MakeForm();
    EXPECT_FALSE(form->MatchComboBoxes[0]->Enabled());
    Criterion(*form, 0, QStringLiteral("Client"), QStringLiteral("Sm"), QStringLiteral("Match at beginning"));
    EXPECT_TRUE(form->MatchComboBoxes[0]->Enabled());
    form->FindButton->Click();
    EXPECT_EQ(Clients(*form), (QStringList{QStringLiteral("Smith"), QStringLiteral("Smithers")}));

    Criterion(*form, 0, QStringLiteral("Client"), QStringLiteral("sm"), QStringLiteral("Match anywhere"));
    form->SortComboBox->SetItemIndex(form->SortComboBox->Items().IndexOf(QStringLiteral("Client")));
    form->FindButton->Click();
    EXPECT_EQ(Clients(*form),
              (QStringList{QStringLiteral("Goldsmith"), QStringLiteral("Smith"), QStringLiteral("Smithers")}));
    EXPECT_EQ(form->StatusBar->SimpleText(), QStringLiteral("Found 3 records"));

    // A second criterion narrows: Smith's resource.
    Criterion(*form, 1, QStringLiteral("Resource"), QStringLiteral("van"), QStringLiteral("Exact match"));
    form->FindButton->Click();
    EXPECT_EQ(Clients(*form), QStringList{QStringLiteral("Smithers")});
}

TEST_F(FindFormTest, TheTimeFilterFindsBookingsThatCoverTheRangeOrStartOrEndInIt) {
    auto form = MakeForm();
    Criterion(*form, 0, QStringLiteral("Client"), QStringLiteral("smith"), QStringLiteral("Match anywhere"));
    form->FromTimePicker->SetTime(EncodeTime(9, 0, 0, 0));
    form->ToTimePicker->SetTime(EncodeTime(10, 0, 0, 0));
    EXPECT_TRUE(form->TimesCheckBox->Checked());
    form->FindButton->Click();
    // 8:00-11:00 covers the range and 9:30-12:00 starts in it, on another day; 13:00-14:00 is outside.
    EXPECT_EQ(Clients(*form), (QStringList{QStringLiteral("Smith"), QStringLiteral("Goldsmith")}));
    EXPECT_EQ(form->StatusBar->SimpleText(), QStringLiteral("Found 2 records"));
    EXPECT_EQ(form->BookingList->Item(0).Caption(), QStringLiteral("20"));
    EXPECT_EQ(form->BookingList->Item(0).SubItem(0), QStringLiteral("Mar 03 26"));
    EXPECT_EQ(form->BookingList->Item(0).SubItem(1), QStringLiteral("8:00 am"));
    EXPECT_EQ(form->BookingList->Item(0).SubItem(3), QStringLiteral("Room A"));
}

TEST_F(FindFormTest, TheDateFilterFindsABookingThatCoversTheRangeAndItsDetailShowsBothDates) {
    auto form = MakeForm();
    Criterion(*form, 0, QStringLiteral("Resource"), QStringLiteral("Van"), QStringLiteral("Exact match"));
    form->FromDatePicker->SetDate(kDay);
    form->ToDatePicker->SetDate(kDay);
    EXPECT_TRUE(form->DatesCheckBox->Checked());
    form->FindButton->Click();
    EXPECT_EQ(Clients(*form), (QStringList{QStringLiteral("Long stay"), QStringLiteral("Smithers")}));

    form->BookingList->Item(0).SetSelected(true);
    EXPECT_EQ(form->Memo->Text().split(u'\n').mid(0, 4),
              (QStringList{QStringLiteral("Client: Long stay"), QStringLiteral("Resource: Van"),
                           QStringLiteral("Date: Mar 2 2026 7:00 am to Mar 5 2026 7:00 am"),
                           QStringLiteral("Phone: 555 24")}));
    form->BookingList->Item(0).SetSelected(false);
    form->BookingList->Item(1).SetSelected(true);
    EXPECT_EQ(form->Memo->Text().split(u'\n').at(2), QStringLiteral("Date: Mar 3 2026 1:00 pm to 2:00 pm"));
}

TEST_F(FindFormTest, AClientWithDoubleQuotesIsFoundLiterallyAndCannotChangeTheStatement) {
    auto form = MakeForm();
    Criterion(*form, 0, QStringLiteral("Client"), QStringLiteral("Say \"hi\" Ltd"), QStringLiteral("Exact match"));
    form->FindButton->Click();
    EXPECT_EQ(Clients(*form), QStringList{QStringLiteral("Say \"hi\" Ltd")});

    Criterion(*form, 0, QStringLiteral("Client"), QStringLiteral("\""), QStringLiteral("Match anywhere"));
    form->FindButton->Click();
    EXPECT_EQ(Clients(*form), QStringList{QStringLiteral("Say \"hi\" Ltd")});

    // Text that would close the literal and add a condition of its own finds nothing rather than everything.
    Criterion(*form, 0, QStringLiteral("Client"), QStringLiteral("x\" or \"1\"=\"1"), QStringLiteral("Exact match"));
    form->FindButton->Click();
    EXPECT_EQ(form->BookingList->ItemCount(), 0);
    EXPECT_EQ(form->StatusBar->SimpleText(), QStringLiteral("Found 0 records"));
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST_F(FindFormTest, CtrlCCopiesTheSelectedRowsTabSeparated) {
    auto form = MakeForm();
    form->Show();
    Criterion(*form, 0, QStringLiteral("Client"), QStringLiteral("smith"), QStringLiteral("Match anywhere"));
    form->FindButton->Click();
    ASSERT_EQ(form->BookingList->ItemCount(), 3);
    form->BookingList->Item(0).SetSelected(true);
    form->BookingList->Item(2).SetSelected(true);
    // A column without width is left out.
    form->BookingList->Column(7).SetWidth(0);
    QGuiApplication::clipboard()->clear();
    form->BookingList->setFocus();
    QTest::keyClick(form->BookingList, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("20\tMar 03 26\t8:00 am\tSmith\tRoom A\tabout 20\t\r\n"
                             "21\tMar 08 26\t9:30 am\tGoldsmith\tRoom A\tabout 21\t\r\n"));
}

TEST_F(FindFormTest, PrintingAndOpeningGoThroughTheirHooks) {
    auto form = MakeForm();
    Criterion(*form, 0, QStringLiteral("Client"), QStringLiteral("smith"), QStringLiteral("Match anywhere"));
    form->FindButton->Click();
    form->BookingList->Item(1).SetSelected(true);
    form->PrintSelectedButton->Click();
    EXPECT_EQ(printed, std::vector<int>{22});
    EXPECT_EQ(device, QStringLiteral("Printer"));
    EXPECT_TRUE(documentName.startsWith(QStringLiteral("Tavorin Search Bookings")));
    printed.clear();
    form->PreviewCheckBox->SetChecked(true);
    form->PrintAllButton->Click();
    EXPECT_EQ(printed, (std::vector<int>{20, 22, 21}));
    EXPECT_EQ(device, QStringLiteral("Screen"));

    form->EditButton->Click();
    EXPECT_EQ(opened, std::vector<int>{22});
    // A booking gone since the search.
    data.ADOConnection.Execute(QStringLiteral("DELETE FROM Bookings WHERE BookingId = 22"));
    data.BookingsTable.Requery();
    form->EditButton->Click();
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{QStringLiteral("There is no selected booking id 22")});

    // Without hooks the commands are disabled.
    TFindForm bare(nullptr, data);
    EXPECT_FALSE(bare.EditButton->Enabled());
    EXPECT_FALSE(bare.PrintAllButton->Enabled());
}

TEST(FindWindowTexts, EveryTextIsWhole) {
    testing_env::AtEachTestFont([] {
        TData data;
        TFindForm form(nullptr, data);
        form.StatusBar->SetSimpleText(QStringLiteral("Found 1000 records"));
        testing_env::ExpectTextsWhole(form);
    });
}

}  // namespace

namespace {

TEST(SearchDateForm, StartsTodayAndEnterInThePickerCloses) {
    ui::ScopedScriptedRunner runner;
    TSearchDateForm form;
    EXPECT_EQ(DateOf(form.DatePicker->Date()), Date());
    runner->OnShown<TSearchDateForm>(QStringLiteral("SearchDateForm"), [](TSearchDateForm& shown) {
        shown.DatePicker->SetDate(kDay);
        QTest::keyClick(shown.DatePicker, Qt::Key_Return);
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(DateOf(form.DatePicker->Date()), kDay);
    testing_env::AtEachTestFont([] {
        TSearchDateForm other;
        testing_env::ExpectTextsWhole(other);
    });
}

}  // namespace
