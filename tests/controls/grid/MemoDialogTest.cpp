// The memo dialog over a real database file: Ctrl+Enter stores into the field, Escape after a change asks,
// a read-only field opens read-only, free lines come back only when confirmed, and the window's texts fit.
#include "GridFixture.h"

#include "controls/grid/WwMemoDialog.h"
#include "platform/db/Field.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QTest>

using grid_test::GridTest;

namespace {

class MemoDialog : public GridTest {
protected:
    TADOQuery query;
    TwwMemoDialog dialog;
    ui::ScopedScriptedRunner runner;

    void SetUp() override {
        GridTest::SetUp();
        connection.Execute("INSERT INTO Tasks (Subject, Notes) VALUES ('First', 'Old notes')");
        query.SetConnection(&connection);
        query.SQL.SetText(QStringLiteral("select * from Tasks"));
        source.SetDataSet(&query);
        query.Open();
        dialog.SetDataSource(&source);
        dialog.SetDataField(QStringLiteral("Notes"));
    }

    void WhenShown(std::function<void(TwwMemoDlg&)> action) {
        runner->OnShown<TwwMemoDlg>(QStringLiteral("wwMemoDlg"), std::move(action));
    }

    static void Type(TwwMemoDlg& window, const QString& text) {
        window.Memo->setFocus();
        QTest::keyClicks(window.Memo, text);
    }

    QString Notes() { return query.FieldByName(QStringLiteral("Notes")).AsString(); }
};

TEST_F(MemoDialog, CtrlEnterStoresTheTextIntoTheFieldInEditMode) {
    WhenShown([&](TwwMemoDlg& window) {
        EXPECT_EQ(window.Memo->Text(), QStringLiteral("Old notes"));
        EXPECT_FALSE(window.OKBtn->isEnabled());
        window.Memo->moveCursor(QTextCursor::End);
        Type(window, " and more");
        EXPECT_TRUE(window.OKBtn->isEnabled());
        QTest::keyClick(window.Memo, Qt::Key_Return, Qt::ControlModifier);
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(Notes(), QStringLiteral("Old notes and more"));
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
    EXPECT_EQ(dialog.Form, nullptr);
}

TEST_F(MemoDialog, EscapeAfterAChangeAsksAndNoKeepsTheText) {
    testing_env::Messages().QueueAnswer(mrNo);
    testing_env::Messages().QueueAnswer(mrYes);
    WhenShown([&](TwwMemoDlg& window) {
        Type(window, "typed ");
        QTest::keyClick(window.Memo, Qt::Key_Escape);
        QCoreApplication::processEvents();
        // No: the window stays, with the text.
        EXPECT_TRUE(window.Modal());
        EXPECT_TRUE(window.Memo->Text().startsWith(QStringLiteral("typed ")));
        QTest::keyClick(window.Memo, Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(testing_env::Messages().Texts(),
              (std::vector<QString>{"Changes have been made!  Are you sure you wish to cancel?",
                                    "Changes have been made!  Are you sure you wish to cancel?"}));
    EXPECT_EQ(testing_env::Messages().Requests()[0].type, mtConfirmation);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(Notes(), QStringLiteral("Old notes"));
}

TEST_F(MemoDialog, EscapeWithoutAChangeClosesWithoutAsking) {
    WhenShown([&](TwwMemoDlg& window) { QTest::keyClick(window.Memo, Qt::Key_Escape); });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
    EXPECT_EQ(Notes(), QStringLiteral("Old notes"));
}

TEST_F(MemoDialog, ReadOnlyMemoFieldOpensReadOnlyWithOkCentred) {
    query.FieldByName(QStringLiteral("Notes")).SetReadOnly(true);
    WhenShown([&](TwwMemoDlg& window) {
        EXPECT_TRUE(window.Memo->ReadOnly());
        EXPECT_FALSE(window.CancelBtn->isVisible());
        EXPECT_TRUE(window.OKBtn->isVisible());
        const int okCentre = window.OKBtn->Left() + window.OKBtn->Width() / 2;
        const int memoCentre = window.Memo->Left() + window.Memo->Width() / 2;
        EXPECT_LE(std::abs(okCentre - memoCentre), 2);
        window.OKBtn->click();
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(query.State(), dsBrowse);
}

TEST_F(MemoDialog, FreeLinesComeBackOnlyWhenConfirmed) {
    TwwMemoDialog free;
    free.Lines().SetStrings({"one", "two"});
    for (const bool confirm : {false, true}) {
        testing_env::Messages().QueueAnswer(mrYes);
        WhenShown([&](TwwMemoDlg& window) {
            window.Memo->moveCursor(QTextCursor::End);
            Type(window, "3");
            QTest::keyClick(window.Memo, confirm ? Qt::Key_F2 : Qt::Key_Escape);
        });
        EXPECT_EQ(free.Execute(), confirm);
        EXPECT_EQ(free.Lines().ToStringList(), confirm ? QStringList({"one", "two3"}) : QStringList({"one", "two"}));
    }
}

TEST_F(MemoDialog, UserButtonsCallTheirHandlersWithTheMemo) {
    dialog.UserButton2Caption = QStringLiteral("Stamp");
    dialog.OnUserButton2Click = [](TwwMemoDlg&, TMemo& memo) { memo.SetText(QStringLiteral("stamped")); };
    dialog.DlgLeft = 40;
    dialog.DlgTop = 30;
    dialog.DlgWidth = 400;
    dialog.DlgHeight = 300;
    WhenShown([&](TwwMemoDlg& window) {
        EXPECT_EQ(window.width(), 400 - 8);
        EXPECT_EQ(window.UserButton2->Left(), 15);
        EXPECT_FALSE(window.UserButton1->isVisible());
        window.UserButton2->click();
        EXPECT_EQ(window.Memo->Text(), QStringLiteral("stamped"));
        window.OKBtn->click();
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(Notes(), QStringLiteral("stamped"));
}

TEST_F(MemoDialog, DesignedSizeAndTextsWholeAtBothFonts) {
    dialog.DlgLeft = -1;
    dialog.Caption = QStringLiteral("Notes");
    dialog.UserButton1Caption = QStringLiteral("Clear");
    int initialised = 0;
    dialog.OnInitDialog = [&](TwwMemoDlg& window) {
        ++initialised;
        EXPECT_EQ(dialog.Form, &window);
    };
    testing_env::AtEachTestFont([&] {
        WhenShown([&](TwwMemoDlg& window) {
            EXPECT_EQ(window.Caption(), QStringLiteral("Notes"));
            EXPECT_EQ(window.width(), 561 - 8);
            EXPECT_TRUE(window.UserButton1->isVisible());
            EXPECT_FALSE(window.UserButton2->isVisible());
            testing_env::ExpectTextsWhole(window);
            window.CancelBtn->click();
        });
        dialog.Execute();
    });
    EXPECT_EQ(initialised, 2);
}

}  // namespace
