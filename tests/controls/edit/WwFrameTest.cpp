// The drawn frame of an edit and the look of its button.
#include "controls/edit/WwFrame.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/CustomGrid.h"
#include "platform/ui/Edits.h"

#include <gtest/gtest.h>
#include <QImage>

TEST(EditFrame, StartsDisabledWithTheBottomBorderUnfocused) {
    TwwEditFrame frame(nullptr);
    EXPECT_FALSE(frame.Enabled());
    EXPECT_EQ(frame.NonFocusBorders(), TwwEditFrameEnums{efBottomBorder});
    EXPECT_EQ(frame.FocusBorders(), AllFrameBorders);
    EXPECT_EQ(frame.FocusStyle(), efsFrameBox);
    EXPECT_EQ(frame.NonFocusColor, clNone);
}

TEST(EditFrame, IsEffectiveOnlyOnAControlOutsideAGrid) {
    TEdit edit(nullptr);
    TwwEditFrame frame(&edit);
    frame.SetEnabled(true);
    EXPECT_TRUE(frame.IsFrameEffective());
    TwwEditFrame loose(nullptr);
    loose.SetEnabled(true);
    EXPECT_FALSE(loose.IsFrameEffective());

    TCustomGrid grid(nullptr);
    TEdit inplace(&grid);
    TwwEditFrame inGrid(&inplace);
    inGrid.SetEnabled(true);
    EXPECT_FALSE(inGrid.IsFrameEffective());
}

TEST(EditFrame, AssigningADisabledFrameCopiesOnlyEnabledAndTransparent) {
    TwwEditFrame source(nullptr);
    source.SetTransparent(true);
    source.SetFocusStyle(efsFrameBump);
    source.NonFocusColor = clRed;
    TwwEditFrame target(nullptr);
    target.Assign(source);
    EXPECT_TRUE(target.Transparent());
    EXPECT_TRUE(target.CreatedTransparent());
    EXPECT_EQ(target.FocusStyle(), efsFrameBox);
    EXPECT_EQ(target.NonFocusColor, clNone);

    source.SetEnabled(true);
    target.Assign(source);
    EXPECT_EQ(target.FocusStyle(), efsFrameBump);
    EXPECT_EQ(target.NonFocusColor, clRed);
}

TEST(EditFrame, TextRectangleAndOriginFollowTheStyle) {
    TwwEditFrame frame(nullptr);
    const TRect client{0, 0, 100, 20};
    EXPECT_EQ(frame.AdjustEditRect(client), (TRect{2, 2, 99, 20}));
    frame.SetFocusStyle(efsFrameSunken);
    EXPECT_EQ(frame.AdjustEditRect(client), (TRect{3, 3, 98, 20}));
    frame.SetFocusStyle(efsFrameRaised);
    EXPECT_EQ(frame.AdjustEditRect(client), (TRect{2, 3, 98, 20}));
    frame.SetFocusBorders({efTopBorder});
    EXPECT_EQ(frame.AdjustEditRect(client), (TRect{1, 3, 98, 20}));

    frame.NonFocusTextOffsetX = 1;
    EXPECT_EQ(frame.GetTextOrigin(false), (TPoint{2, 2}));  // bottom border only, box style
    EXPECT_EQ(frame.GetTextOrigin(true), (TPoint{2, 3}));   // top border, raised style
    frame.SetNonFocusBorders(AllFrameBorders);
    EXPECT_EQ(frame.GetTextOrigin(false), (TPoint{3, 2}));
}

TEST(EditFrame, EnablingTakesTheBorderAwayAndSizesAutoSizedEdits) {
    TEdit edit(nullptr);
    edit.setProperty("BorderStyle", QVariant::fromValue(bsSingle));
    edit.setProperty("AutoSize", true);
    TwwEditFrame frame(&edit);
    frame.AutoSizeHeightAdjust = 3;
    EXPECT_EQ(frame.AutoSizeHeight(true, 13), 21);
    frame.SetEnabled(true);
    EXPECT_EQ(edit.property("BorderStyle").value<TBorderStyle>(), bsNone);
    EXPECT_EQ(edit.Height(), frame.AutoSizeHeight(false, QFontMetrics(edit.font()).height()));
    EXPECT_EQ(frame.AutoSizeHeight(false, 13), 22);
}

TEST(EditFrame, AnEmptyBorderSetDrawsNothing) {
    TEdit edit(nullptr);
    edit.SetBounds(0, 0, 40, 20);
    TwwEditFrame frame(&edit);
    frame.SetEnabled(true);
    frame.SetNonFocusBorders({});
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        TCanvas canvas(&image);
        DrawEditFrameEdge(edit, frame, canvas, false, true);
    }
    EXPECT_EQ(image.pixel(0, 0), QColor(Qt::white).rgb());
    EXPECT_EQ(image.pixel(20, 19), QColor(Qt::white).rgb());

    frame.SetNonFocusBorders({efBottomBorder});
    {
        TCanvas canvas(&image);
        DrawEditFrameEdge(edit, frame, canvas, false);
    }
    EXPECT_NE(image.pixel(20, 19), QColor(Qt::white).rgb());
    EXPECT_EQ(image.pixel(20, 0), QColor(Qt::white).rgb());
}

TEST(ButtonEffects, TransparentAloneMakesTheButtonFlat) {
    QObject button;
    button.setProperty("Flat", false);
    button.setProperty("Transparent", false);
    TwwButtonEffects effects(nullptr, &button);
    effects.SetTransparent(true);
    EXPECT_TRUE(button.property("Flat").toBool());
    EXPECT_TRUE(button.property("Transparent").toBool());

    effects.SetTransparent(false);
    effects.SetFlat(true);
    EXPECT_TRUE(button.property("Flat").toBool());
    EXPECT_FALSE(button.property("Transparent").toBool());

    TwwButtonEffects copy(nullptr, nullptr);
    copy.Assign(effects);
    EXPECT_TRUE(copy.Flat());
    EXPECT_FALSE(copy.Transparent());
}
