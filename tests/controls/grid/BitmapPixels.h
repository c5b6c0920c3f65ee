// Small TwwBitmap pictures made by code and their pixels read back as blue, green, red triples.
#pragma once

#include "controls/grid/WwBitmap.h"

#include <array>
#include <vector>

namespace bitmap_test {

using Pixel = std::array<int, 3>;  // blue, green, red as stored

inline Pixel At(TwwBitmap& bitmap, int x, int y) {
    const uchar* p = bitmap.RowTable()[size_t(y)] + 3 * x;
    return {p[0], p[1], p[2]};
}

inline void Put(TwwBitmap& bitmap, int x, int y, Pixel pixel) {
    uchar* p = bitmap.RowTable()[size_t(y)] + 3 * x;
    for (int c = 0; c < 3; ++c) p[c] = uchar(pixel[size_t(c)]);
}

inline std::vector<Pixel> Pixels(TwwBitmap& bitmap) {
    std::vector<Pixel> all;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) all.push_back(At(bitmap, x, y));
    return all;
}

// A picture whose every pixel differs: blue = 10x + 1, green = 20y + 2, red = 40(x + y) + 3.
inline TwwBitmap Pattern(int width, int height) {
    TwwBitmap bitmap;
    bitmap.NewImage(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) Put(bitmap, x, y, {10 * x + 1, 20 * y + 2, (40 * (x + y) + 3) % 256});
    return bitmap;
}

// A picture of uneven grey steps g = (37x + 71y² + 13xy) mod 256, stored as blue g, green g/2, red 255 - g.
inline TwwBitmap Steps(int width, int height) {
    TwwBitmap bitmap;
    bitmap.NewImage(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int g = (37 * x + 71 * y * y + 13 * x * y) % 256;
            Put(bitmap, x, y, {g, g / 2, 255 - g});
        }
    return bitmap;
}

inline TwwBitmap Single(Pixel pixel) {
    TwwBitmap bitmap;
    bitmap.NewImage(1, 1);
    Put(bitmap, 0, 0, pixel);
    return bitmap;
}

}  // namespace bitmap_test
