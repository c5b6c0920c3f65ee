// TwwGridPaintOptions: the setters and the build of the background and its blended images.
#include "controls/grid/WwPaintOptions.h"

#include "controls/grid/Wwdbigrd.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

// Screens of 256 colours or fewer get the picture without the copy and the blends.
bool ScreenIsShallow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && screen->depth() <= 8;
}

}  // namespace

TwwGridPaintOptions::TwwGridPaintOptions(TwwCustomDBGrid* grid) : grid_(grid) {}

TwwGridPaintOptions::~TwwGridPaintOptions() = default;

void TwwGridPaintOptions::MarkStale() {
    ImagesStale = true;
    if (grid_) grid_->Invalidate();
}

void TwwGridPaintOptions::SetAlternatingRowColor(TColor color) {
    if (color == alternatingRowColor_) return;
    alternatingRowColor_ = color;
    MarkStale();
}

void TwwGridPaintOptions::SetActiveRecordColor(TColor color) {
    if (color == activeRecordColor_) return;
    activeRecordColor_ = color;
    MarkStale();
}

void TwwGridPaintOptions::SetBackgroundOptions(TwwBackgroundOptions options) {
    if (options == backgroundOptions_) return;
    backgroundOptions_ = options;
    if (grid_) MarkStale();
}

void TwwGridPaintOptions::SetBackgroundBitmap(const TPicture& picture) {
    // Always taken over: a picture cannot be compared.
    backgroundBitmap_.Assign(picture);
    if (grid_) MarkStale();
}

void TwwGridPaintOptions::SetBackgroundDrawStyle(TwwBackgroundDrawStyle style) {
    if (style == backgroundDrawStyle_) return;
    backgroundDrawStyle_ = style;
    MarkStale();
}

bool TwwGridPaintOptions::FillsDataCells() const {
    return backgroundCopy_ && backgroundOptions_.Contains(coFillDataCells);
}

void TwwGridPaintOptions::CopyRect(TCanvas& canvas, const TRect& rect, const TGraphic& image) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    const QRect area = ui::ToQRect(rect);
    canvas.Painter().drawImage(area, image.Image(), area);
}

void TwwGridPaintOptions::BuildBlend(std::unique_ptr<TwwBitmap>& image, bool wanted, int width, int height,
                                     TColor tint) {
    if (!wanted) {
        image.reset();
        return;
    }
    if (!image) image = std::make_unique<TwwBitmap>();
    image->SetSize(width, height);
    image->Canvas().Painter().drawImage(QPoint(0, 0), gridBitmap_.Image(), QRect(0, 0, width, height));
    if (tint == clNone) return;
    const TColor rgb = ColorToRGB(tint);
    image->Tint(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

void TwwGridPaintOptions::BuildImages(bool force) {
    if (!force && !ImagesStale) return;
    ImagesStale = false;
    if (!grid_) return;
    const int width = grid_->Width();
    const int height = grid_->Height();
    gridBitmap_.SetSize(width, height);
    TCanvas& canvas = gridBitmap_.Canvas();
    canvas.Brush().Color = clWhite;
    canvas.Brush().Style = bsSolid;
    canvas.FillRect({0, 0, width, height});
    const TGraphic* picture = backgroundBitmap_.Graphic();
    const int pictureWidth = backgroundBitmap_.Width();
    const int pictureHeight = backgroundBitmap_.Height();
    // A picture without a width counts as no background.
    const bool background = picture && pictureWidth > 0 && pictureHeight > 0;
    if (background) {
        switch (backgroundDrawStyle_) {
            case bdsTile:
                // Inclusive bounds: one more row and column of copies than an exact multiple needs.
                for (int i = 0; i <= width / pictureWidth; ++i)
                    for (int j = 0; j <= height / pictureHeight; ++j)
                        canvas.Draw(pictureWidth * i, pictureHeight * j, *picture);
                break;
            case bdsStretch: canvas.StretchDraw({0, 0, width, height}, *picture); break;
            case bdsTopLeft: canvas.Draw(0, 0, *picture); break;
            case bdsCenter: canvas.Draw((width - pictureWidth) / 2, (height - pictureHeight) / 2, *picture); break;
        }
    }
    canvas.Release();
    if (ScreenIsShallow()) return;
    if (background) {
        if (!backgroundCopy_) backgroundCopy_ = std::make_unique<TBitmap>();
        backgroundCopy_->SetImage(gridBitmap_.Image());
    } else {
        backgroundCopy_.reset();
    }
    BuildBlend(activeRecordImage_,
               activeRecordColor_ != clNone && background && backgroundOptions_.Contains(coBlendActiveRecord), width,
               height, activeRecordColor_);
    BuildBlend(alternatingRowImage_,
               alternatingRowColor_ != clNone && !alternatingRowRegions_.IsEmpty() && background &&
                   backgroundOptions_.Contains(coBlendAlternatingRow),
               width, height, alternatingRowColor_);
    BuildBlend(fixedRowImage_, background && backgroundOptions_.Contains(coBlendFixedRow), width, grid_->RowHeights(0),
               FixedRowTint);
    BuildBlend(fixedColumnImage_, background && backgroundOptions_.Contains(coBlendFixedColumn), width, height,
               grid_->FixedColor() != clNone ? FixedColumnTint : clNone);
}
