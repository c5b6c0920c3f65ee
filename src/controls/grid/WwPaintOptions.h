// TwwGridPaintOptions: a grid's background picture, alternating row colour and active record colour, with
// the images, prepared once per change, from which the grid copies its cells' backgrounds.
#pragma once

#include "controls/grid/WwBitmap.h"
#include "platform/ui/Color.h"
#include "platform/ui/EnumSet.h"
#include "platform/ui/Graphic.h"
#include "platform/ui/Picture.h"

#include <memory>

class TwwCustomDBGrid;

enum TwwBackgroundDrawStyle { bdsTile, bdsStretch, bdsTopLeft, bdsCenter };
enum TwwBackgroundOption {
    coFillDataCells,
    coBlendFixedRow,
    coBlendFixedColumn,
    coBlendActiveRecord,
    coBlendAlternatingRow
};
using TwwBackgroundOptions = ui::SetOf<TwwBackgroundOption>;
enum TwwAlternatingRowRegion { arrFixedColumns, arrDataColumns, arrActiveDataColumn };
using TwwAlternatingRowRegions = ui::SetOf<TwwAlternatingRowRegion>;

// All images are in the grid's own pixel coordinates, so a cell copies its very rectangle out of them.
class TwwGridPaintOptions {
public:
    explicit TwwGridPaintOptions(TwwCustomDBGrid* grid);
    TwwGridPaintOptions(const TwwGridPaintOptions&) = delete;
    TwwGridPaintOptions& operator=(const TwwGridPaintOptions&) = delete;
    ~TwwGridPaintOptions();

    // Each setter does nothing for an unchanged value; otherwise it marks the images stale and repaints.
    // clNone switches alternating colours off.
    TColor AlternatingRowColor() const { return alternatingRowColor_; }
    void SetAlternatingRowColor(TColor color);
    // clNone: the grid uses the system highlight colour.
    TColor ActiveRecordColor() const { return activeRecordColor_; }
    void SetActiveRecordColor(TColor color);
    TwwBackgroundOptions BackgroundOptions() const { return backgroundOptions_; }
    void SetBackgroundOptions(TwwBackgroundOptions options);
    // Changing the picture object itself (loading a file into it) marks nothing stale; SetBackgroundBitmap does.
    TPicture& BackgroundBitmap() { return backgroundBitmap_; }
    void SetBackgroundBitmap(const TPicture& picture);
    TwwBackgroundDrawStyle BackgroundDrawStyle() const { return backgroundDrawStyle_; }
    void SetBackgroundDrawStyle(TwwBackgroundDrawStyle style);
    // Repaints without marking the images stale.
    TwwAlternatingRowRegions AlternatingRowRegions() const { return alternatingRowRegions_; }
    // The grid scrolls records by moving the painted rows rather than repainting them.
    bool FastRecordScrolling = true;

    // The grid sets both to its TitleColor whenever its layout changes.
    TColor FixedColumnTint = clBtnFace;
    TColor FixedRowTint = clBtnFace;
    // Set by every setter but AlternatingRowRegions' and by the grid's resizing; cleared by BuildImages.
    bool ImagesStale = false;

    // Paints the background into the grid bitmap and prepares the copy and the blended images (only when
    // force or ImagesStale).
    void BuildImages(bool force);
    // The grid bitmap's canvas.
    TCanvas& PaintCanvas() { return gridBitmap_.Canvas(); }
    // A background copy exists and coFillDataCells is set.
    bool FillsDataCells() const;

    // The prepared images; null when their conditions are not met.
    const TBitmap* BackgroundCopy() const { return backgroundCopy_.get(); }
    const TwwBitmap* AlternatingRowImage() const { return alternatingRowImage_.get(); }
    const TwwBitmap* ActiveRecordImage() const { return activeRecordImage_.get(); }
    const TwwBitmap* FixedRowImage() const { return fixedRowImage_.get(); }
    const TwwBitmap* FixedColumnImage() const { return fixedColumnImage_.get(); }
    const TBitmap& GridBitmap() const { return gridBitmap_; }

    // Copies the rectangle of an image into the same rectangle of the canvas.
    static void CopyRect(TCanvas& canvas, const TRect& rect, const TGraphic& image);

private:
    void MarkStale();
    // A blended image: kept and refilled from the grid bitmap (size w x h) when wanted, else dropped.
    void BuildBlend(std::unique_ptr<TwwBitmap>& image, bool wanted, int width, int height, TColor tint);

    TwwCustomDBGrid* grid_;
    TColor alternatingRowColor_ = clNone;
    TColor activeRecordColor_ = clNone;
    TwwBackgroundOptions backgroundOptions_;
    TPicture backgroundBitmap_;
    TwwBackgroundDrawStyle backgroundDrawStyle_ = bdsTile;
    TwwAlternatingRowRegions alternatingRowRegions_{arrFixedColumns, arrDataColumns, arrActiveDataColumn};
    // The grid's cells are double-buffered by the toolkit; this is the one picture the background is painted in.
    TBitmap gridBitmap_;
    std::unique_ptr<TBitmap> backgroundCopy_;
    std::unique_ptr<TwwBitmap> alternatingRowImage_;
    std::unique_ptr<TwwBitmap> activeRecordImage_;
    std::unique_ptr<TwwBitmap> fixedRowImage_;
    std::unique_ptr<TwwBitmap> fixedColumnImage_;
};
