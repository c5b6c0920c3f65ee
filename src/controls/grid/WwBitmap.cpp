// TwwBitmap: its pixel memory, row table, copies and the pixel effects.
#include "controls/grid/WwBitmap.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// QImage's 24-bit BGR rows are padded to 4 bytes: exactly the width mod 4 bytes this layout asks for.
constexpr QImage::Format kFormat = QImage::Format_BGR888;

int ClampByte(qint64 value) { return static_cast<int>(std::clamp<qint64>(value, 0, 255)); }

using ChannelTable = std::array<uchar, 256>;

}  // namespace

TwwBitmap::TwwBitmap(const TwwBitmap& other)
    : TGraphic(other), Smoothing(other.Smoothing), Transparent(other.Transparent), KeyColor(other.KeyColor) {
    image_ = other.Image().copy();
}

void TwwBitmap::ReleaseCanvas() const {
    if (canvas_) canvas_->Release();
}

const QImage& TwwBitmap::Image() const {
    ReleaseCanvas();
    return image_;
}

void TwwBitmap::LoadFromBytes(const QByteArray& bytes) {
    TBitmap bitmap;
    bitmap.LoadFromBytes(bytes);
    LoadFromBitmap(bitmap);
}

void TwwBitmap::Changed() {
    if (!MuteChanges) ui::Fire(OnChange, nullptr);
}

void TwwBitmap::Release() {
    // The canvas painted on the old image; a new one is made for the next.
    canvas_.reset();
    image_ = QImage();
}

void TwwBitmap::NewImage(int width, int height) {
    Release();
    if (width <= 0 || height <= 0) return;
    image_ = QImage(width, height, kFormat);
    if (image_.isNull()) return;
    image_.fill(Qt::white);
    Changed();
}

void TwwBitmap::SetSize(int width, int height) {
    if (width == Width() && height == Height()) return;
    NewImage(width, height);
}

std::vector<uchar*> TwwBitmap::RowTable() {
    ReleaseCanvas();
    std::vector<uchar*> rows;
    if (image_.isNull()) return rows;
    // bits() makes the pixels this bitmap's own before they are written through the table.
    uchar* pixels = image_.bits();
    rows.reserve(Height());
    for (int row = 0; row < Height(); ++row) rows.push_back(pixels + row * image_.bytesPerLine());
    return rows;
}

TCanvas& TwwBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TCanvas>(&image_);
    return *canvas_;
}

void TwwBitmap::LoadFromBitmap(const TBitmap& source) {
    Release();
    if (source.Empty()) return;
    image_ = source.Image().convertToFormat(kFormat);
    Changed();
}

void TwwBitmap::LoadFromGraphic(const TGraphic& source) {
    Release();
    if (source.Empty()) return;
    image_ = source.Image().convertToFormat(kFormat);
    Changed();
}

void TwwBitmap::Assign(const TGraphic* source) {
    if (!source || source->Empty()) {
        Release();
        Changed();
        return;
    }
    if (const auto* other = dynamic_cast<const TwwBitmap*>(source)) {
        const bool muted = MuteChanges;
        MuteChanges = true;
        Release();
        image_ = other->Image().copy();
        Transparent = other->Transparent;
        Smoothing = other->Smoothing;
        KeyColor = other->KeyColor;
        MuteChanges = muted;
        Changed();
        return;
    }
    LoadFromGraphic(*source);
}

void TwwBitmap::CopyToBitmap(TBitmap& target) const { target.SetImage(Image()); }

void TwwBitmap::Draw(TCanvas& canvas, const TRect& rect) const {
    if (Empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
    QPainter& painter = canvas.Painter();
    if (rect.Width() == Width() && rect.Height() == Height()) {
        painter.drawImage(QPoint(rect.Left, rect.Top), Image());
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, Smoothing);
    painter.drawImage(ui::ToQRect(rect), Image());
    painter.restore();
}

// ---- the effects

template <typename PerPixel>
void TwwBitmap::ForEachPixel(PerPixel change) {
    const std::vector<uchar*> rows = RowTable();
    for (uchar* row : rows)
        for (int x = 0; x < Width(); ++x) change(row + 3 * x);
    Changed();
}

void TwwBitmap::Lightness(int amount) {
    // One table of 256 entries serves every channel of every pixel.
    ChannelTable table;
    for (int v = 0; v < 256; ++v)
        table[v] = static_cast<uchar>(
            ClampByte(amount <= 0 ? v - (v * std::abs(amount)) / 256 : v + (amount * (255 - v)) / 256));
    ForEachPixel([&](uchar* pixel) {
        for (int c = 0; c < 3; ++c) pixel[c] = table[pixel[c]];
    });
}

void TwwBitmap::Saturation(int amount) {
    // The product is taken as an unsigned 32-bit number and shifted right by 8 bits.
    const auto scaled = [amount](int v) { return static_cast<qint64>(static_cast<quint32>(amount * v) >> 8); };
    std::array<qint64, 256> table;
    for (int v = 0; v < 256; ++v) table[v] = scaled(v);
    ForEachPixel([&](uchar* pixel) {
        const int grey = pixel[0] / 3 + pixel[1] / 3 + pixel[2] / 3;
        for (int c = 0; c < 3; ++c) pixel[c] = static_cast<uchar>(ClampByte(grey + table[pixel[c]] - table[grey]));
    });
}

void TwwBitmap::Tint(int red, int green, int blue) {
    // Channels in memory order: blue, green, red.
    const int add[3] = {blue / 2 - 128, green / 2 - 128, red / 2 - 128};
    std::array<ChannelTable, 3> tables;
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v) tables[c][v] = static_cast<uchar>(ClampByte(v + add[c]));
    const bool keep = KeyColor != clNone;
    const TColor key = keep ? ColorToRGB(KeyColor) : 0;
    const uchar keyPixel[3] = {uchar(GetBValue(key)), uchar(GetGValue(key)), uchar(GetRValue(key))};
    ForEachPixel([&](uchar* pixel) {
        if (keep && std::equal(pixel, pixel + 3, keyPixel)) return;
        for (int c = 0; c < 3; ++c) pixel[c] = tables[c][pixel[c]];
    });
}

void TwwBitmap::Flip(bool horizontal) {
    std::vector<uchar*> rows = RowTable();
    const int width = Width();
    if (horizontal) {
        for (uchar* row : rows)
            for (int left = 0, right = width - 1; left < right; ++left, --right)
                std::swap_ranges(row + 3 * left, row + 3 * left + 3, row + 3 * right);
    } else {
        for (std::size_t top = 0, bottom = rows.size(); top + 1 < bottom; ++top, --bottom)
            std::swap_ranges(rows[top], rows[top] + 3 * width, rows[bottom - 1]);
    }
    Changed();
}
