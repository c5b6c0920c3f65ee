// TwwBitmap's pixel effects, worked in place on the pixel memory through the row table.
#include "controls/grid/WwBitmap.h"

#include "platform/rtl/Random.h"

#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

int ClampByte(qint64 value) { return static_cast<int>(std::clamp<qint64>(value, 0, 255)); }

// The framework's Round: halves go to the even neighbour.
int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

bool SamePixel(const uchar* pixel, quint32 color) {
    return pixel[0] == (color & 0xFF) && pixel[1] == ((color >> 8) & 0xFF) && pixel[2] == ((color >> 16) & 0xFF);
}

// The pixels of an image as rows of three bytes, read at coordinates clamped into the image.
class ClampedPixels {
public:
    ClampedPixels(const std::vector<uchar*>& rows, int width) : rows_(rows), width_(width) {}
    const uchar* At(int x, int y) const {
        return rows_[size_t(std::clamp(y, 0, int(rows_.size()) - 1))] + 3 * std::clamp(x, 0, width_ - 1);
    }

private:
    const std::vector<uchar*>& rows_;
    int width_;
};

}  // namespace

template <typename PerPixel>
void TwwBitmap::ForEachPixel(PerPixel change) {
    const std::vector<uchar*> rows = RowTable();
    for (int y = 0; y < int(rows.size()); ++y)
        for (int x = 0; x < Width(); ++x) change(rows[size_t(y)] + 3 * x, x, y);
    Changed();
}

void TwwBitmap::ApplyChannelTable(const uchar (&table)[256]) {
    ForEachPixel([&](uchar* pixel, int, int) {
        for (int c = 0; c < 3; ++c) pixel[c] = table[pixel[c]];
    });
}

void TwwBitmap::Lightness(int amount) {
    uchar table[256];
    for (int v = 0; v < 256; ++v)
        table[v] = uchar(ClampByte(amount <= 0 ? v - (v * std::abs(amount)) / 256 : v + (amount * (255 - v)) / 256));
    ApplyChannelTable(table);
}

void TwwBitmap::Contrast(int amount) {
    uchar table[256];
    for (int v = 0; v < 256; ++v) {
        const int change = (std::abs(128 - v) * amount) / 256;
        table[v] = uchar(ClampByte(v < 127 ? v - change : v + change));
    }
    ApplyChannelTable(table);
}

void TwwBitmap::Invert() {
    uchar table[256];
    for (int v = 0; v < 256; ++v) table[v] = uchar(255 - v);
    ApplyChannelTable(table);
}

void TwwBitmap::Saturation(int amount) {
    // The product is taken as an unsigned 32-bit number and shifted right by 8 bits.
    const auto scaled = [amount](int v) { return static_cast<qint64>(static_cast<quint32>(amount * v) >> 8); };
    std::array<qint64, 256> table;
    for (int v = 0; v < 256; ++v) table[v] = scaled(v);
    ForEachPixel([&](uchar* pixel, int, int) {
        const int grey = pixel[0] / 3 + pixel[1] / 3 + pixel[2] / 3;
        for (int c = 0; c < 3; ++c) pixel[c] = static_cast<uchar>(ClampByte(grey + table[pixel[c]] - table[grey]));
    });
}

void TwwBitmap::Grayscale() {
    ForEachPixel([](uchar* pixel, int, int) {
        const uchar grey = uchar(pixel[0] / 3 + pixel[1] / 3 + pixel[2] / 3);
        std::fill(pixel, pixel + 3, grey);
    });
}

void TwwBitmap::AddColor(int red, int green, int blue) {
    // Channels in memory order: blue, green, red.
    const int add[3] = {blue, green, red};
    std::array<std::array<uchar, 256>, 3> tables;
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v) tables[size_t(c)][size_t(v)] = uchar(ClampByte(qint64(v) + add[c]));
    ForEachPixel([&](uchar* pixel, int, int) {
        for (int c = 0; c < 3; ++c) pixel[c] = tables[size_t(c)][pixel[c]];
    });
}

void TwwBitmap::Tint(int red, int green, int blue) {
    // Channels in memory order: blue, green, red.
    const int add[3] = {blue / 2 - 128, green / 2 - 128, red / 2 - 128};
    std::array<std::array<uchar, 256>, 3> tables;
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v) tables[size_t(c)][size_t(v)] = uchar(ClampByte(v + add[c]));
    const bool keep = KeyColor != clNone;
    const TColor key = keep ? ColorToRGB(KeyColor) : 0;
    const quint32 keyPixel = quint32(GetRValue(key)) << 16 | quint32(GetGValue(key)) << 8 | quint32(GetBValue(key));
    ForEachPixel([&](uchar* pixel, int, int) {
        if (keep && SamePixel(pixel, keyPixel)) return;
        for (int c = 0; c < 3; ++c) pixel[c] = tables[size_t(c)][pixel[c]];
    });
}

void TwwBitmap::MaskColor(quint32 color) {
    ForEachPixel([color](uchar* pixel, int, int) { std::fill(pixel, pixel + 3, SamePixel(pixel, color) ? 0 : 255); });
}

void TwwBitmap::ReplaceColor(quint32 newColor, quint32 oldColor) {
    const uchar replacement[3] = {uchar(newColor & 0xFF), uchar((newColor >> 8) & 0xFF),
                                  uchar((newColor >> 16) & 0xFF)};
    ForEachPixel([&](uchar* pixel, int, int) {
        if (SamePixel(pixel, oldColor)) std::copy(replacement, replacement + 3, pixel);
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

void TwwBitmap::BlurStep(int distance) {
    const std::vector<uchar*> rows = RowTable();
    const ClampedPixels pixels(rows, Width());
    const int d = distance;
    ForEachPixel([&](uchar* pixel, int x, int y) {
        const uchar* corners[4] = {pixels.At(x - d, y - d), pixels.At(x + d, y - d), pixels.At(x - d, y + d),
                                   pixels.At(x + d, y + d)};
        for (int c = 0; c < 3; ++c)
            pixel[c] = uchar((corners[0][c] + corners[1][c] + corners[2][c] + corners[3][c]) / 4);
    });
}

void TwwBitmap::Blur(int count) {
    for (int distance = count; distance >= 1; --distance) BlurStep(distance);
}

void TwwBitmap::Sharpen(int distance) {
    const std::vector<uchar*> rows = RowTable();
    const ClampedPixels pixels(rows, Width());
    const int d = distance;
    ForEachPixel([&](uchar* pixel, int x, int y) {
        const uchar* around[8] = {pixels.At(x - d, y - d), pixels.At(x, y - d),    pixels.At(x + d, y - d),
                                  pixels.At(x - d, y),     pixels.At(x + d, y),    pixels.At(x - d, y + d),
                                  pixels.At(x, y + d),     pixels.At(x + d, y + d)};
        for (int c = 0; c < 3; ++c) {
            int sum = 0;
            for (const uchar* p : around) sum += p[c];
            pixel[c] = uchar(ClampByte((256 * pixel[c] - 16 * sum) / 128));
        }
    });
}

void TwwBitmap::Emboss() {
    if (Empty()) return;
    const std::vector<uchar*> rows = RowTable();
    const ClampedPixels pixels(rows, Width());
    const int height = Height();
    // The last two rows all compare with one pixel of the bottom row, taken before anything changed; an image
    // narrower than two pixels takes its only column.
    const uchar* bottom = pixels.At(1, height - 1);
    const uchar fixed[3] = {bottom[0], bottom[1], bottom[2]};
    ForEachPixel([&](uchar* pixel, int x, int y) {
        const uchar* next = y >= height - 2 ? fixed : pixels.At(x + 1, y + 1);
        for (int c = 0; c < 3; ++c) pixel[c] = uchar((pixel[c] + 255 - next[c]) / 2);
    });
}

void TwwBitmap::Spray(int amount) {
    const std::vector<uchar*> rows = RowTable();
    const ClampedPixels pixels(rows, Width());
    ForEachPixel([&](uchar* pixel, int x, int y) {
        const int c = Random(amount);
        const int column = c + x - Random(2 * c);
        const int row = c + y - Random(2 * c);
        const uchar* source = pixels.At(column, row);
        std::copy(source, source + 3, pixel);
    });
}

void TwwBitmap::Rotate(int centreX, int centreY, double angle) {
    if (Empty()) return;
    const int width = Width();
    const int height = Height();
    const int cx = centreX < 0 ? width / 2 : centreX;
    const int cy = centreY < 0 ? height / 2 : centreY;
    const QImage old = Image().copy();
    const uchar* corner = old.constScanLine(0);
    const double t = -angle * M_PI / 180.0;
    const double cosT = std::cos(t);
    const double sinT = std::sin(t);
    ForEachPixel([&](uchar* pixel, int x, int y) {
        const int dx = 2 * x - 2 * cx + 1;
        const int dy = 2 * y - 2 * cy + 1;
        const int column = cx + (RoundHalfEven(dx * cosT - dy * sinT) - 1) / 2;
        const int row = cy + (RoundHalfEven(dx * sinT + dy * cosT) - 1) / 2;
        const uchar* source =
            column >= 0 && column < width && row >= 0 && row < height ? old.constScanLine(row) + 3 * column : corner;
        std::copy(source, source + 3, pixel);
    });
}

void TwwBitmap::Wave(bool wrap, int amplitude, int rowPeriod, int columnPeriod) {
    if (rowPeriod == 0 || columnPeriod == 0 || Empty()) return;
    const int width = Width();
    const int height = Height();
    const QImage old = Image().copy();
    const auto wrapped = [](int value, int size) {
        if (value < 0) return size - ((-value) % size) - 1;
        return value >= size ? value % size : value;
    };
    const auto rowShift = [&](int y) { return RoundHalfEven(amplitude * std::sin(double(y) / rowPeriod)); };
    const auto columnShift = [&](int x) { return RoundHalfEven(amplitude * std::sin(double(x) / columnPeriod)); };
    std::vector<uchar*> rows = RowTable();
    for (uchar* row : rows) std::fill(row, row + 3 * width, uchar(255));
    for (int x = 0; x < width; ++x) {
        const int start = wrap ? wrapped(columnShift(x), height) : columnShift(x);
        for (int y = 0; y < height; ++y) {
            int column = x + rowShift(y);
            int row = start + y;
            if (wrap) {
                column = wrapped(column, width);
                row %= height;
            } else {
                // Rows only grow down an output column: past the bottom the rest of it stays white.
                if (row >= height) break;
                if (row < 0 || column < 0 || column >= width) continue;
            }
            const uchar* source = old.constScanLine(row) + 3 * column;
            std::copy(source, source + 3, rows[size_t(y)] + 3 * x);
        }
    }
    Changed();
}
