// TwwBitmap: its row layout and the pixel effects, read back byte by byte against their channel formulas.
#include "controls/grid/WwBitmap.h"
#include "platform/rtl/Random.h"

#include "BitmapPixels.h"

#include <gtest/gtest.h>
#include <array>
#include <vector>

namespace {

using namespace bitmap_test;

TEST(WwBitmap, RowsAreThreeBytesAPixelPaddedToFourWithARowTableOverThem) {
    const struct {
        int width, stride, padding;
    } cases[] = {{1, 4, 1}, {2, 8, 2}, {3, 12, 3}, {4, 12, 0}, {5, 16, 1}, {7, 24, 3}};
    for (const auto& c : cases) {
        TwwBitmap bitmap;
        bitmap.NewImage(c.width, 3);
        EXPECT_EQ(bitmap.RowStride(), c.stride) << c.width;
        EXPECT_EQ(bitmap.RowPadding(), c.padding) << c.width;
        EXPECT_EQ(bitmap.ImageSize(), 3 * c.stride) << c.width;
        const std::vector<uchar*> rows = bitmap.RowTable();
        ASSERT_EQ(rows.size(), 3u);
        for (int r = 0; r < 3; ++r) EXPECT_EQ(rows[r] - rows[0], r * c.stride) << c.width << " row " << r;
        // The pixels are one block, top row first, as the image shows them.
        EXPECT_EQ(rows[0], bitmap.Image().constBits());
    }
}

TEST(WwBitmap, NewImageIsWhiteAndSetSizeKeepsPixelsOnlyForTheSameSize) {
    TwwBitmap bitmap;
    bitmap.NewImage(0, 5);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_TRUE(bitmap.RowTable().empty());
    TwwBitmap pattern2 = Pattern(3, 2);
    bitmap.Assign(&pattern2);
    const Pixel pattern = At(bitmap, 2, 1);
    bitmap.SetSize(3, 2);
    EXPECT_EQ(At(bitmap, 2, 1), pattern);
    bitmap.SetWidth(4);
    EXPECT_EQ(At(bitmap, 2, 1), (Pixel{255, 255, 255}));
    bitmap.Release();
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.ImageSize(), 0);
}

TEST(WwBitmap, CanvasDrawsIntoTheSamePixelsInBlueGreenRedOrder) {
    TwwBitmap bitmap;
    bitmap.NewImage(4, 4);
    bitmap.Canvas().Brush().Color = RGB(200, 100, 50);
    bitmap.Canvas().FillRect({1, 1, 3, 3});
    EXPECT_EQ(At(bitmap, 1, 1), (Pixel{50, 100, 200}));
    EXPECT_EQ(At(bitmap, 0, 0), (Pixel{255, 255, 255}));
    // Pixels written through the table show through the canvas's next drawing and the image.
    bitmap.RowTable()[3][0] = 0;
    EXPECT_EQ(bitmap.Image().pixelColor(0, 3).blue(), 0);
}

TEST(WwBitmap, NeutralEffectsAndTwoFlipsLeaveThePictureAsItWas) {
    const std::vector<Pixel> original = [] {
        TwwBitmap p = Pattern(5, 3);
        return Pixels(p);
    }();
    const struct {
        const char* name;
        void (*effect)(TwwBitmap&);
    } cases[] = {
        {"lightness 0", [](TwwBitmap& b) { b.Lightness(0); }},
        {"contrast 0", [](TwwBitmap& b) { b.Contrast(0); }},
        {"saturation 256", [](TwwBitmap& b) { b.Saturation(256); }},
        {"add nothing", [](TwwBitmap& b) { b.AddColor(0, 0, 0); }},
        {"invert twice", [](TwwBitmap& b) { b.Invert(), b.Invert(); }},
        {"flip rows twice", [](TwwBitmap& b) { b.Flip(false), b.Flip(false); }},
        {"flip columns twice", [](TwwBitmap& b) { b.Flip(true), b.Flip(true); }},
        {"blur 0", [](TwwBitmap& b) { b.Blur(0); }},
        {"sharpen at distance 0", [](TwwBitmap& b) { b.Sharpen(0); }},
        {"spray 1", [](TwwBitmap& b) { b.Spray(1); }},
        {"rotate 0 about the middle", [](TwwBitmap& b) { b.Rotate(-1, -1, 0); }},
        {"wave without a period", [](TwwBitmap& b) { b.Wave(true, 5, 0, 3); }},
    };
    for (const auto& c : cases) {
        TwwBitmap bitmap = Pattern(5, 3);
        c.effect(bitmap);
        EXPECT_EQ(Pixels(bitmap), original) << c.name;
    }
}

TEST(WwBitmap, FlipMirrorsAroundTheMiddleColumnOrRow) {
    TwwBitmap bitmap = Pattern(5, 3);
    const Pixel first = At(bitmap, 0, 1);
    const Pixel middle = At(bitmap, 2, 1);
    bitmap.Flip(true);
    EXPECT_EQ(At(bitmap, 4, 1), first);
    EXPECT_EQ(At(bitmap, 2, 1), middle);
    const Pixel top = At(bitmap, 3, 0);
    const Pixel centre = At(bitmap, 3, 1);
    bitmap.Flip(false);
    EXPECT_EQ(At(bitmap, 3, 2), top);
    EXPECT_EQ(At(bitmap, 3, 1), centre);
}

TEST(WwBitmap, PerPixelEffectsFollowTheirChannelFormulas) {
    const struct {
        const char* name;
        void (*effect)(TwwBitmap&);
        Pixel before, after;
    } cases[] = {
        // a <= 0: v - v*|a|/256; a > 0: v + a*(255 - v)/256.
        {"darker", [](TwwBitmap& b) { b.Lightness(-128); }, {100, 0, 255}, {50, 0, 128}},
        {"lighter", [](TwwBitmap& b) { b.Lightness(128); }, {100, 0, 255}, {177, 127, 255}},
        // Below 127: v - |128 - v|*a/256, from 127: v + |128 - v|*a/256, truncated toward zero.
        {"more contrast", [](TwwBitmap& b) { b.Contrast(128); }, {100, 127, 200}, {86, 127, 236}},
        {"less contrast", [](TwwBitmap& b) { b.Contrast(-100); }, {100, 127, 200}, {110, 127, 172}},
        {"contrast clamped", [](TwwBitmap& b) { b.Contrast(1024); }, {0, 127, 255}, {0, 131, 255}},
        // v + c/2 - 128: white takes 1 away, black 128, clamped at 0.
        {"tint white", [](TwwBitmap& b) { b.Tint(255, 255, 255); }, {100, 0, 255}, {99, 0, 254}},
        {"tint black", [](TwwBitmap& b) { b.Tint(0, 0, 0); }, {100, 200, 255}, {0, 72, 127}},
        // Channels come in red, green, blue; memory holds blue first.
        {"tint red", [](TwwBitmap& b) { b.Tint(255, 0, 0); }, {100, 200, 250}, {0, 72, 249}},
        {"add", [](TwwBitmap& b) { b.AddColor(10, -50, 200); }, {50, 80, 100}, {250, 30, 110}},
        {"add clamped", [](TwwBitmap& b) { b.AddColor(300, -300, 0); }, {50, 80, 100}, {50, 0, 255}},
        {"grey", [](TwwBitmap& b) { b.Saturation(0); }, {30, 60, 90}, {60, 60, 60}},
        {"stronger", [](TwwBitmap& b) { b.Saturation(512); }, {30, 60, 90}, {0, 60, 120}},
        // Each third truncated on its own: 10/3 + 20/3 + 31/3 = 3 + 6 + 10.
        {"grayscale", [](TwwBitmap& b) { b.Grayscale(); }, {10, 20, 31}, {19, 19, 19}},
        {"grayscale white", [](TwwBitmap& b) { b.Grayscale(); }, {255, 255, 255}, {255, 255, 255}},
        {"invert", [](TwwBitmap& b) { b.Invert(); }, {0, 100, 255}, {255, 155, 0}},
        // Colour arguments hold red in the high byte: 0x112233 is red 0x11, green 0x22, blue 0x33.
        {"mask hit", [](TwwBitmap& b) { b.MaskColor(0x112233); }, {0x33, 0x22, 0x11}, {0, 0, 0}},
        {"mask miss", [](TwwBitmap& b) { b.MaskColor(0x112233); }, {0x11, 0x22, 0x33}, {255, 255, 255}},
        {"replace hit", [](TwwBitmap& b) { b.ReplaceColor(0x0000FF, 0x112233); }, {0x33, 0x22, 0x11}, {255, 0, 0}},
        {"replace miss",
         [](TwwBitmap& b) { b.ReplaceColor(0x0000FF, 0x112233); },
         {0x11, 0x22, 0x33},
         {0x11, 0x22, 0x33}},
    };
    for (const auto& c : cases) {
        TwwBitmap bitmap = Single(c.before);
        c.effect(bitmap);
        EXPECT_EQ(At(bitmap, 0, 0), c.after) << c.name;
    }
}

TEST(WwBitmap, TintLeavesTheKeyColourAlone) {
    TwwBitmap bitmap;
    bitmap.NewImage(2, 1);
    bitmap.RowTable()[0][0] = 0;  // pixel 0: blue 0, green 255, red 255 = yellow
    bitmap.KeyColor = clYellow;
    bitmap.Tint(0, 0, 0);
    EXPECT_EQ(At(bitmap, 0, 0), (Pixel{0, 255, 255}));
    EXPECT_EQ(At(bitmap, 1, 0), (Pixel{127, 127, 127}));
}

// The neighbour effects work in place from the top left, so they read neighbours they have already changed.
TEST(WwBitmap, NeighbourEffectsReadTheirNeighboursInPlaceWithClampedCoordinates) {
    const struct {
        const char* name;
        void (*effect)(TwwBitmap&);
        std::vector<Pixel> after;
    } cases[] = {
        {"blur step 1",
         [](TwwBitmap& b) { b.BlurStep(1); },
         {{57, 28, 197},
          {93, 46, 161},
          {114, 57, 140},
          {67, 33, 187},
          {88, 44, 166},
          {113, 56, 141},
          {68, 34, 186},
          {100, 50, 153},
          {113, 56, 140}}},
        {"blur 2: steps 2 and 1",
         [](TwwBitmap& b) { b.Blur(2); },
         {{76, 38, 178},
          {79, 39, 174},
          {80, 39, 173},
          {82, 41, 171},
          {82, 41, 171},
          {86, 43, 166},
          {84, 42, 168},
          {86, 43, 166},
          {87, 43, 165}}},
        {"sharpen 1",
         [](TwwBitmap& b) { b.Sharpen(1); },
         {{0, 0, 255},
          {5, 2, 249},
          {61, 30, 194},
          {99, 48, 156},
          {165, 82, 89},
          {234, 116, 21},
          {0, 0, 255},
          {69, 34, 185},
          {153, 77, 101}}},
        // The last two rows compare with pixel (1, 2) as it was before.
        {"emboss",
         [](TwwBitmap& b) { b.Emboss(); },
         {{67, 97, 188},
          {60, 94, 194},
          {79, 103, 176},
          {117, 122, 137},
          {142, 135, 112},
          {167, 147, 87},
          {96, 112, 159},
          {127, 127, 127},
          {159, 143, 96}}},
        {"spray 3 from seed 12345",
         [](TwwBitmap& b) {
             RandSeed = 12345;
             b.Spray(3);
         },
         {{121, 60, 134},
          {121, 60, 134},
          {171, 85, 84},
          {28, 14, 227},
          {121, 60, 134},
          {154, 77, 101},
          {28, 14, 227},
          {154, 77, 101},
          {154, 77, 101}}},
    };
    for (const auto& c : cases) {
        TwwBitmap bitmap = Steps(3, 3);
        c.effect(bitmap);
        EXPECT_EQ(Pixels(bitmap), c.after) << c.name;
    }
}

TEST(WwBitmap, EmbossOnASingleRowOrColumnStaysInsideTheImage) {
    // Every row is among the last two and compares with pixel (1, height - 1), or column 0 when there is no 1.
    const struct { int width, height; } sizes[] = {{1, 1}, {1, 4}, {4, 1}};
    for (const auto& size : sizes) {
        TwwBitmap bitmap = Steps(size.width, size.height);
        TwwBitmap original(bitmap);
        bitmap.Emboss();
        const Pixel n = At(original, size.width > 1 ? 1 : 0, size.height - 1);
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x) {
                const Pixel v = At(original, x, y);
                const Pixel expected = {(v[0] + 255 - n[0]) / 2, (v[1] + 255 - n[1]) / 2, (v[2] + 255 - n[2]) / 2};
                if (size.height > 2 && y < size.height - 2) continue;
                EXPECT_EQ(At(bitmap, x, y), expected) << size.width << "x" << size.height << " at " << x << "," << y;
            }
    }
}

TEST(WwBitmap, RotateTurnsAboutTheCornerOfTheCentrePixelAndFillsWithTheTopLeftColour) {
    // About (2, 2) of a 4 x 4 picture, the middle of the picture: every pixel comes from (y, 3 - x).
    TwwBitmap square = Pattern(4, 4);
    TwwBitmap original(square);
    square.Rotate(-1, -1, 90);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(At(square, x, y), At(original, y, 3 - x)) << x << "," << y;
    // About (1, 1) of a 3 x 3 picture the right column comes from outside and takes the top-left colour.
    TwwBitmap odd = Pattern(3, 3);
    TwwBitmap oddOriginal(odd);
    odd.Rotate(-1, -1, 90);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(At(odd, 0, y), At(oddOriginal, y, 1)) << y;
        EXPECT_EQ(At(odd, 1, y), At(oddOriginal, y, 0)) << y;
        EXPECT_EQ(At(odd, 2, y), At(oddOriginal, 0, 0)) << y;
    }
    // 45 degrees: (Round(...) - 1) div 2 truncates toward zero, so -1 div 2 is row 0, not -1.
    TwwBitmap turned = Pattern(4, 4);
    turned.Rotate(-1, -1, 45);
    EXPECT_EQ(At(turned, 0, 0), At(original, 0, 2));
    EXPECT_EQ(At(turned, 3, 3), At(original, 3, 2));
    EXPECT_EQ(At(turned, 0, 3), At(original, 2, 3));
    EXPECT_EQ(At(turned, 3, 0), At(original, 2, 0));
}

TEST(WwBitmap, WaveShiftsRowsAndColumnsAlongSines) {
    const Pixel white{255, 255, 255};
    const struct {
        const char* name;
        bool wrap;
        int amplitude, rowPeriod, columnPeriod;
        std::vector<Pixel> after;
    } cases[] = {
        // Row shifts 0, 1, 1 and column shifts 0, 1, 1, 0; sources past the bottom or right stay white.
        {"no wrap",
         false,
         1,
         1,
         1,
         {{0, 0, 255},
          {121, 60, 134},
          {171, 85, 84},
          {111, 55, 144},
          {121, 60, 134},
          {154, 77, 101},
          {217, 108, 38},
          white,
          {91, 45, 164},
          white,
          white,
          white}},
        // Row shifts 0, -2, -2 and column shifts 0, -1, -2, -2: sources above or left stay white.
        {"no wrap, negative",
         false,
         -2,
         1,
         2,
         {{0, 0, 255}, white, white, white, white, white, white, white, white, white, {0, 0, 255}, {37, 18, 218}}},
        // Column -1 wraps to width - 2 and row -1 to height - 2, as the formulas say.
        {"wrap",
         true,
         -2,
         1,
         2,
         {{0, 0, 255},
          {121, 60, 134},
          {74, 37, 181},
          {111, 55, 144},
          {121, 60, 134},
          {154, 77, 101},
          {71, 35, 184},
          {121, 60, 134},
          {91, 45, 164},
          {74, 37, 181},
          {28, 14, 227},
          {91, 45, 164}}},
    };
    for (const auto& c : cases) {
        TwwBitmap bitmap = Steps(4, 3);
        bitmap.Wave(c.wrap, c.amplitude, c.rowPeriod, c.columnPeriod);
        EXPECT_EQ(Pixels(bitmap), c.after) << c.name;
    }
}

TEST(WwBitmap, CopiesOwnTheirPixels) {
    TwwBitmap bitmap = Pattern(3, 3);
    const QImage shown = bitmap.Image();
    TwwBitmap copy(bitmap);
    copy.Flip(true);
    bitmap.Lightness(255);
    EXPECT_EQ(shown.pixelColor(0, 0).blue(), 1) << "an image handed out keeps what it showed";
    EXPECT_EQ(At(copy, 2, 0)[0], 1);
    int changes = 0;
    copy.OnChange = [&](QObject*) { ++changes; };
    copy.Flip(false);
    copy.MuteChanges = true;
    copy.Flip(false);
    EXPECT_EQ(changes, 1);
}

}  // namespace
