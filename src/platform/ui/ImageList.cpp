// TImageList: its pictures and their drawing.
#include "platform/ui/ImageList.h"

int TImageList::Add(const QImage& image) {
    images_.push_back(image.size() == QSize(width_, height_) ? image : image.scaled(width_, height_));
    return Count() - 1;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
    if (index < 0 || index >= Count()) return;
    canvas.Painter().drawImage(QPoint(x, y), images_[index]);
}
