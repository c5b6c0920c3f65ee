// TImageList: a numbered list of pictures of one size, drawn by number.
#pragma once

#include "platform/ui/Canvas.h"

#include <QImage>
#include <vector>

// dsTransparent: the picture lands on what the canvas shows; the others draw on the list's background.
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

class TImageList {
public:
    TImageList(int width = 16, int height = 16) : width_(width), height_(height) {}
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Adds a picture (scaled to the list's size); answers its number.
    int Add(const QImage& image);
    // Draws picture number index with its top left at (x, y); nothing for a number outside the list.
    void Draw(TCanvas& canvas, int x, int y, int index) const;
    // Picture number index; a null image for a number outside the list.
    QImage Image(int index) const { return index >= 0 && index < Count() ? images_[index] : QImage(); }

    TDrawingStyle DrawingStyle = dsNormal;

private:
    int width_;
    int height_;
    std::vector<QImage> images_;
};
