// TCanvas over QPainter with the framework's pen, brush and font state and its drawing calls.
#pragma once

#include "platform/ui/Color.h"
#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"

#include <QPainter>
#include <memory>

class TGraphic;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

class TCanvas {
public:
    // A canvas that paints on a device (a bitmap's image) and opens its painter when first used.
    explicit TCanvas(QPaintDevice* device);
    // A canvas that borrows a running painter (a control's paint event).
    explicit TCanvas(QPainter& painter);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }
    TPoint PenPos() const { return penPos_; }
    void SetPenPos(TPoint p) { penPos_ = p; }

    // Right and bottom edges are outside the shape, as the framework draws.
    void FillRect(const TRect& rect);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    // Draws up to, not including, the end point; the pen then stands there.
    void LineTo(int x, int y);
    // Text clipped to the rectangle, which is first filled with the brush unless it is bsClear.
    void TextRect(const TRect& rect, int x, int y, const QString& text);
    int TextWidth(const QString& text);
    int TextHeight(const QString& text);
    void Draw(int x, int y, const TGraphic& graphic);
    void StretchDraw(const TRect& rect, const TGraphic& graphic);
    // A dotted frame that a second call with the same rectangle removes.
    void DrawFocusRect(const TRect& rect);

    QPainter& Painter();
    // Ends a painter the canvas opened itself (before its device is read or resized).
    void Release();

private:
    QPen QtPen() const;
    QBrush QtBrush() const;

    QPaintDevice* device_ = nullptr;
    QPainter* borrowed_ = nullptr;
    std::unique_ptr<QPainter> owned_;
    TPen pen_;
    TBrush brush_;
    TFont font_;
    TPoint penPos_;
};
