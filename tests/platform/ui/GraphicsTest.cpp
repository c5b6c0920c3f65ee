// Canvas pixel rules, colours, and pictures: JPEG through libjpeg into a picture.
#include "platform/ui/Canvas.h"
#include "platform/ui/Graphic.h"
#include "platform/ui/Image.h"
#include "platform/ui/Jpeg.h"
#include "platform/ui/Picture.h"
#include "support/JpegBytes.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>

using testing_env::EncodeJpeg;

namespace {

bool Near(QColor c, int r, int g, int b) {
    return std::abs(c.red() - r) < 40 && std::abs(c.green() - g) < 40 && std::abs(c.blue() - b) < 40;
}

}  // namespace

TEST(Canvas, TextRectClipsToItsRectangle) {
    TBitmap bitmap;
    bitmap.SetSize(200, 40);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().Color = clWhite;
    canvas.FillRect(Rect(0, 0, 200, 40));
    canvas.Brush().Color = clYellow;
    canvas.Font().SetColor(clBlack);
    canvas.Font().SetHeight(-20);
    const TRect cell = Rect(10, 5, 40, 30);
    canvas.TextRect(cell, 12, 5, QStringLiteral("WWWWWWWWWW"));
    const QImage image = bitmap.Image();
    int darkInside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            const QColor c = image.pixelColor(x, y);
            const bool inside = x >= cell.Left && x < cell.Right && y >= cell.Top && y < cell.Bottom;
            if (!inside) {
                ASSERT_EQ(c, QColor(Qt::white)) << "painted outside at " << x << "," << y;
            } else if (c.lightness() < 100) {
                ++darkInside;
            }
        }
    EXPECT_GT(darkInside, 20);
    EXPECT_EQ(image.pixelColor(cell.Right - 1, cell.Bottom - 1).rgb() & 0xFFFFFF, 0xFFFF00u);  // opaque fill
}

TEST(Canvas, ShapesLeaveTheRightAndBottomEdgesOut) {
    TBitmap bitmap;
    bitmap.SetSize(20, 20);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().Color = clWhite;
    canvas.FillRect(Rect(0, 0, 20, 20));
    canvas.Pen().Color = clRed;
    canvas.Brush().Color = clBlue;
    canvas.Rectangle(2, 2, 10, 10);
    canvas.MoveTo(0, 15);
    canvas.LineTo(5, 15);
    const QImage image = bitmap.Image();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(9, 9), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(4, 15), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(5, 15), QColor(Qt::white));
}

TEST(Color, EncodesAsTheFrameworkAndMapsSystemColoursToThePalette) {
    EXPECT_EQ(RGB(1, 2, 3), 0x030201);
    EXPECT_EQ(ui::ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ui::FromQColor(QColor(0, 0, 255)), clBlue);
    const QPalette palette = QApplication::palette();
    EXPECT_EQ(ui::ToQColor(clBtnFace), palette.color(QPalette::Button));
    EXPECT_EQ(ui::ToQColor(clWindow), palette.color(QPalette::Base));
    EXPECT_EQ(ui::ToQColor(clHighlight), palette.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(ui::ToQColor(clInfoBk), palette.color(QPalette::ToolTipBase));
    EXPECT_EQ(ColorToRGB(clBtnFace), ui::FromQColor(palette.color(QPalette::Button)));
}

TEST(Jpeg, DecodesThroughLibjpegIntoAPicture) {
    const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("splash.JPG"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(EncodeJpeg(450, 300));
    file.close();

    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](QObject*) { ++changes; };
    picture.LoadFromFile(path);
    ASSERT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 450);
    EXPECT_EQ(picture.Height(), 300);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(Near(picture.Graphic()->Image().pixelColor(10, 150), 255, 0, 0));
    EXPECT_TRUE(Near(picture.Graphic()->Image().pixelColor(440, 150), 0, 0, 255));

    TImage image(nullptr);
    image.SetAutoSize(true);
    image.Picture().Assign(picture);
    EXPECT_EQ(image.Width(), 450);
    EXPECT_EQ(image.Height(), 300);
}

TEST(Jpeg, BrokenDataRaisesInsteadOfEndingTheProgram) {
    TJPEGImage jpeg;
    EXPECT_THROW(jpeg.LoadFromBytes(QByteArray("not a picture")), EInvalidGraphic);
    EXPECT_THROW(jpeg.LoadFromBytes(QByteArray()), EInvalidGraphic);
    QByteArray truncated = EncodeJpeg(64, 64).left(20);
    EXPECT_THROW(jpeg.LoadFromBytes(truncated), EInvalidGraphic);
    TPicture picture;
    EXPECT_THROW(picture.LoadFromFile(QStringLiteral("x.gif")), EInvalidGraphic);
}
