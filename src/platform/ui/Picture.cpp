// TPicture: the graphic kind chosen by file extension.
#include "platform/ui/Picture.h"

#include "platform/ui/Jpeg.h"

#include <QFileInfo>

void TPicture::SetGraphic(const TGraphic* graphic) {
    graphic_ = graphic ? graphic->Clone() : nullptr;
    Changed();
}

TBitmap& TPicture::Bitmap() {
    if (!dynamic_cast<TBitmap*>(graphic_.get())) {
        graphic_ = std::make_unique<TBitmap>();
        Changed();
    }
    return static_cast<TBitmap&>(*graphic_);
}

void TPicture::LoadFromFile(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    std::unique_ptr<TGraphic> graphic;
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        graphic = std::make_unique<TJPEGImage>();
    else if (extension == QLatin1String("bmp")) graphic = std::make_unique<TBitmap>();
    else throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
    graphic->LoadFromFile(fileName);
    graphic_ = std::move(graphic);
    Changed();
}
