// TwwBitmap: a 24-bit top-down picture with a row table over its pixel memory, a canvas to draw into it and
// the in-place pixel effects the grid's paint options blend their background images with.
#pragma once

#include "platform/ui/Canvas.h"
#include "platform/ui/Color.h"
#include "platform/ui/Events.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Graphic.h"

#include <QImage>
#include <memory>
#include <vector>

// Pixels are three bytes, blue, green, red; each row is followed by width mod 4 padding bytes, so every row
// is a multiple of 4 bytes long. Row 0 is the top row.
class TwwBitmap : public TGraphic {
public:
    TwwBitmap() = default;
    // A copy owns pixels of its own.
    TwwBitmap(const TwwBitmap& other);
    TwwBitmap& operator=(const TwwBitmap&) = delete;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TwwBitmap>(*this); }

    // The pixels (what the canvas painted is finished first).
    const QImage& Image() const override;
    // Reads a BMP through the framework's bitmap.
    void LoadFromBytes(const QByteArray& bytes) override;

    // ---- size and content
    // A new white image of the size; a zero side leaves the bitmap empty.
    void NewImage(int width, int height);
    // NewImage only when the size differs: an unchanged size keeps the pixels.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    // Empties the bitmap.
    void Release();
    void Clear() { Release(); }
    int RowPadding() const { return Width() % 4; }
    int RowStride() const { return 3 * Width() + RowPadding(); }
    int ImageSize() const { return RowStride() * Height(); }
    // The start of each row in the pixel memory, top row first; empty for an empty bitmap.
    std::vector<uchar*> RowTable();
    // A canvas on the pixels; valid until the image is released or re-created.
    TCanvas& Canvas();

    // ---- copying in and out
    void LoadFromBitmap(const TBitmap& source);
    void LoadFromGraphic(const TGraphic& source);
    // Null or an empty graphic empties the bitmap.
    void Assign(const TGraphic* source);
    void CopyToBitmap(TBitmap& target) const;
    // The picture at the rectangle: copied at its own size, otherwise stretched.
    void Draw(TCanvas& canvas, const TRect& rect) const;

    // ---- pixel effects, in place
    // a <= 0 darkens by |a|/256 of each channel, a > 0 lightens by a/256 of the way to white; 0 keeps the image.
    void Lightness(int amount);
    // 256 keeps the image, 0 makes it grey, more than 256 strengthens the colours.
    void Saturation(int amount);
    // Each channel v becomes v + c div 2 - 128 for the colour's channel c; pixels of KeyColor stay when it is set.
    void Tint(int red, int green, int blue);
    // horizontal: each row mirrored left to right; else the rows swapped top to bottom.
    void Flip(bool horizontal);

    bool Smoothing = false;
    bool Transparent = false;
    // The transparent colour; clNone: the top-left pixel's colour.
    TColor KeyColor = clNone;
    // Changed does nothing while set.
    bool MuteChanges = false;
    TNotifyEvent OnChange;
    void Changed();

private:
    // Runs change on every channel value of every pixel (in place, rows from the top).
    template <typename PerPixel>
    void ForEachPixel(PerPixel change);
    void ReleaseCanvas() const;

    mutable std::unique_ptr<TCanvas> canvas_;
};
