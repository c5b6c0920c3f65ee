// The grid's paint options (background picture, blended images, alternating rows) and its picture cells
// ("ImageIndex" from an image list, "Bitmap" from a blob field), read back from its pixels.
#include "GridFixture.h"
#include "platform/rtl/Messages.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Picture.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QRect>
#include <cstring>

namespace {

using grid_test::GridTest;
using grid_test::Rgb;

// The box of the pixels of one colour inside r; empty when there are none.
QRect ColorBox(const QImage& image, const TRect& r, TColor color) {
    QRect box;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (image.pixel(x, y) == Rgb(color)) box |= QRect(x, y, 1, 1);
    return box;
}

TBitmap Solid(int width, int height, TColor color) {
    TBitmap bitmap;
    bitmap.SetSize(width, height);
    bitmap.Canvas().Brush().Color = color;
    bitmap.Canvas().FillRect({0, 0, width, height});
    return bitmap;
}

// A picture whose red channel counts the column: pixel x has red x mod 256.
TPicture ColumnRamp(int width, int height) {
    TBitmap bitmap;
    bitmap.SetSize(width, height);
    for (int x = 0; x < width; ++x) {
        bitmap.Canvas().Brush().Color = RGB(x % 256, 0, 0);
        bitmap.Canvas().FillRect({x, 0, x + 1, height});
    }
    TPicture picture;
    picture.SetGraphic(&bitmap);
    return picture;
}

TEST_F(GridTest, PaintOptionsBuildOnlyTheImagesTheirOptionsAskFor) {
    TwwGridPaintOptions& options = grid->PaintOptions;
    EXPECT_TRUE(options.ImagesStale) << "sizing the grid";
    options.BuildImages(false);
    EXPECT_FALSE(options.ImagesStale);
    EXPECT_EQ(options.BackgroundCopy(), nullptr) << "without a picture the grid paints plain colours";
    EXPECT_FALSE(options.FillsDataCells());
    EXPECT_EQ(options.AlternatingRowRegions(),
              (TwwAlternatingRowRegions{arrFixedColumns, arrDataColumns, arrActiveDataColumn}));
    TPicture picture;
    const TBitmap red = Solid(8, 8, clRed);
    picture.SetGraphic(&red);
    options.SetBackgroundBitmap(picture);
    EXPECT_TRUE(options.ImagesStale);
    options.BuildImages(false);
    EXPECT_FALSE(options.ImagesStale);
    ASSERT_NE(options.BackgroundCopy(), nullptr) << "a picture always gets its copy";
    EXPECT_FALSE(options.FillsDataCells()) << "but data cells show it only with coFillDataCells";
    EXPECT_EQ(options.FixedRowImage(), nullptr);
    EXPECT_EQ(options.AlternatingRowImage(), nullptr);

    options.SetAlternatingRowColor(clWhite);
    options.SetBackgroundOptions({coFillDataCells, coBlendFixedRow, coBlendAlternatingRow});
    options.FixedRowTint = clBlack;
    options.BuildImages(false);
    EXPECT_TRUE(options.FillsDataCells());
    ASSERT_NE(options.FixedRowImage(), nullptr);
    EXPECT_EQ(options.FixedRowImage()->Width(), grid->Width());
    EXPECT_EQ(options.FixedRowImage()->Height(), grid->RowHeights(0));
    // Red blended with black: each channel v + 0 div 2 - 128; with white: v - 1.
    EXPECT_EQ(options.FixedRowImage()->Image().pixel(3, 3), qRgb(127, 0, 0));
    ASSERT_NE(options.AlternatingRowImage(), nullptr);
    EXPECT_EQ(options.AlternatingRowImage()->Image().pixel(3, 3), qRgb(254, 0, 0));
    EXPECT_EQ(options.ActiveRecordImage(), nullptr) << "coBlendActiveRecord is not set";
    EXPECT_EQ(options.FixedColumnImage(), nullptr);

    options.SetBackgroundOptions({coFillDataCells});
    options.BuildImages(false);
    EXPECT_EQ(options.FixedRowImage(), nullptr);
    options.SetBackgroundBitmap(TPicture());
    options.BuildImages(false);
    EXPECT_EQ(options.BackgroundCopy(), nullptr);
    EXPECT_FALSE(options.FillsDataCells());
    EXPECT_EQ(options.AlternatingRowImage(), nullptr);
}

TEST_F(GridTest, BackgroundDrawStylesPlaceThePictureInTheGridsPixels) {
    TwwGridPaintOptions& options = grid->PaintOptions;
    const int width = grid->Width();
    const int height = grid->Height();
    const auto red = [&](int x, int y) { return qRed(options.GridBitmap().Image().pixel(x, y)); };
    // Wider than the grid and centred: it starts left of the grid.
    options.SetBackgroundBitmap(ColumnRamp(width + 200, 10));
    options.SetBackgroundDrawStyle(bdsCenter);
    options.BuildImages(true);
    EXPECT_EQ(red(0, (height - 10) / 2 + 1), 100);
    options.SetBackgroundDrawStyle(bdsTopLeft);
    options.BuildImages(true);
    EXPECT_EQ(red(7, 5), 7);
    EXPECT_EQ(options.GridBitmap().Image().pixel(7, 20), qRgb(255, 255, 255)) << "below the picture stays white";
    // Tiles reach the last pixel even where a tile is cut.
    options.SetBackgroundBitmap(ColumnRamp(3, 3));
    options.SetBackgroundDrawStyle(bdsTile);
    options.BuildImages(true);
    EXPECT_EQ(red(width - 1, height - 1), (width - 1) % 3);
    EXPECT_EQ(red(4, 4), 1);
}

class GridPictureTest : public GridTest {
protected:
    TADOQuery query;

    QImage Shot() { return grid->viewport()->grab().toImage(); }
};

TEST_F(GridPictureTest, AlternatingRowsAndABackgroundPictureFillTheDataCells) {
    AddTasks(4);
    grid->SetColor(clWhite);
    grid->Selected().SetStrings({"Subject\t12\tSubject\tF"});
    Open(query);
    grid->PaintOptions.SetAlternatingRowColor(clYellow);
    QImage shot = Shot();
    // The second and fourth records take the colour in the data columns (the first is the current cell); the
    // indicator column keeps the title colour.
    for (int row = 2; row <= 4; ++row) {
        const TRect cell = grid->CellRect(1, row);
        const TColor expected = row % 2 == 0 ? clYellow : clWhite;
        EXPECT_EQ(shot.pixel(cell.Right - 3, cell.Bottom - 2), Rgb(expected)) << row;
        const TRect indicator = grid->CellRect(0, row);
        EXPECT_EQ(shot.pixel(indicator.Left + 1, indicator.Bottom - 2), Rgb(grid->TitleColor)) << row;
    }
    grid->PaintOptions.SetAlternatingRowColor(clNone);
    TPicture picture;
    const TBitmap lime = Solid(5, 5, clLime);
    picture.SetGraphic(&lime);
    grid->PaintOptions.SetBackgroundBitmap(picture);
    grid->PaintOptions.SetBackgroundOptions({coFillDataCells});
    shot = Shot();
    EXPECT_TRUE(grid->PaintOptions.FillsDataCells());
    const TRect cell = grid->CellRect(1, 2);
    EXPECT_EQ(shot.pixel(cell.Right - 3, cell.Bottom - 2), Rgb(clLime));
    EXPECT_NE(shot.pixel(grid->CellRect(1, 0).Right - 3, 3), Rgb(clLime)) << "titles keep their colour";
    // Taking the picture away takes it out of the cells at the next paint.
    grid->PaintOptions.SetBackgroundBitmap(TPicture());
    shot = Shot();
    EXPECT_EQ(shot.pixel(cell.Right - 3, cell.Bottom - 2), Rgb(clWhite));
}

// A table of pictures: a number for an image list, a fraction, and a blob holding a BMP.
class GridPictureCellTest : public GridPictureTest {
protected:
    TImageList images{32, 32};

    static QByteArray Bmp(int width, int height, TColor color, bool header) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        Solid(width, height, color).Image().save(&buffer, "BMP");
        if (!header) return bytes;
        QByteArray head(8, '\0');
        head[0] = 1;
        head[3] = 1;  // 16-bit 256
        const quint32 length = quint32(bytes.size());
        std::memcpy(head.data() + 4, &length, 4);
        return head + bytes;
    }

    void SetUp() override {
        GridPictureTest::SetUp();
        for (TColor color : {clRed, clLime, clBlue, clYellow}) images.Add(Solid(32, 32, color).Image());
        connection.Execute("CREATE TABLE Pics (PicId INTEGER, Shade FLOAT, Pic LONGBINARY)");
        const auto insert = connection.Engine().Prepare("INSERT INTO Pics (PicId, Shade, Pic) VALUES (:I, :S, :P)");
        const struct {
            QVariant id, shade, pic;
        } rows[] = {{1, 2.9, Bmp(40, 40, clFuchsia, true)},
                    {QVariant(), QVariant(), QByteArray("not a picture at all")},
                    {3, -1.0, QVariant()}};
        for (const auto& r : rows) {
            insert->Reset();
            insert->Bind(0, r.id);
            insert->Bind(1, r.shade);
            insert->Bind(2, r.pic);
            insert->Step();
        }
        grid->SetColor(clWhite);
        grid->ImageList = &images;
        grid->Selected().SetStrings({"PicId\t2\tId\tF", "Shade\t4\tShade\tF", "Pic\t6\tPic\tF"});
        grid->ControlType().SetStrings(
            {"PicId;ImageIndex", "Shade;ImageIndex;Shrink To Fit", "Pic;Bitmap;Original Size"});
        query.SetConnection(&connection);
        query.SQL.SetText(QStringLiteral("select * from Pics order by PicId desc"));
        source.SetDataSet(&query);
        grid->SetDataSource(&source);
        query.Open();
    }
};

TEST_F(GridPictureCellTest, ImageIndexCellsShowTheNumberedImageCutOrShrunkToTheCell) {
    const QImage shot = Shot();
    // Rows: PicId 3 (shade -1), PicId 1 (shade 2.9), then the null row.
    const TRect narrow = grid->CellRect(1, 2);
    ASSERT_LT(narrow.Width(), 32) << "the column is narrower than the images";
    const QRect lime = ColorBox(shot, narrow, clLime);
    ASSERT_FALSE(lime.isEmpty()) << "image 1";
    EXPECT_LE(lime.width(), narrow.Width() - 2) << "cut two pixels short of the cell's width";
    EXPECT_LE(lime.left() - narrow.Left, 1) << "from the cell's left (the fixed column's light line may cover it)";
    EXPECT_FALSE(ColorBox(shot, grid->CellRect(2, 2), clBlue).isEmpty()) << "2.9 shows image 2, not 3";
    EXPECT_TRUE(ColorBox(shot, grid->CellRect(2, 2), clYellow).isEmpty());
    for (TColor color : {clRed, clLime, clBlue, clYellow}) {
        EXPECT_TRUE(ColorBox(shot, grid->CellRect(1, 3), color).isEmpty()) << "a null number shows no image";
        EXPECT_TRUE(ColorBox(shot, grid->CellRect(2, 1), color).isEmpty()) << "a negative number shows no image";
    }
    EXPECT_FALSE(ColorBox(shot, grid->CellRect(1, 1), clYellow).isEmpty()) << "PicId 3 shows image 3";
}

TEST_F(GridPictureCellTest, BitmapCellsStayInsideTheirCellAndADamagedPictureShowsNothing) {
    const QImage shot = Shot();
    const TRect cell = grid->CellRect(3, 2);
    const QRect picture = ColorBox(shot, {0, 0, shot.width(), shot.height()}, clFuchsia);
    ASSERT_FALSE(picture.isEmpty()) << "the header before the BMP is skipped";
    EXPECT_TRUE(QRect(cell.Left, cell.Top, cell.Width(), cell.Height()).contains(picture));
    EXPECT_EQ(picture.left(), cell.Left + 1) << "one pixel in with column lines";
    EXPECT_EQ(picture.width(), std::min(40, cell.Width() - 1));
    EXPECT_TRUE(testing_env::Messages().Requests().empty()) << "the damaged picture raised nothing";
    for (int row : {1, 3}) {
        const TRect other = grid->CellRect(3, row);
        EXPECT_EQ(shot.pixel(other.Left + 3, other.Top + 3), Rgb(clWhite)) << row;
    }
    // Fitted to a width of 2 pixels, nothing is left to draw.
    grid->ControlType().Put(2, QStringLiteral("Pic;Bitmap;Fit Width"));
    grid->CacheColumnInfo();
    grid->SetColWidths(3, 2);
    const QImage narrow = Shot();
    EXPECT_TRUE(ColorBox(narrow, {0, 0, narrow.width(), narrow.height()}, clFuchsia).isEmpty());
    grid->SetColWidths(3, 30);
    EXPECT_FALSE(ColorBox(Shot(), grid->CellRect(3, 2), clFuchsia).isEmpty()) << "at 30 pixels it shows";
}

}  // namespace
