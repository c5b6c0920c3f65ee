// TImage paints its picture through a canvas.
#include "platform/ui/Image.h"

#include "platform/ui/Canvas.h"
#include "platform/ui/Dispatch.h"

TImage::TImage(QWidget* parent) : ControlOf<QWidget>(parent) {
    picture_.OnChange = [this](QObject*) { PictureChanged(); };
}

void TImage::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    PictureChanged();
}

void TImage::SetStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

void TImage::PictureChanged() {
    if (autoSize_ && picture_.Graphic()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    update();
}

void TImage::paintEvent(QPaintEvent*) {
    ui::Dispatch(this, [&] {
        const TGraphic* graphic = picture_.Graphic();
        if (!graphic || graphic->Empty()) return;
        QPainter painter(this);
        TCanvas canvas(painter);
        if (stretch_) canvas.StretchDraw(Rect(0, 0, width(), height()), *graphic);
        else if (center_) canvas.Draw((width() - graphic->Width()) / 2, (height() - graphic->Height()) / 2, *graphic);
        else canvas.Draw(0, 0, *graphic);
    });
}
