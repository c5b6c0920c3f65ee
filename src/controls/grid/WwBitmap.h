// TwwBitmap: a 24-bit top-down picture with a row table over its pixel memory, a canvas to draw into it and
// the in-place pixel effects the grid's paint options blend their background images with.
#pragma once

#include "platform/ui/Canvas.h"
#include "platform/ui/Color.h"
#include "platform/ui/Events.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Graphic.h"

#include <QByteArray>
#include <QImage>
#include <memory>
#include <vector>

class TStream;
class TwwBitmap;

namespace controls {

// An object told of every change of a bitmap it listens to.
class BitmapChangeListener {
public:
    virtual ~BitmapChangeListener() = default;
    virtual void BitmapChanged(TwwBitmap& sender) = 0;
};

}  // namespace controls

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
    // The stream holds the framework bitmap's format (BMP), read from its position or written at it.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    // ---- size and content
    // A new white image of the size; a zero side leaves the bitmap empty.
    void NewImage(int width, int height);
    // NewImage only when the size differs: an unchanged size keeps the pixels.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    // A new white image of the size with the old picture stretched over it (through its own drawing, so
    // Smoothing applies); nothing when the size is unchanged.
    void Resize(int width, int height);
    // Empties the bitmap and drops the mask; the pixels saved aside stay.
    void Release();
    void Clear() { Release(); }
    int RowPadding() const { return Width() % 4; }
    int RowStride() const { return 3 * Width() + RowPadding(); }
    int ImageSize() const { return RowStride() * Height(); }
    // The start of each row in the pixel memory, top row first; empty for an empty bitmap.
    std::vector<uchar*> RowTable();
    // A canvas on the pixels; valid until the image is released or re-created.
    TCanvas& Canvas();

    // ---- pixels put aside
    // Keeps a copy of the pixels aside (an earlier one is dropped) and empties the bitmap.
    void SaveToMemory();
    // Rebuilds the image from the copy put aside, when there is one, and drops the copy.
    void RestoreFromMemory();
    void FreeSavedPixels();
    bool HasSavedPixels() const { return !savedPixels_.isEmpty(); }
    // A new image of the size from 24-bit top-down rows laid out as this bitmap lays them out; bytes
    // beyond the given count stay white.
    void LoadFromSavedPixels(const QByteArray& pixels, int width, int height);

    // ---- copying in and out
    void LoadFromBitmap(const TBitmap& source);
    // Through a framework bitmap assigned the graphic.
    void LoadFromGraphic(const TGraphic& source);
    // Through a white framework bitmap of the graphic's size with the graphic drawn on it.
    void LoadFromGraphicDrawn(const TGraphic& source);
    // Null or an empty graphic empties the bitmap; another TwwBitmap copies itself here (AssignTo).
    void Assign(const TGraphic* source);
    // Into a framework bitmap or another TwwBitmap (an empty one empties it); anything else raises
    // EConvertError "Cannot assign a ... to a ...".
    void AssignTo(TGraphic& destination) const;
    void CopyToBitmap(TBitmap& target) const;

    // ---- drawing onto a canvas
    // At the image's size: a copy (without the key colour's pixels when Transparent); otherwise stretched,
    // bilinearly with Smoothing.
    void Draw(TCanvas& canvas, const TRect& rect) const;
    // Nearest-pixel stretching; with Transparent the key colour's pixels leave the target as it was.
    void StretchDraw(TCanvas& canvas, const TRect& rect) const;
    // Bilinear stretching in 15-bit fixed point, drawn at the rectangle's top-left corner.
    void SmoothStretchDraw(TCanvas& canvas, const TRect& rect) const;
    // The image at its own size at the rectangle's corner; where the mask is black (the key colour) the target stays.
    void TransparentDraw(TCanvas& canvas, const TRect& rect) const;
    // Copies of the image side by side from (-offsetX, -offsetY) over width x height.
    void TileDraw(TCanvas& canvas, int offsetX, int offsetY, int width, int height) const;
    // The image stretched bilinearly to the size, as SmoothStretchDraw draws it; empty for a side below 1.
    TwwBitmap SmoothStretched(int width, int height) const;
    // Black where the key colour is, white elsewhere; made on the first transparent drawing and kept until
    // the image is released, so later changes of the pixels or of KeyColor do not reach it.
    const QImage& MaskImage() const;

    // ---- pixel effects, in place, rows from the top and each row from the left; the colour arguments of
    // MaskColor and ReplaceColor hold red in bits 16-23, green in 8-15 and blue in 0-7.
    // a <= 0 darkens by |a|/256 of each channel, a > 0 lightens by a/256 of the way to white; 0 keeps the image.
    void Lightness(int amount);
    // Moves each channel away from the middle by |128 - v| * a / 256 (towards it for a negative a).
    void Contrast(int amount);
    // 256 keeps the image, 0 makes it grey, more than 256 strengthens the colours.
    void Saturation(int amount);
    void Grayscale();
    void Invert();
    void AddColor(int red, int green, int blue);
    // Each channel v becomes v + c div 2 - 128 for the colour's channel c; pixels of KeyColor stay when it is set.
    void Tint(int red, int green, int blue);
    // Black where the pixel is the colour, white elsewhere.
    void MaskColor(quint32 color);
    void ReplaceColor(quint32 newColor, quint32 oldColor);
    // horizontal: each row mirrored left to right; else the rows swapped top to bottom.
    void Flip(bool horizontal);
    // Each pixel becomes the average of its four diagonal neighbours at the distance.
    void BlurStep(int distance);
    // BlurStep with count, count - 1, ..., 1.
    void Blur(int count);
    void Sharpen(int distance);
    void Emboss();
    // Each pixel takes a randomly chosen pixel at most amount - 1 away.
    void Spray(int amount);
    // About the centre (a negative coordinate: the middle), uncovered corners in the top-left pixel's colour.
    void Rotate(int centreX, int centreY, double angle);
    // Shifts rows sideways and columns up and down along sine waves; uncovered pixels white unless wrapped.
    void Wave(bool wrap, int amplitude, int rowPeriod, int columnPeriod);

    bool Smoothing = false;
    bool Transparent = false;
    // The transparent colour; clNone: the top-left pixel's colour.
    TColor KeyColor = clNone;
    // Changed does nothing while set.
    bool MuteChanges = false;
    TNotifyEvent OnChange;
    // Fires OnChange, then tells the listeners in the order they were added.
    void Changed();
    void AddChangeListener(controls::BitmapChangeListener* listener);
    void RemoveChangeListener(controls::BitmapChangeListener* listener);

private:
    // Runs change on every pixel (in place, rows from the top), then Changed.
    template <typename PerPixel>
    void ForEachPixel(PerPixel change);
    // The same channel table applied to all three channels of every pixel.
    void ApplyChannelTable(const uchar (&table)[256]);
    void ReleaseCanvas() const;
    void NotifyChangeListeners();
    // The pixels as an image whose key-coloured pixels are clear.
    QImage TransparentImage() const;

    mutable std::unique_ptr<TCanvas> canvas_;
    mutable QImage maskImage_;
    QByteArray savedPixels_;
    int savedWidth_ = 0;
    int savedHeight_ = 0;
    std::vector<controls::BitmapChangeListener*> changeListeners_;
};
