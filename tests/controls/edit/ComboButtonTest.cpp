// The combo button and the combo base: widths, grouping, glyph strips, the drop-down keys and clicks.
#include "BoundEditFixture.h"
#include "controls/edit/WwDBCustomCombo.h"

#include "controls/edit/GlyphCache.h"
#include "platform/ui/Actions.h"
#include "platform/ui/ImageList.h"

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

TBitmap Strip(int width, int height) {
    TBitmap bitmap;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    bitmap.SetImage(image);
    return bitmap;
}

TEST(ComboButton, StateImagesShareOneCachedListPerSizeWhichGoesWithItsLastImage) {
    {
        QWidget parent;
        auto* first = new TwwComboButton(&parent);
        auto* second = new TwwComboButton(&parent);
        auto* small = new TwwComboButton(&parent);
        first->SetGlyph(Strip(32, 16));
        second->SetGlyph(Strip(32, 16));
        small->SetGlyph(Strip(8, 8));
        TwwComboButtonGlyph& a = first->GlyphObject();
        TwwComboButtonGlyph& b = second->GlyphObject();
        EXPECT_EQ(a.ImageList(), nullptr);
        EXPECT_EQ(a.ImageIndex(bsUp), -1);
        a.ImageFor(bsUp);
        a.ImageFor(bsDisabled);
        b.ImageFor(bsUp);
        small->GlyphObject().ImageFor(bsUp);
        ASSERT_NE(controls::GlyphCache(), nullptr);
        EXPECT_EQ(controls::GlyphCache()->ListCount(), 2);
        ASSERT_NE(a.ImageList(), nullptr);
        EXPECT_EQ(a.ImageList(), b.ImageList());
        EXPECT_NE(a.ImageList(), small->GlyphObject().ImageList());
        EXPECT_EQ(a.ImageList()->Count(), 3);
        EXPECT_EQ(b.ImageIndex(bsUp), 2);
        // Made once: the same slot answers again; the disabled image has the glyph's size.
        EXPECT_EQ(a.ImageFor(bsDisabled).size(), QSize(16, 16));
        EXPECT_EQ(a.ImageList()->Count(), 3);
        // A new glyph frees the slots, which are taken again first.
        first->SetGlyph(Strip(32, 16));
        EXPECT_EQ(b.ImageList()->Count(), 1);
        b.ImageFor(bsDisabled);
        EXPECT_EQ(b.ImageIndex(bsDisabled), 0);
        // A list whose last image goes is freed.
        small->SetGlyph(Strip(16, 16));
        EXPECT_EQ(controls::GlyphCache()->ListCount(), 1);
    }
    EXPECT_EQ(controls::GlyphCache(), nullptr);
}

TEST(ComboButton, AnActionGivesItsCaptionGroupCheckedStateAndImage) {
    TImageList images(16, 16);
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixelColor(7, 7, Qt::blue);
    images.Add(picture);
    TActionList list;
    list.Images = &images;
    TCustomAction action(&list);
    action.SetCaption("Go");
    action.SetGroupIndex(3);
    action.SetChecked(true);
    action.SetImageIndex(0);

    QWidget parent;
    auto* button = new TwwComboButton(&parent);
    auto* other = new TwwComboButton(&parent);
    other->SetGroupIndex(3);
    button->SetAllowAllUp(true);
    button->SetAction(&action);
    EXPECT_EQ(button->Caption(), "Go");
    EXPECT_EQ(button->GroupIndex(), 3);
    EXPECT_TRUE(button->Down());
    // The action's image on magenta.
    ASSERT_EQ(button->Glyph().Width(), 16);
    EXPECT_EQ(button->Glyph().Image().pixelColor(0, 0), QColor(Qt::magenta));
    EXPECT_EQ(button->Glyph().Image().pixelColor(7, 7), QColor(Qt::blue));

    // Down and the group follow the action, and the action hears of a group neighbour going down.
    action.SetChecked(false);
    EXPECT_FALSE(button->Down());
    action.SetChecked(true);
    EXPECT_TRUE(button->Down());
    other->SetDown(true);
    EXPECT_FALSE(button->Down());
    EXPECT_FALSE(action.Checked());
    action.SetGroupIndex(4);
    EXPECT_EQ(button->GroupIndex(), 4);
    // A caption of the button's own no longer follows.
    button->SetCaption("Mine");
    action.SetCaption("Run");
    EXPECT_EQ(button->Caption(), "Mine");
    action.SetEnabled(false);
    EXPECT_FALSE(button->Enabled());

    // A click runs the action when the button has no OnClick of its own.
    int executed = 0;
    action.OnExecute = [&](QObject*) { ++executed; };
    button->Click();
    EXPECT_EQ(executed, 1);
    int clicked = 0;
    button->OnClick = [&](QObject*) { ++clicked; };
    button->Click();
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(clicked, 1);

    // A button with a glyph keeps it; an action that goes first leaves the button untied.
    auto* glyphed = new TwwComboButton(&parent);
    glyphed->SetGlyph(Strip(8, 8));
    {
        TCustomAction passing(&list);
        passing.SetImageIndex(0);
        glyphed->SetAction(&passing);
        EXPECT_EQ(glyphed->Glyph().Width(), 8);
    }
    EXPECT_EQ(glyphed->Action(), nullptr);
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
