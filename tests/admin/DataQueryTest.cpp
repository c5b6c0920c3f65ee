// The SQL query tool over a real file: the read-only window refuses writes, the full one reports rows, Jet
// SQL selects, saved queries with quotes kept, the overwrite question, the result's export and the commands'
// states.
#include "AdminFixture.h"

#include "admin/DataQuery.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/module/LookupQueries.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Lists.h"
#include "platform/ui/Menus.h"
#include "support/TextFit.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>

using namespace admin_test;

namespace {

const QString kNotPermitted = QStringLiteral("Queries which modify the database are not permitted.");
const QString kSmithQuery =
    QStringLiteral("SELECT * FROM [Bookings] WHERE Client = \"Smith\" AND BookingStart >= #1/2/2024#");

class DataQuery : public AdminTest {
protected:
    QString path = data_test::DbPath(QStringLiteral("query.tvd"));

    void SetUp() override {
        CreateVersionHistory();
        ASSERT_TRUE(TData().CreateDatabase(path, false));
        ASSERT_TRUE(data.ConnectDatabase(path, {}));
        data.ADOConnection.Execute(
            QStringLiteral("insert into Resources (ResourceName, MaxBookDays) values ('Room', 0)"));
        const std::pair<const char*, TDateTime> bookings[] = {{"Smith", EncodeDate(2024, 1, 1)},
                                                              {"Smith", EncodeDate(2024, 1, 2)},
                                                              {"Smith", EncodeDate(2024, 6, 1)},
                                                              {"Jones", EncodeDate(2024, 6, 1)}};
        int id = 0;
        for (const auto& [client, start] : bookings)
            data::ExecuteWith(data.ADOConnection,
                              QStringLiteral("insert into Bookings (BookingId, ResourceId, BookingStart, BookingEnd, "
                                             "Client, Notes, Trans) values (:i, 1, :s, :s, :c, :n, 0)"),
                              {{QStringLiteral("i"), ++id},
                               {QStringLiteral("s"), start},
                               {QStringLiteral("c"), QString::fromLatin1(client)},
                               {QStringLiteral("n"), QStringLiteral("a, b\nc")}});
    }

    void Run(bool readOnly, const std::function<void(TDataQueryForm&)>& action) {
        runner->OnShown<TDataQueryForm>(QStringLiteral("DataQueryForm"), [action](TDataQueryForm& form) {
            action(form);
            form.CloseButton->Click();
        });
        TDataQueryForm form(data);
        form.ReadOnly = readOnly;
        form.ShowModal();
    }

    static void Execute(TDataQueryForm& form, const QString& text) {
        form.SQLMemo->SetText(text);
        form.ExecuteQueryButton->Click();
    }

    int Bookings() { return data::CountRows(data.ADOConnection, QStringLiteral("select * from Bookings")); }
};

TEST_F(DataQuery, TheReadOnlyWindowRefusesWritesAndShowsOtherFailuresAsThemselves) {
    Run(true, [&](TDataQueryForm& form) {
        EXPECT_EQ(form.Caption(), QStringLiteral("SQL Query (Read-Only)"));
        EXPECT_FALSE(form.ExecuteQueryButton->Enabled());
        EXPECT_FALSE(form.ExportButton->Enabled());
        EXPECT_FALSE(form.ExportItem->Enabled());
        Execute(form, QStringLiteral("delete from Bookings"));
        Execute(form, QStringLiteral("select * from [Nowhere]"));
        Execute(form, QStringLiteral("   \n"));
        EXPECT_FALSE(form.ExportButton->Enabled()) << "no query ran";
    });
    const std::vector<QString> shown = Shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], kNotPermitted);
    EXPECT_NE(shown[1], kNotPermitted);
    EXPECT_FALSE(shown[1].isEmpty());
    EXPECT_EQ(shown[2], QStringLiteral("No query was specified"));
    EXPECT_EQ(Bookings(), 4);
}

TEST_F(DataQuery, TheFullWindowReportsTheRowsAStatementChanged) {
    Run(false, [&](TDataQueryForm& form) {
        EXPECT_EQ(form.Caption(), QStringLiteral("SQL Query"));
        Execute(form, kSmithQuery);
        Execute(form, QStringLiteral("delete from Bookings where Client = \"Jones\""));
        EXPECT_FALSE(form.ExportButton->Enabled()) << "a command leaves no result";
    });
    EXPECT_EQ(Shown(), std::vector<QString>{QStringLiteral("1 rows affected")});
    EXPECT_EQ(Bookings(), 3);
}

TEST_F(DataQuery, AJetSelectFillsTheResultAndEnablesItsCommandsButThePrintoutsWithoutReports) {
    Run(true, [&](TDataQueryForm& form) {
        Execute(form, kSmithQuery);
        EXPECT_EQ(form.ResultsGroupBox->Caption(), QStringLiteral("Results 2 records"));
        EXPECT_EQ(form.Query.RecordCount(), 2);
        EXPECT_TRUE(form.ExportButton->Enabled());
        EXPECT_TRUE(form.ExportItem->Enabled());
        EXPECT_TRUE(form.ResultsDBGrid->Enabled());
        for (TButton* button : {form.PrintButton, form.PreviewButton, form.PageSetupButton})
            EXPECT_FALSE(button->Enabled());
        for (TMenuItem* item : {form.PrintItem, form.PreviewItem, form.PageSetupItem}) EXPECT_FALSE(item->Enabled());
        // A text that starts with a line break is run as a command; in the read-only window that is refused.
        Execute(form, QStringLiteral("\nselect * from Bookings"));
    });
    EXPECT_EQ(Shown().size(), 1u);
}

TEST_F(DataQuery, SavedQueriesKeepTheirQuotesAndOverwritingAsksFirst) {
    const QString text = QStringLiteral("select * from Bookings where Client = \"Smith\" or Client = 'O''Neil'");
    Run(true, [&](TDataQueryForm& form) {
        form.SQLMemo->SetText(text);
        testing_env::Messages().QueueAnswer(mrOk, QStringLiteral("Smith's \"list\""));
        form.SaveQueryButton->Click();
        ASSERT_EQ(form.QueryNameListBox->Count(), 1);
        // The same name again: Cancel keeps the stored text.
        form.SQLMemo->SetText(QStringLiteral("select 1"));
        testing_env::Messages().QueueAnswer(mrOk, QStringLiteral("Smith's \"list\""));
        testing_env::Messages().QueueAnswer(mrCancel);
        form.SaveQueryButton->Click();
    });
    EXPECT_EQ(Shown().back(), QStringLiteral("Query names already exists. Overwrite?"));
    Run(true, [&](TDataQueryForm& form) {
        ASSERT_EQ(form.QueryNameListBox->Count(), 1);
        EXPECT_EQ(form.QueryNameListBox->Items()[0], QStringLiteral("Smith's \"list\""));
        EXPECT_TRUE(form.SQLMemo->Text().isEmpty());
        EXPECT_FALSE(form.DeleteButton->Enabled());
        form.QueryNameListBox->SetItemIndex(0);
        form.QueryNameListBox->OnClick(form.QueryNameListBox);
        EXPECT_EQ(form.SQLMemo->Text(), text);
        EXPECT_TRUE(form.DeleteButton->Enabled());
    });
}

TEST_F(DataQuery, DeletingSelectsTheNewLastOrEmptiesTheText) {
    Run(false, [&](TDataQueryForm& form) {
        for (const char* name : {"A", "B"}) {
            form.SQLMemo->SetText(QStringLiteral("select %1").arg(QLatin1String(name)));
            testing_env::Messages().QueueAnswer(mrOk, QString::fromLatin1(name));
            form.SaveQueryButton->Click();
        }
        testing_env::Messages().Clear();
        form.QueryNameListBox->SetItemIndex(1);
        form.DeleteButton->Click();
        EXPECT_EQ(form.QueryNameListBox->ItemIndex(), 0);
        EXPECT_EQ(form.SQLMemo->Text(), QStringLiteral("select A"));
        form.DeleteButton->Click();
        EXPECT_EQ(form.QueryNameListBox->Count(), 0);
        EXPECT_TRUE(form.SQLMemo->Text().isEmpty());
        EXPECT_FALSE(form.DeleteButton->Enabled());
    });
    EXPECT_EQ(Shown(), (std::vector<QString>{QStringLiteral("Delete B"), QStringLiteral("Delete A")}));
}

TEST_F(DataQuery, AFileOpenedForReadingWithoutTheQueriesTableOpensWithNoSavedQueries) {
    data.ADOConnection.Close();
    data.ADOConnection.ConnectionString += QStringLiteral(";Mode=Read");
    data.ADOConnection.Open();
    Run(true, [&](TDataQueryForm& form) {
        EXPECT_EQ(form.QueryNameListBox->Count(), 0);
        Execute(form, kSmithQuery);
        EXPECT_EQ(form.ResultsGroupBox->Caption(), QStringLiteral("Results 2 records"));
    });
    EXPECT_TRUE(Shown().empty());
}

TEST_F(DataQuery, TheResultExportsAsOneLinePerRow) {
    const QString file = data_test::DbPath(QStringLiteral("result.csv"));
    QFile::remove(file);
    ChooseFile(file);
    Run(true, [&](TDataQueryForm& form) {
        Execute(form, QStringLiteral("select BookingId, Client, Notes from Bookings where Client = \"Smith\""));
        form.AlwaysDelimitWithDoubleQuoteItem->Click();
        form.AlwaysDelimitWithDoubleQuoteItem->Click();
        form.ExportButton->Click();
    });
    EXPECT_EQ(
        QString::fromUtf8(data_test::FileBytes(file)),
        QStringLiteral("BookingId,Client,Notes\r\n1,Smith,\"a, b c\"\r\n2,Smith,\"a, b c\"\r\n3,Smith,\"a, b c\"\r\n"));
}

TEST_F(DataQuery, TextsAreWholeWithAResult) {
    testing_env::AtEachTestFont([&] {
        Run(true, [&](TDataQueryForm& form) {
            form.SQLMemo->SetText(kSmithQuery);
            form.ExecuteQueryButton->Click();
            testing_env::ExpectTextsWhole(form);
        });
    });
}

}  // namespace
