// TwwBitmap's drawing onto a canvas: plain and transparent copies, nearest-pixel and bilinear stretching, tiling.
#include "controls/grid/WwBitmap.h"

#include <QPainter>
#include <algorithm>

namespace {

// Stretching steps are 15-bit fixed-point fractions.
constexpr qint64 kOne = 32768;

// A colour as MaskColor compares it: red in bits 16-23, green in 8-15, blue in 0-7.
quint32 PixelValue(const uchar* pixel) { return quint32(pixel[2]) << 16 | quint32(pixel[1]) << 8 | pixel[0]; }

}  // namespace

void TwwBitmap::Draw(TCanvas& canvas, const TRect& rect) const {
    if (Empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
    if (rect.Width() == Width() && rect.Height() == Height()) {
        if (Transparent) TransparentDraw(canvas, rect);
        else canvas.Painter().drawImage(QPoint(rect.Left, rect.Top), Image());
        return;
    }
    if (Smoothing) SmoothStretchDraw(canvas, rect);
    else StretchDraw(canvas, rect);
}

void TwwBitmap::StretchDraw(TCanvas& canvas, const TRect& rect) const {
    if (Empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
    if (!Transparent) {
        QPainter& painter = canvas.Painter();
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(ui::ToQRect(rect), Image());
        painter.restore();
        return;
    }
    // Stretched first, so that the key colour is looked for among the stretched pixels.
    TwwBitmap stretched;
    stretched.NewImage(rect.Width(), rect.Height());
    stretched.KeyColor = KeyColor;
    stretched.Canvas().Painter().drawImage(QRect(0, 0, rect.Width(), rect.Height()), Image());
    stretched.TransparentDraw(canvas, rect);
}

TwwBitmap TwwBitmap::SmoothStretched(int width, int height) const {
    TwwBitmap result;
    if (Empty() || width <= 0 || height <= 0) return result;
    result.NewImage(width, height);
    result.KeyColor = KeyColor;
    const QImage& source = Image();
    const int sourceWidth = Width();
    const int sourceHeight = Height();
    const qint64 xStep = (qint64(sourceWidth - 1) * kOne) / width;
    const qint64 yStep = (qint64(sourceHeight - 1) * kOne) / height;
    const std::vector<uchar*> rows = result.RowTable();
    for (int y = 0; y < height; ++y) {
        const int top = int(y * yStep / kOne);
        const int bottom = std::min(top + 1, sourceHeight - 1);
        const qint64 lowerWeight = (y * yStep) % kOne;
        const qint64 upperWeight = kOne - lowerWeight;
        const uchar* upper = source.constScanLine(top);
        const uchar* lower = source.constScanLine(bottom);
        for (int x = 0; x < width; ++x) {
            const int left = int(x * xStep / kOne);
            const int right = std::min(left + 1, sourceWidth - 1);
            const qint64 fx = (x * xStep) % kOne;
            const qint64 upperRight = fx * upperWeight / kOne;
            const qint64 lowerRight = fx * lowerWeight / kOne;
            const qint64 upperLeft = upperWeight - upperRight;
            const qint64 lowerLeft = lowerWeight - lowerRight;
            uchar* target = rows[size_t(y)] + 3 * x;
            for (int c = 0; c < 3; ++c)
                target[c] = uchar((upper[3 * left + c] * upperLeft + upper[3 * right + c] * upperRight +
                                   lower[3 * left + c] * lowerLeft + lower[3 * right + c] * lowerRight) /
                                  kOne);
        }
    }
    return result;
}

void TwwBitmap::SmoothStretchDraw(TCanvas& canvas, const TRect& rect) const {
    TwwBitmap result = SmoothStretched(rect.Width(), rect.Height());
    if (result.Empty()) return;
    const TRect target = Bounds(rect.Left, rect.Top, result.Width(), result.Height());
    if (Transparent) result.TransparentDraw(canvas, target);
    else canvas.Painter().drawImage(QPoint(rect.Left, rect.Top), result.Image());
}

const QImage& TwwBitmap::MaskImage() const {
    if (maskImage_.isNull() && !Empty()) {
        quint32 key = 0;
        if (KeyColor != clNone) {
            const TColor rgb = ColorToRGB(KeyColor);
            key = quint32(GetRValue(rgb)) << 16 | quint32(GetGValue(rgb)) << 8 | quint32(GetBValue(rgb));
        } else {
            key = PixelValue(Image().constScanLine(0));
        }
        TwwBitmap mask(*this);
        mask.MuteChanges = true;
        mask.MaskColor(key);
        // Already black and white only; kept in the pixels' own format.
        maskImage_ = mask.Image();
    }
    return maskImage_;
}

QImage TwwBitmap::TransparentImage() const {
    const QImage& mask = MaskImage();
    QImage image = Image().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((mask.pixel(x, y) & 0xFFFFFF) == 0) line[x] = qRgba(0, 0, 0, 0);
    }
    return image;
}

void TwwBitmap::TransparentDraw(TCanvas& canvas, const TRect& rect) const {
    if (Empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
    QPainter& painter = canvas.Painter();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QPoint(rect.Left, rect.Top), TransparentImage(),
                      QRect(0, 0, std::min(rect.Width(), Width()), std::min(rect.Height(), Height())));
    painter.restore();
}

void TwwBitmap::TileDraw(TCanvas& canvas, int offsetX, int offsetY, int width, int height) const {
    if (Empty()) return;
    for (int x = 0; x < width; x += Width())
        for (int y = 0; y < height; y += Height()) Draw(canvas, Bounds(x - offsetX, y - offsetY, Width(), Height()));
}
