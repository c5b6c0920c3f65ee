// TPicture: holds one graphic (bitmap or JPEG) and tells its control when it changes.
#pragma once

#include "platform/ui/Events.h"
#include "platform/ui/Graphic.h"

class TPicture {
public:
    TGraphic* Graphic() const { return graphic_.get(); }
    // Keeps a copy of the graphic; null empties the picture.
    void SetGraphic(const TGraphic* graphic);
    void Assign(const TPicture& other) { SetGraphic(other.Graphic()); }
    // The picture as a bitmap; a picture of another kind is replaced by an empty bitmap, as the framework does.
    TBitmap& Bitmap();
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // The kind follows the extension: .jpg and .jpeg, .bmp.
    void LoadFromFile(const QString& fileName);

    TNotifyEvent OnChange;

private:
    void Changed() { ui::Fire(OnChange, nullptr); }

    std::unique_ptr<TGraphic> graphic_;
};
