// TFont's conversion to QFont at the screen's 96 pixels per inch.
#include "platform/ui/Font.h"

#include <QApplication>
#include <cmath>

namespace {
constexpr int kPixelsPerInch = 96;
}

TFont::TFont() : TFont(QApplication::font()) {}

TFont::TFont(const QFont& font) : name_(font.family()) {
    const int pixels =
        font.pixelSize() > 0 ? font.pixelSize() : int(std::lround(font.pointSizeF() * kPixelsPerInch / 72.0));
    height_ = -pixels;
    if (font.bold()) style_.Include(fsBold);
    if (font.italic()) style_.Include(fsItalic);
    if (font.underline()) style_.Include(fsUnderline);
    if (font.strikeOut()) style_.Include(fsStrikeOut);
}

void TFont::SetName(const QString& name) {
    name_ = name;
    Changed();
}

int TFont::Size() const { return -int(std::lround(height_ * 72.0 / kPixelsPerInch)); }

void TFont::SetSize(int points) { SetHeight(-int(std::lround(points * kPixelsPerInch / 72.0))); }

void TFont::SetHeight(int pixels) {
    height_ = pixels;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    color_ = color;
    Changed();
}

void TFont::Assign(const TFont& other) {
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    Changed();
}

QFont TFont::ToQFont() const {
    QFont font(name_);
    font.setPixelSize(std::max(1, std::abs(height_)));
    font.setBold(style_.Contains(fsBold));
    font.setItalic(style_.Contains(fsItalic));
    font.setUnderline(style_.Contains(fsUnderline));
    font.setStrikeOut(style_.Contains(fsStrikeOut));
    return font;
}

void TFont::Changed() { ui::Fire(OnChange, nullptr); }
