// TwwBitmap: its pixel memory, row table, pixels put aside, copies in and out and change notification.
#include "controls/grid/WwBitmap.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Jpeg.h"

#include <QBuffer>
#include <algorithm>
#include <cstring>

namespace {

// QImage's 24-bit BGR rows are padded to 4 bytes: exactly the width mod 4 bytes this layout asks for.
constexpr QImage::Format kFormat = QImage::Format_BGR888;

// The class names the framework's cannot-assign message shows.
QString GraphicClassName(const TGraphic& graphic) {
    if (dynamic_cast<const TwwBitmap*>(&graphic)) return QStringLiteral("TwwBitmap");
    if (dynamic_cast<const TBitmap*>(&graphic)) return QStringLiteral("TBitmap");
    if (dynamic_cast<const TJPEGImage*>(&graphic)) return QStringLiteral("TJPEGImage");
    return QStringLiteral("TGraphic");
}

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

void TwwBitmap::LoadFromStream(TStream& stream) {
    QByteArray bytes(stream.Size() - stream.Position(), Qt::Uninitialized);
    stream.ReadBuffer(bytes.data(), bytes.size());
    LoadFromBytes(bytes);
}

void TwwBitmap::SaveToStream(TStream& stream) const {
    TBitmap bitmap;
    CopyToBitmap(bitmap);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!bitmap.Empty()) bitmap.Image().save(&buffer, "BMP");
    stream.WriteBuffer(bytes.constData(), bytes.size());
}

// ---- change notification

void TwwBitmap::Changed() {
    if (MuteChanges) return;
    ui::Fire(OnChange, nullptr);
    NotifyChangeListeners();
}

void TwwBitmap::NotifyChangeListeners() {
    // A listener may remove itself while it is told.
    const std::vector<controls::BitmapChangeListener*> listeners = changeListeners_;
    for (controls::BitmapChangeListener* listener : listeners) listener->BitmapChanged(*this);
}

void TwwBitmap::AddChangeListener(controls::BitmapChangeListener* listener) {
    if (listener) changeListeners_.push_back(listener);
}

void TwwBitmap::RemoveChangeListener(controls::BitmapChangeListener* listener) {
    const auto found = std::find(changeListeners_.begin(), changeListeners_.end(), listener);
    if (found != changeListeners_.end()) changeListeners_.erase(found);
}

// ---- size and content

void TwwBitmap::Release() {
    // The canvas painted on the old image; a new one is made for the next.
    canvas_.reset();
    image_ = QImage();
    maskImage_ = QImage();
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

void TwwBitmap::Resize(int width, int height) {
    if (width == Width() && height == Height()) return;
    const TwwBitmap copy(*this);
    const bool muted = MuteChanges;
    MuteChanges = true;
    NewImage(width, height);
    MuteChanges = muted;
    if (Empty()) {
        Changed();
        return;
    }
    copy.Draw(Canvas(), {0, 0, width, height});
    ReleaseCanvas();
    Changed();
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

// ---- pixels put aside

void TwwBitmap::SaveToMemory() {
    FreeSavedPixels();
    if (!Empty()) {
        const std::vector<uchar*> rows = RowTable();
        savedPixels_ = QByteArray(reinterpret_cast<const char*>(rows.front()), ImageSize());
        savedWidth_ = Width();
        savedHeight_ = Height();
    }
    Release();
}

void TwwBitmap::RestoreFromMemory() {
    if (!HasSavedPixels()) return;
    const QByteArray pixels = savedPixels_;
    const int width = savedWidth_;
    const int height = savedHeight_;
    FreeSavedPixels();
    LoadFromSavedPixels(pixels, width, height);
}

void TwwBitmap::FreeSavedPixels() {
    savedPixels_.clear();
    savedWidth_ = savedHeight_ = 0;
}

void TwwBitmap::LoadFromSavedPixels(const QByteArray& pixels, int width, int height) {
    const bool muted = MuteChanges;
    MuteChanges = true;
    NewImage(width, height);
    MuteChanges = muted;
    if (Empty()) return;
    const std::vector<uchar*> rows = RowTable();
    std::memcpy(rows.front(), pixels.constData(), size_t(std::min<qint64>(pixels.size(), ImageSize())));
    Changed();
}

// ---- copying in and out

void TwwBitmap::LoadFromBitmap(const TBitmap& source) {
    Release();
    if (source.Empty()) return;
    image_ = source.Image().convertToFormat(kFormat);
    Changed();
}

void TwwBitmap::LoadFromGraphic(const TGraphic& source) {
    TBitmap bitmap;
    if (!source.Empty()) bitmap.SetImage(source.Image());
    LoadFromBitmap(bitmap);
}

void TwwBitmap::LoadFromGraphicDrawn(const TGraphic& source) {
    TBitmap bitmap;
    bitmap.SetSize(source.Width(), source.Height());
    if (!source.Empty()) bitmap.Canvas().Draw(0, 0, source);
    LoadFromBitmap(bitmap);
}

void TwwBitmap::Assign(const TGraphic* source) {
    if (!source || source->Empty()) {
        Release();
        Changed();
        return;
    }
    if (const auto* other = dynamic_cast<const TwwBitmap*>(source)) {
        other->AssignTo(*this);
        return;
    }
    LoadFromGraphic(*source);
}

void TwwBitmap::AssignTo(TGraphic& destination) const {
    if (auto* other = dynamic_cast<TwwBitmap*>(&destination)) {
        if (other == this) return;
        if (Empty()) {
            other->Release();
        } else {
            const bool muted = other->MuteChanges;
            other->MuteChanges = true;
            other->Release();
            other->image_ = Image().copy();
            other->Transparent = Transparent;
            other->Smoothing = Smoothing;
            other->KeyColor = KeyColor;
            other->MuteChanges = muted;
        }
        other->Changed();
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(&destination)) {
        CopyToBitmap(*bitmap);
        return;
    }
    throw EConvertError(
        QStringLiteral("Cannot assign a %1 to a %2").arg(GraphicClassName(*this), GraphicClassName(destination)));
}

void TwwBitmap::CopyToBitmap(TBitmap& target) const { target.SetImage(Image()); }
