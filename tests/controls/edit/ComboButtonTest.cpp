// The combo button and the combo base: widths, grouping, glyph strips, the drop-down keys and clicks.
#include "BoundEditFixture.h"
#include "controls/edit/WwDBCustomCombo.h"

#include <gtest/gtest.h>
#include <QStyle>

namespace {

using controls_test::BoundEditTest;

// A combo that only notes its drop-down and close-up.
class ToggleCombo : public TwwDBCustomCombo {
public:
    using TwwDBCustomCombo::TwwDBCustomCombo;
    bool dropped = false;
    QStringList calls;
    bool IsDroppedDown() const override { return dropped; }
    void DropDown() override {
        dropped = true;
        calls << QStringLiteral("DropDown");
    }
    void CloseUp(bool accept) override {
        dropped = false;
        calls << (accept ? QStringLiteral("CloseUp(true)") : QStringLiteral("CloseUp(false)"));
        TwwDBCustomCombo::CloseUp(accept);
    }
};

TEST(ComboButton, GroupedButtonsLatchOneAtATimeAndStayDownWithoutAllowAllUp) {
    QWidget parent;
    auto* first = new TwwComboButton(&parent);
    auto* second = new TwwComboButton(&parent);
    second->move(30, 0);
    parent.show();
    int clicks = 0;
    first->OnClick = [&](QObject*) { ++clicks; };

    first->SetDown(true);
    EXPECT_FALSE(first->Down());  // no group: never latched

    first->SetGroupIndex(1);
    second->SetGroupIndex(1);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_TRUE(first->Down());
    EXPECT_EQ(first->State(), bsExclusive);
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_TRUE(first->Down());  // AllowAllUp off
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_TRUE(second->Down());
    EXPECT_FALSE(first->Down());

    first->SetAllowAllUp(true);
    EXPECT_TRUE(second->AllowAllUp());  // shared by the group
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_FALSE(second->Down());
}

TEST(ComboButton, ClickFiresOnlyOnAReleaseOverTheButton) {
    QWidget parent;
    auto* button = new TwwComboButton(&parent);
    parent.resize(100, 100);
    parent.show();
    int clicks = 0;
    button->OnClick = [&](QObject*) { ++clicks; };
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->State(), bsDown);
    EXPECT_TRUE(button->Tracking());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(button->State(), bsUp);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
}

TEST(ComboButton, AGlyphStripGivesOneImagePerSquareUpToFour) {
    QWidget parent;
    auto* button = new TwwComboButton(&parent);
    const auto strip = [](int width, int height) {
        TBitmap bitmap;
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(Qt::red);
        bitmap.SetImage(image);
        return bitmap;
    };
    button->SetGlyph(strip(64, 16));
    EXPECT_EQ(button->NumGlyphs(), 4);
    button->SetGlyph(strip(80, 16));
    EXPECT_EQ(button->NumGlyphs(), 1);
    button->SetNumGlyphs(9);
    EXPECT_EQ(button->NumGlyphs(), 4);
    // The down state uses the first image in a strip of fewer than three.
    button->SetGlyph(strip(32, 16));
    EXPECT_EQ(button->GlyphObject().ImageFor(bsDown).width(), 16);
    EXPECT_FALSE(button->GlyphObject().ImageFor(bsDisabled).isNull());
}

class ComboBase : public BoundEditTest {
protected:
    ToggleCombo* combo = new ToggleCombo(&form);

    ComboBase() {
        combo->SetBounds(10, 10, 150, 21);
        combo->SetDataSource(&source);
        combo->SetDataField(QStringLiteral("Subject"));
        combo->Loaded();
        ShowForm();
        combo->SetFocus();
    }
};

TEST_F(ComboBase, ButtonWidthZeroFollowsTheScrollBarNeverBelowFifteen) {
    const int automatic = qMax(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent), 15);
    EXPECT_EQ(combo->Button()->width(), automatic);
    EXPECT_EQ(combo->GetButtonWidth(), automatic);
    combo->SetButtonWidth(30);
    EXPECT_EQ(combo->Button()->width(), 30);
    EXPECT_EQ(combo->ButtonHolder()->width(), 30);
    // The holder sits inside the right border and the text stops before it.
    EXPECT_EQ(combo->ButtonHolder()->geometry().right(), combo->width() - 3);
    EXPECT_EQ(combo->GetTextRightEdge(), combo->ButtonHolder()->x() - 1);
    combo->SetButtonWidth(0);
    EXPECT_EQ(combo->Button()->width(), automatic);
    combo->SetShowButton(false);
    EXPECT_EQ(combo->GetButtonWidth(), 0);
    EXPECT_EQ(combo->GetTextRightEdge(), combo->width() - 1);
}

TEST_F(ComboBase, DropDownKeysToggleAndEnterOrEscCloseWithOrWithoutAccepting) {
    Key(combo, Qt::Key_F4);
    Key(combo, Qt::Key_F4);
    Key(combo, Qt::Key_Down, Qt::AltModifier);
    Key(combo, Qt::Key_Up, Qt::AltModifier);
    Key(combo, Qt::Key_F4);
    Key(combo, Qt::Key_Escape);
    Key(combo, Qt::Key_F4);
    Key(combo, Qt::Key_Return);
    EXPECT_EQ(combo->calls, (QStringList{"DropDown", "CloseUp(true)", "DropDown", "CloseUp(true)", "DropDown",
                                         "CloseUp(false)", "DropDown", "CloseUp(true)"}));
    // The Esc that closed the list did not reset the edit, nor did Enter reach the form.
    EXPECT_TRUE(form.isVisible());
}

TEST_F(ComboBase, AltF4IsLeftToTheForm) {
    Key(combo, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(combo->calls.isEmpty());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(ComboBase, APressOnTheButtonTogglesAndAListOnlyTextTogglesToo) {
    QTest::mousePress(combo->Button(), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(combo->Button(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(combo->calls, QStringList{"DropDown"});
    QTest::mousePress(combo->Button(), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(combo->Button(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(combo->calls.last(), QStringLiteral("CloseUp(true)"));

    // Typing allowed: a click in the text only places the caret.
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(combo->calls.size(), 2);
}

TEST_F(ComboBase, APressOnTheButtonOrItsHolderLeavesTheFocusInTheEdit) {
    ASSERT_TRUE(combo->hasFocus());
    for (QWidget* target : {static_cast<QWidget*>(combo->Button()), static_cast<QWidget*>(combo->ButtonHolder())}) {
        QTest::mousePress(target, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_TRUE(combo->hasFocus());
        EXPECT_FALSE(target->hasFocus());
    }
    EXPECT_FALSE(combo->Button()->TabStop());
    EXPECT_FALSE(combo->ButtonHolder()->TabStop());
}

TEST_F(ComboBase, TheDialogHandlerRunsDroppedDownWithTheRecordInEditMode) {
    TwwDBCustomCombo plain(&form);
    plain.SetDataSource(&source);
    plain.SetDataField(QStringLiteral("Subject"));
    bool droppedWhileRunning = false;
    TDataSetState stateWhileRunning = dsInactive;
    plain.OnCustomDlg = [&](QObject*) {
        droppedWhileRunning = plain.IsDroppedDown();
        stateWhileRunning = query.State();
    };
    plain.DropDown();
    EXPECT_TRUE(droppedWhileRunning);
    EXPECT_EQ(stateWhileRunning, dsEdit);
    EXPECT_FALSE(plain.IsDroppedDown());
}

}  // namespace
