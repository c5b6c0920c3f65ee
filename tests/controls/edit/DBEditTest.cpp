// The field-bound edit on a real database: display and edit texts, writing on exit, Esc, AutoEdit and
// read-only links, paste, the date auto-fill, the epoch and picture masks.
#include "BoundEditFixture.h"
#include "controls/edit/WwDBEdit.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Buttons.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QClipboard>
#include <QPlainTextEdit>

namespace {

using controls_test::BoundEditTest;

class DBEdit : public BoundEditTest {
protected:
    TwwDBEdit* edit = new TwwDBEdit(&form);

    DBEdit() { edit->SetBounds(10, 10, 150, 21); }

    void Bind(const QString& field) {
        edit->SetDataSource(&source);
        edit->SetDataField(field);
        edit->Loaded();
        ShowForm();
    }
    void Enter() {
        edit->SetFocus();
        QApplication::processEvents();
    }
    void Leave() {
        other->SetFocus();
        QApplication::processEvents();
    }
};

TEST_F(DBEdit, ShowsTheDisplayTextUnfocusedAndTheEditTextFocused) {
    query.FieldByName(QStringLiteral("Ratio")).SetDisplayFormat(QStringLiteral("0.00"));
    query.FieldByName(QStringLiteral("Ratio")).SetEditFormat(QStringLiteral("0.###"));
    Bind(QStringLiteral("Ratio"));
    EXPECT_EQ(edit->Text(), QStringLiteral("1.50"));
    EXPECT_TRUE(edit->isReadOnly());  // browsing: the window waits for the link to edit
    Enter();
    EXPECT_EQ(edit->Text(), QStringLiteral("1.5"));
    Leave();
    EXPECT_EQ(edit->Text(), QStringLiteral("1.50"));
}

TEST_F(DBEdit, TypingEditsTheRecordAndLeavingWritesTheField) {
    Bind(QStringLiteral("Subject"));
    EXPECT_EQ(edit->MaxLength(), 30);  // the string field's size
    Enter();
    Key(edit, Qt::Key_End);
    Type(edit, QStringLiteral(" twice"));
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_TRUE(edit->Modified());
    Leave();
    EXPECT_EQ(query.FieldByName(QStringLiteral("Subject")).AsString(), QStringLiteral("Paint the hall twice"));
    query.Post();
    EXPECT_EQ(Stored(QStringLiteral("Subject")).toString(), QStringLiteral("Paint the hall twice"));
}

TEST_F(DBEdit, AFieldThatRefusesTheTextKeepsTheFocusTheTextAndModified) {
    Bind(QStringLiteral("Ratio"));
    Enter();
    edit->SelectAll();
    Type(edit, QStringLiteral("1.2.3"));
    Leave();
    QApplication::processEvents();
    ASSERT_EQ(testing_env::Messages().Texts().size(), 1u);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->Text(), QStringLiteral("1.2.3"));
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(query.FieldByName(QStringLiteral("Ratio")).AsFloat(), 1.5);
}

TEST_F(DBEdit, EscReloadsTheFieldAndAnUnboundEditItsTextAtEntry) {
    Bind(QStringLiteral("Subject"));
    Enter();
    edit->SelectAll();
    Type(edit, QStringLiteral("Other"));
    Key(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->Text(), QStringLiteral("Paint the hall"));
    EXPECT_FALSE(edit->Modified());
    EXPECT_EQ(edit->SelLength(), edit->Text().length());

    TwwDBEdit unbound(&form);
    unbound.Loaded();
    unbound.SetText(QStringLiteral("before"));
    unbound.show();
    unbound.SetFocus();
    QApplication::processEvents();
    Type(&unbound, QStringLiteral("xyz"));
    Key(&unbound, Qt::Key_Escape);
    EXPECT_EQ(unbound.Text(), QStringLiteral("before"));
}

TEST_F(DBEdit, WithAutoEditOffOrAReadOnlyLinkTypingChangesNothing) {
    source.AutoEdit = false;
    Bind(QStringLiteral("Subject"));
    Enter();
    Type(edit, QStringLiteral("x"));
    EXPECT_EQ(edit->Text(), QStringLiteral("Paint the hall"));
    EXPECT_EQ(query.State(), dsBrowse);
    // Once the dataset edits, typing goes in.
    query.Edit();
    Key(edit, Qt::Key_End);
    Type(edit, QStringLiteral("!"));
    EXPECT_EQ(edit->Text(), QStringLiteral("Paint the hall!"));
    query.Cancel();

    source.AutoEdit = true;
    edit->SetReadOnly(true);
    Key(edit, Qt::Key_End);
    Type(edit, QStringLiteral("x"));
    EXPECT_EQ(edit->Text(), QStringLiteral("Paint the hall"));
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_TRUE(edit->isReadOnly());
}

TEST_F(DBEdit, PasteIntoAOneLineEditTakesTheFirstLineAndLeavesTheClipboard) {
    Bind(QStringLiteral("Subject"));
    Enter();
    edit->SelectAll();
    QApplication::clipboard()->setText(QStringLiteral("first line\r\nsecond line"));
    Key(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), QStringLiteral("first line"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("first line\r\nsecond line"));
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_TRUE(edit->Modified());
}

TEST_F(DBEdit, AWordWrappingEditTakesLinesAndWritesThemToAMemoField) {
    edit->SetBounds(10, 10, 200, 60);
    edit->SetWordWrap(true);
    edit->SetWantReturns(true);
    edit->SetShowVertScrollBar(true);
    Bind(QStringLiteral("Notes"));
    QPlainTextEdit* lines = edit->LinesEditor();
    ASSERT_NE(lines, nullptr);
    Enter();
    EXPECT_TRUE(lines->hasFocus());
    Type(lines, QStringLiteral("First line"));
    Key(lines, Qt::Key_Return);
    Type(lines, QStringLiteral("second line"));
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(lines->toPlainText(), QStringLiteral("First line\nsecond line"));
    Leave();
    EXPECT_EQ(query.FieldByName(QStringLiteral("Notes")).AsString(), QStringLiteral("First line\r\nsecond line"));
    query.Post();
    EXPECT_EQ(Stored(QStringLiteral("Notes")).toString(), QStringLiteral("First line\r\nsecond line"));

    // Esc brings the stored lines back; a read-only link keeps the window read-only.
    Enter();
    Type(lines, QStringLiteral("more"));
    Key(lines, Qt::Key_Escape);
    EXPECT_EQ(lines->toPlainText(), QStringLiteral("First line\nsecond line"));
    edit->SetReadOnly(true);
    EXPECT_TRUE(lines->isReadOnly());
}

TEST_F(DBEdit, EscInAMultiLineEditUndoesAModifiedTextBeforeTheFormMayCancel) {
    auto* cancel = new TButton(&form);
    cancel->SetCancel(true);
    int cancels = 0;
    cancel->OnClick = [&](QObject*) { ++cancels; };
    edit->SetBounds(10, 10, 200, 60);
    edit->SetWordWrap(true);
    Bind(QStringLiteral("Subject"));
    Enter();
    Type(edit->LinesEditor(), QStringLiteral("x"));
    Key(edit->LinesEditor(), Qt::Key_Escape);
    EXPECT_EQ(cancels, 0);
    EXPECT_EQ(edit->Text(), QStringLiteral("Paint the hall"));
    Key(edit->LinesEditor(), Qt::Key_Escape);
    EXPECT_EQ(cancels, 1);
}

TEST_F(DBEdit, SpaceFillsADateFromTodayPartByPart) {
    rtl::ScopedService<rtl::Clock, rtl::FakeClock> clock{rtl::ClockSlot(),
                                                         std::make_shared<rtl::FakeClock>(EncodeDate(2026, 2, 7))};
    edit->UnboundDataType = wwEdtDate;
    edit->Loaded();
    ShowForm();
    Enter();
    // Month-day-year, "M/d/yyyy".
    Key(edit, Qt::Key_Space);
    EXPECT_EQ(edit->Text(), QStringLiteral("2/"));
    Type(edit, QStringLiteral("1"));
    Key(edit, Qt::Key_Space);
    EXPECT_EQ(edit->Text(), QStringLiteral("2/1/"));
    Key(edit, Qt::Key_Space);
    EXPECT_EQ(edit->Text(), QStringLiteral("2/1/2026"));
    // With the whole text selected it starts afresh.
    edit->SelectAll();
    Key(edit, Qt::Key_Space);
    EXPECT_EQ(edit->Text(), QStringLiteral("2/"));
}

TEST_F(DBEdit, TwoDigitYearsWrittenToADateFieldFollowTheNineteenFiftyWindow) {
    Bind(QStringLiteral("DueDate"));
    for (const auto& [typed, year] : {std::pair{"1/2/49", 2049}, std::pair{"1/2/50", 1950}}) {
        Enter();
        edit->SelectAll();
        Type(edit, QString::fromLatin1(typed));
        Leave();
        EXPECT_EQ(query.FieldByName(QStringLiteral("DueDate")).AsDateTime(), EncodeDate(year, 1, 2)) << typed;
    }
}

TEST_F(DBEdit, APictureMaskCompletesTypedTextAndRefusesAnIncompleteExit) {
    edit->Loaded();
    edit->Picture().SetPictureMask(QStringLiteral("###-####"));
    ShowForm();
    Enter();
    std::vector<bool> checks;
    edit->OnCheckValue = [&](QObject*, bool passed) { checks.push_back(passed); };
    Type(edit, QStringLiteral("5551234"));
    EXPECT_EQ(edit->Text(), QStringLiteral("555-1234"));
    ASSERT_FALSE(checks.empty());
    EXPECT_TRUE(checks.back());
    Type(edit, QStringLiteral("9"));  // beyond the mask: refused
    EXPECT_EQ(edit->Text(), QStringLiteral("555-1234"));

    edit->SelectAll();
    Type(edit, QStringLiteral("55"));
    Leave();
    QApplication::processEvents();
    EXPECT_TRUE(edit->ExitRefused);
    EXPECT_TRUE(edit->hasFocus());

    edit->Picture().SetAllowInvalidExit(true);
    Leave();
    EXPECT_FALSE(edit->ExitRefused);
    EXPECT_TRUE(other->hasFocus());
}

}  // namespace
