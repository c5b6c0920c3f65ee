// Pictures: loading from files and the bitmap's canvas on its image.
#include "platform/ui/Graphic.h"

#include <QFile>

void TGraphic::LoadFromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    LoadFromBytes(file.readAll());
}

TBitmap::TBitmap(const TBitmap& other) : TGraphic(other) { image_ = other.Image(); }

const QImage& TBitmap::Image() const {
    if (canvas_) canvas_->Release();
    return image_;
}

void TBitmap::SetImage(const QImage& image) {
    if (canvas_) canvas_->Release();
    image_ = image.convertToFormat(QImage::Format_RGB32);
}

void TBitmap::SetSize(int width, int height) {
    if (canvas_) canvas_->Release();
    QImage resized(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
    resized.fill(Qt::white);
    if (!image_.isNull()) {
        QPainter p(&resized);
        p.drawImage(0, 0, image_);
    }
    image_ = resized;
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TCanvas>(&image_);
    return *canvas_;
}

void TBitmap::LoadFromBytes(const QByteArray& bytes) {
    QImage image;
    if (!image.loadFromData(bytes, "BMP")) throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
    SetImage(image);
}
