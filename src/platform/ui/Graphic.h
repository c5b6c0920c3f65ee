// TGraphic and TBitmap: pictures held as a QImage; a bitmap also has a canvas to paint on.
#pragma once

#include "platform/rtl/Exceptions.h"
#include "platform/ui/Canvas.h"

#include <QByteArray>
#include <QImage>
#include <memory>

TAVORIN_DECLARE_EXCEPTION(EInvalidGraphic, Exception)

class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    int Width() const { return Image().width(); }
    int Height() const { return Image().height(); }
    bool Empty() const { return Image().isNull(); }
    // The picture's pixels (a bitmap first finishes what its canvas painted).
    virtual const QImage& Image() const { return image_; }

    // Raise EInvalidGraphic when the data is not a picture of this kind.
    virtual void LoadFromBytes(const QByteArray& bytes) = 0;
    void LoadFromFile(const QString& fileName);

protected:
    QImage image_;
};

class TBitmap : public TGraphic {
public:
    TBitmap() = default;
    TBitmap(const TBitmap& other);
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TBitmap>(*this); }

    const QImage& Image() const override;
    void SetImage(const QImage& image);
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    TCanvas& Canvas();

    void LoadFromBytes(const QByteArray& bytes) override;

private:
    mutable std::unique_ptr<TCanvas> canvas_;
};
