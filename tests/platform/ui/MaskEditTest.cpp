// The masked text box typed into: keys go through the mask, Text and EditText, checking on demand and on exit.
#include "platform/ui/Edits.h"
#include "platform/ui/Form.h"
#include "platform/ui/MaskEdit.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct PhoneForm {
    PhoneForm() { edit->SetEditMask(QStringLiteral("(999)000-0000;0;_")); }
    TForm form;
    TMaskEdit* edit = new TMaskEdit(&form);
};

}  // namespace

TEST(MaskEdit, TypedDigitsFillThePositionsAndLettersAreRefused) {
    PhoneForm f;
    EXPECT_EQ(f.edit->EditText(), QStringLiteral("(___)___-____"));
    f.edit->SetSelStart(0);
    QTest::keyClicks(f.edit, QStringLiteral("55x51234567"));
    EXPECT_EQ(f.edit->EditText(), QStringLiteral("(555)123-4567"));
    EXPECT_EQ(f.edit->Text(), QStringLiteral("5551234567"));
    EXPECT_TRUE(f.edit->Modified());
    EXPECT_NO_THROW(f.edit->ValidateEdit());
}

TEST(MaskEdit, BackspaceDeleteAndArrowsWorkOnPositionsNotLiterals) {
    PhoneForm f;
    f.edit->SetText(QStringLiteral("5551234567"));
    f.edit->SetSelStart(9);
    QTest::keyClick(f.edit, Qt::Key_Backspace);
    EXPECT_EQ(f.edit->EditText(), QStringLiteral("(555)12_-4567"));
    QTest::keyClick(f.edit, Qt::Key_Left);
    EXPECT_EQ(f.edit->SelStart(), 6);
    QTest::keyClick(f.edit, Qt::Key_Delete);
    EXPECT_EQ(f.edit->EditText(), QStringLiteral("(555)1__-4567"));
    QTest::keyClick(f.edit, Qt::Key_End);
    QTest::keyClick(f.edit, Qt::Key_Left);
    QTest::keyClick(f.edit, Qt::Key_Left);
    EXPECT_EQ(f.edit->SelStart(), 11);
    QTest::keyClick(f.edit, Qt::Key_Home);
    EXPECT_EQ(f.edit->SelStart(), 1);
    QTest::keyClicks(f.edit, QStringLiteral("9"));
    EXPECT_EQ(f.edit->Text(), QStringLiteral("9551  4567"));
}

TEST(MaskEdit, ValidateEditRaisesAndPutsTheCaretOnTheFirstMissingPosition) {
    PhoneForm f;
    f.edit->SetText(QStringLiteral("   12"));
    try {
        f.edit->ValidateEdit();
        ADD_FAILURE() << "no error raised";
    } catch (const EDBEditError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid input value.  Use escape key to abandon changes"));
    }
    EXPECT_EQ(f.edit->SelStart(), 7);
}

TEST(MaskEdit, LeavingAnIncompleteTypedTextShowsTheErrorAndKeepsTheFocus) {
    PhoneForm f;
    auto* other = new TEdit(&f.form);
    f.form.Show();
    f.edit->SetFocus();
    QApplication::processEvents();
    QTest::keyClicks(f.edit, QStringLiteral("555"));
    testing_env::Messages().Clear();
    other->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{QStringLiteral("Invalid input value.  Use escape key to abandon changes.")});
    EXPECT_TRUE(f.edit->Focused());
    EXPECT_EQ(f.edit->EditText(), QStringLiteral("(555)___-____"));
}

TEST(MaskEdit, CaseConversionAndPasteGoThroughTheMask) {
    TForm form;
    auto* edit = new TMaskEdit(&form);
    edit->SetEditMask(QStringLiteral(">LL<LL;1;_"));
    edit->SetSelStart(0);
    QTest::keyClicks(edit, QStringLiteral("aBcD"));
    EXPECT_EQ(edit->Text(), QStringLiteral("ABcd"));

    QApplication::clipboard()->setText(QStringLiteral("x1y"));
    edit->SelectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->EditText(), QStringLiteral("XY__"));
}

TEST(MaskEdit, ChangingTheMaskKeepsTheValueAndNoMaskIsAPlainEdit) {
    TForm form;
    auto* edit = new TMaskEdit(&form);
    edit->SetText(QStringLiteral("abc"));
    edit->SetEditMask(QStringLiteral(">LLLL;0;*"));
    EXPECT_EQ(edit->EditText(), QStringLiteral("ABC*"));
    edit->SetEditMask(QString());
    EXPECT_EQ(edit->Text(), QStringLiteral("ABC "));
    edit->SetSelStart(4);
    QTest::keyClicks(edit, QStringLiteral("d!"));
    EXPECT_EQ(edit->Text(), QStringLiteral("ABC d!"));
}
