// TwwBitmap: its row layout and the pixel effects, read back byte by byte.
#include "controls/grid/WwBitmap.h"

#include <gtest/gtest.h>
#include <array>
#include <vector>

namespace {

using Pixel = std::array<int, 3>;  // blue, green, red as stored

Pixel At(TwwBitmap& bitmap, int x, int y) {
    const uchar* p = bitmap.RowTable()[y] + 3 * x;
    return {p[0], p[1], p[2]};
}

// A picture whose every pixel differs: blue = 10x + 1, green = 20y + 2, red = x + y + 3 (more than 128 somewhere).
TwwBitmap Pattern(int width, int height) {
    TwwBitmap bitmap;
    bitmap.NewImage(width, height);
    const std::vector<uchar*> rows = bitmap.RowTable();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uchar* p = rows[y] + 3 * x;
            p[0] = uchar(10 * x + 1);
            p[1] = uchar(20 * y + 2);
            p[2] = uchar(40 * (x + y) + 3);
        }
    return bitmap;
}

std::vector<Pixel> Pixels(TwwBitmap& bitmap) {
    std::vector<Pixel> all;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) all.push_back(At(bitmap, x, y));
    return all;
}

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
        {"saturation 256", [](TwwBitmap& b) { b.Saturation(256); }},
        {"flip rows twice", [](TwwBitmap& b) { b.Flip(false), b.Flip(false); }},
        {"flip columns twice", [](TwwBitmap& b) { b.Flip(true), b.Flip(true); }},
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

TEST(WwBitmap, LightnessTintAndSaturationFollowTheirChannelFormulas) {
    const auto single = [](Pixel p) {
        TwwBitmap b;
        b.NewImage(1, 1);
        std::copy(p.begin(), p.end(), b.RowTable()[0]);
        return b;
    };
    const struct {
        const char* name;
        void (*effect)(TwwBitmap&);
        Pixel before, after;
    } cases[] = {
        // a <= 0: v - v*|a|/256; a > 0: v + a*(255 - v)/256.
        {"darker", [](TwwBitmap& b) { b.Lightness(-128); }, {100, 0, 255}, {50, 0, 128}},
        {"lighter", [](TwwBitmap& b) { b.Lightness(128); }, {100, 0, 255}, {177, 127, 255}},
        // v + c/2 - 128: white takes 1 away, black 128, clamped at 0.
        {"tint white", [](TwwBitmap& b) { b.Tint(255, 255, 255); }, {100, 0, 255}, {99, 0, 254}},
        {"tint black", [](TwwBitmap& b) { b.Tint(0, 0, 0); }, {100, 200, 255}, {0, 72, 127}},
        // Channels come in red, green, blue; memory holds blue first.
        {"tint red", [](TwwBitmap& b) { b.Tint(255, 0, 0); }, {100, 200, 250}, {0, 72, 249}},
        {"grey", [](TwwBitmap& b) { b.Saturation(0); }, {30, 60, 90}, {60, 60, 60}},
        {"stronger", [](TwwBitmap& b) { b.Saturation(512); }, {30, 60, 90}, {0, 60, 120}},
    };
    for (const auto& c : cases) {
        TwwBitmap bitmap = single(c.before);
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
