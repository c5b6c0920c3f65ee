// TFont: name, size or pixel height, style and colour, turned into a QFont for painting and widgets.
#pragma once

#include "platform/ui/Color.h"
#include "platform/ui/EnumSet.h"
#include "platform/ui/Events.h"

#include <QFont>
#include <QString>

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = ui::SetOf<TFontStyle>;

class TFont {
public:
    TFont();
    explicit TFont(const QFont& font);

    QString Name() const { return name_; }
    void SetName(const QString& name);
    // Size in points; Height in pixels, negative for the character height without leading (the usual form).
    int Size() const;
    void SetSize(int points);
    int Height() const { return height_; }
    void SetHeight(int pixels);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    void Assign(const TFont& other);
    QFont ToQFont() const;

    // Called after every change (controls re-apply the font).
    TNotifyEvent OnChange;

private:
    void Changed();

    QString name_;
    int height_;
    TFontStyles style_;
    TColor color_ = clWindowText;
};
