// TJPEGImage: a JPEG picture decoded through libjpeg.
#pragma once

#include "platform/ui/Graphic.h"

class TJPEGImage : public TGraphic {
public:
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TJPEGImage>(*this); }
    // Decodes the bytes of a JPEG file; raises EInvalidGraphic with libjpeg's message when they are not one.
    void LoadFromBytes(const QByteArray& bytes) override;
};

namespace ui {

// Decodes a JPEG file's bytes into an image (RGB), through libjpeg's decompressor.
QImage DecodeJpeg(const QByteArray& bytes);

}  // namespace ui
