// TwwBitmap: drawing onto a canvas (plain, transparent, stretched, tiled), copies in and out, pixels put aside
// and the change listeners.
#include "controls/grid/WwBitmap.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Jpeg.h"

#include "BitmapPixels.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace bitmap_test;

constexpr QRgb kGrey = 0xFF808080;

// A grey framework bitmap to draw on.
TBitmap Target(int width, int height) {
    TBitmap target;
    target.SetSize(width, height);
    target.Canvas().Brush().Color = RGB(0x80, 0x80, 0x80);
    target.Canvas().FillRect({0, 0, width, height});
    return target;
}

// A stored pixel as the target shows it.
QRgb Shown(Pixel p) { return qRgb(p[2], p[1], p[0]); }

QRgb OnTarget(const TBitmap& bitmap, int x, int y) { return bitmap.Image().pixel(x, y) | 0xFF000000; }

TEST(WwBitmapDraw, SmoothStretchingBlendsFourPixelsInFifteenBitFixedPoint) {
    // From 2 x 1 to 4 x 1 the step is 8192: a quarter more of the right pixel at each column, never all of it.
    TwwBitmap line;
    line.NewImage(2, 1);
    Put(line, 0, 0, {0, 0, 0});
    Put(line, 1, 0, {200, 100, 52});
    TwwBitmap wide = line.SmoothStretched(4, 1);
    EXPECT_EQ(Pixels(wide), (std::vector<Pixel>{{0, 0, 0}, {50, 25, 13}, {100, 50, 26}, {150, 75, 39}}));
    // From 2 x 2 to 3 x 3 each side steps by 10922/32768.
    TwwBitmap square = Steps(2, 2);
    TwwBitmap stretched = square.SmoothStretched(3, 3);
    EXPECT_EQ(Pixels(stretched), (std::vector<Pixel>{{0, 0, 255},
                                                     {12, 5, 242},
                                                     {24, 11, 230},
                                                     {23, 11, 231},
                                                     {37, 18, 217},
                                                     {51, 25, 203},
                                                     {47, 23, 207},
                                                     {62, 30, 192},
                                                     {77, 38, 177}}));
    EXPECT_TRUE(square.SmoothStretched(0, 3).Empty());
    // A one-row source reads the same row twice.
    EXPECT_EQ(line.SmoothStretched(4, 3).Height(), 3);
}

TEST(WwBitmapDraw, DrawCopiesAtItsSizeAndStretchesOtherwise) {
    TwwBitmap line;
    line.NewImage(2, 1);
    Put(line, 0, 0, {0, 0, 0});
    Put(line, 1, 0, {200, 100, 52});
    // Nearest pixel without Smoothing.
    TBitmap target = Target(5, 2);
    line.Draw(target.Canvas(), {1, 1, 5, 2});
    EXPECT_EQ(OnTarget(target, 0, 1), kGrey);
    EXPECT_EQ(OnTarget(target, 1, 1), Shown({0, 0, 0}));
    EXPECT_EQ(OnTarget(target, 2, 1), Shown({0, 0, 0}));
    EXPECT_EQ(OnTarget(target, 3, 1), Shown({200, 100, 52}));
    EXPECT_EQ(OnTarget(target, 4, 1), Shown({200, 100, 52}));
    EXPECT_EQ(OnTarget(target, 1, 0), kGrey);
    // Bilinear with Smoothing, at the rectangle's corner.
    line.Smoothing = true;
    line.Draw(target.Canvas(), {1, 0, 5, 1});
    EXPECT_EQ(OnTarget(target, 2, 0), Shown({50, 25, 13}));
    EXPECT_EQ(OnTarget(target, 4, 0), Shown({150, 75, 39}));
    // Resize stretches through the bitmap's own drawing.
    line.Resize(4, 1);
    EXPECT_EQ(Pixels(line), (std::vector<Pixel>{{0, 0, 0}, {50, 25, 13}, {100, 50, 26}, {150, 75, 39}}));
    line.Resize(4, 1);
    EXPECT_EQ(At(line, 3, 0), (Pixel{150, 75, 39}));
}

TEST(WwBitmapDraw, TransparentDrawingLeavesTheTargetWhereTheKeyColourIs) {
    TwwBitmap bitmap;
    bitmap.NewImage(2, 2);
    const Pixel red{0, 0, 255}, blue{255, 0, 0}, green{0, 255, 0};
    Put(bitmap, 0, 0, red);
    Put(bitmap, 1, 0, blue);
    Put(bitmap, 0, 1, green);
    Put(bitmap, 1, 1, red);
    bitmap.Transparent = true;
    // clNone: the top-left pixel's colour is transparent.
    TBitmap target = Target(3, 3);
    bitmap.Draw(target.Canvas(), {1, 1, 3, 3});
    EXPECT_EQ(OnTarget(target, 1, 1), kGrey);
    EXPECT_EQ(OnTarget(target, 2, 1), Shown(blue));
    EXPECT_EQ(OnTarget(target, 1, 2), Shown(green));
    EXPECT_EQ(OnTarget(target, 2, 2), kGrey);
    // The mask is kept until the image is re-created: a new KeyColor waits for it.
    bitmap.KeyColor = clBlue;
    TBitmap kept = Target(2, 2);
    bitmap.Draw(kept.Canvas(), {0, 0, 2, 2});
    EXPECT_EQ(OnTarget(kept, 0, 0), kGrey);
    EXPECT_EQ(OnTarget(kept, 1, 0), Shown(blue));
    TwwBitmap fresh(bitmap);
    TBitmap keyed = Target(2, 2);
    fresh.Draw(keyed.Canvas(), {0, 0, 2, 2});
    EXPECT_EQ(OnTarget(keyed, 0, 0), Shown(red));
    EXPECT_EQ(OnTarget(keyed, 1, 0), kGrey);
    // Stretched, the key colour is looked for among the stretched pixels.
    TBitmap wide = Target(4, 2);
    fresh.Draw(wide.Canvas(), {0, 0, 4, 2});
    EXPECT_EQ(OnTarget(wide, 0, 0), Shown(red));
    EXPECT_EQ(OnTarget(wide, 2, 0), kGrey);
    EXPECT_EQ(OnTarget(wide, 3, 0), kGrey);
}

TEST(WwBitmapDraw, TileDrawRepeatsTheImageFromTheOffset) {
    TwwBitmap bitmap;
    bitmap.NewImage(2, 1);
    Put(bitmap, 0, 0, {0, 0, 255});
    Put(bitmap, 1, 0, {255, 0, 0});
    TBitmap target = Target(6, 3);
    bitmap.TileDraw(target.Canvas(), 1, 0, 5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(OnTarget(target, x, y), Shown(x % 2 == 0 ? Pixel{255, 0, 0} : Pixel{0, 0, 255})) << x << "," << y;
    EXPECT_EQ(OnTarget(target, 5, 0), kGrey);
    TwwBitmap empty;
    empty.TileDraw(target.Canvas(), 0, 0, 6, 3);
}

TEST(WwBitmapDraw, PixelsPutAsideComeBackOnce) {
    TwwBitmap bitmap = Pattern(3, 2);
    const std::vector<Pixel> original = Pixels(bitmap);
    bitmap.SaveToMemory();
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_TRUE(bitmap.HasSavedPixels());
    bitmap.RestoreFromMemory();
    EXPECT_EQ(Pixels(bitmap), original);
    EXPECT_FALSE(bitmap.HasSavedPixels());
    bitmap.RestoreFromMemory();
    EXPECT_EQ(Pixels(bitmap), original);
    bitmap.SaveToMemory();
    bitmap.FreeSavedPixels();
    bitmap.RestoreFromMemory();
    EXPECT_TRUE(bitmap.Empty());
    // Fewer bytes than the image needs leave the rest white.
    bitmap.LoadFromSavedPixels(QByteArray("\x01\x02\x03", 3), 2, 1);
    EXPECT_EQ(Pixels(bitmap), (std::vector<Pixel>{{1, 2, 3}, {255, 255, 255}}));
}

TEST(WwBitmapDraw, AssigningCopiesPixelsAndLookIntoBitmapsAndRefusesOtherGraphics) {
    TwwBitmap source = Pattern(3, 2);
    source.Transparent = true;
    source.Smoothing = true;
    source.KeyColor = clRed;
    TwwBitmap copy;
    int changes = 0;
    copy.OnChange = [&](QObject*) { ++changes; };
    copy.Assign(&source);
    EXPECT_EQ(Pixels(copy), Pixels(source));
    EXPECT_TRUE(copy.Transparent);
    EXPECT_TRUE(copy.Smoothing);
    EXPECT_EQ(copy.KeyColor, clRed);
    EXPECT_EQ(changes, 1);
    TwwBitmap empty;
    empty.AssignTo(copy);
    EXPECT_TRUE(copy.Empty());

    TBitmap framework;
    source.AssignTo(framework);
    EXPECT_EQ(OnTarget(framework, 2, 1), Shown(At(source, 2, 1)));
    TwwBitmap back;
    back.LoadFromGraphicDrawn(framework);
    EXPECT_EQ(Pixels(back), Pixels(source));

    TJPEGImage jpeg;
    try {
        source.AssignTo(jpeg);
        FAIL() << "assigned to a JPEG image";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TwwBitmap to a TJPEGImage");
    }
}

TEST(WwBitmapDraw, StreamsHoldABitmapFile) {
    TwwBitmap source = Pattern(3, 2);
    TMemoryStream stream;
    source.SaveToStream(stream);
    EXPECT_TRUE(stream.Memory().startsWith("BM"));
    stream.SetPosition(0);
    TwwBitmap loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(Pixels(loaded), Pixels(source));
}

struct RecordingListener : controls::BitmapChangeListener {
    explicit RecordingListener(std::vector<int>& log, int id) : log(log), id(id) {}
    void BitmapChanged(TwwBitmap& sender) override {
        log.push_back(id);
        senders.push_back(&sender);
    }
    std::vector<int>& log;
    int id;
    std::vector<TwwBitmap*> senders;
};

TEST(WwBitmapDraw, ChangeListenersAreToldInTheirOrderAfterOnChange) {
    std::vector<int> log;
    RecordingListener first(log, 1), second(log, 2);
    TwwBitmap bitmap = Pattern(2, 2);
    bitmap.OnChange = [&](QObject*) { log.push_back(0); };
    bitmap.AddChangeListener(&first);
    bitmap.AddChangeListener(&second);
    bitmap.Invert();
    EXPECT_EQ(log, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(first.senders, std::vector<TwwBitmap*>{&bitmap});
    bitmap.RemoveChangeListener(&first);
    bitmap.MuteChanges = true;
    bitmap.Invert();
    bitmap.MuteChanges = false;
    bitmap.Grayscale();
    EXPECT_EQ(log, (std::vector<int>{0, 1, 2, 0, 2}));
}

}  // namespace
