// TCanvas drawing with the framework's pixel rules on QPainter.
#include "platform/ui/Canvas.h"

#include "platform/ui/Graphic.h"

#include <QFontMetrics>
#include <cstdlib>

TCanvas::TCanvas(QPaintDevice* device) : device_(device) {}

TCanvas::TCanvas(QPainter& painter) : borrowed_(&painter), font_(painter.font()) {}

TCanvas::~TCanvas() { Release(); }

QPainter& TCanvas::Painter() {
    if (borrowed_) return *borrowed_;
    if (!owned_) owned_ = std::make_unique<QPainter>(device_);
    return *owned_;
}

void TCanvas::Release() { owned_.reset(); }

QPen TCanvas::QtPen() const {
    if (pen_.Style == psClear) return Qt::NoPen;
    QPen pen(ui::ToQColor(pen_.Color), std::max(1, pen_.Width));
    switch (pen_.Style) {
        case psDash: pen.setStyle(Qt::DashLine); break;
        case psDot: pen.setStyle(Qt::DotLine); break;
        case psDashDot: pen.setStyle(Qt::DashDotLine); break;
        case psDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
        default: break;
    }
    return pen;
}

QBrush TCanvas::QtBrush() const {
    const QColor color = ui::ToQColor(brush_.Color);
    switch (brush_.Style) {
        case bsClear: return Qt::NoBrush;
        case bsHorizontal: return QBrush(color, Qt::HorPattern);
        case bsVertical: return QBrush(color, Qt::VerPattern);
        case bsFDiagonal: return QBrush(color, Qt::FDiagPattern);
        case bsBDiagonal: return QBrush(color, Qt::BDiagPattern);
        case bsCross: return QBrush(color, Qt::CrossPattern);
        case bsDiagCross: return QBrush(color, Qt::DiagCrossPattern);
        default: return QBrush(color);
    }
}

void TCanvas::FillRect(const TRect& rect) { Painter().fillRect(ui::ToQRect(rect), QtBrush()); }

void TCanvas::FrameRect(const TRect& rect) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    QPainter& p = Painter();
    p.save();
    p.setPen(QPen(ui::ToQColor(brush_.Color), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
    p.restore();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    QPainter& p = Painter();
    p.setPen(QtPen());
    p.setBrush(QtBrush());
    p.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    QPainter& p = Painter();
    p.setPen(QtPen());
    p.setBrush(QtBrush());
    p.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TCanvas::LineTo(int x, int y) {
    const int dx = x - penPos_.X;
    const int dy = y - penPos_.Y;
    if (dx != 0 || dy != 0) {
        // Stop one pixel short along the longer axis, so that joined lines do not overlap.
        const int steps = std::max(std::abs(dx), std::abs(dy));
        const QPointF end(penPos_.X + dx * double(steps - 1) / steps, penPos_.Y + dy * double(steps - 1) / steps);
        QPainter& p = Painter();
        p.setPen(QtPen());
        p.drawLine(QPointF(penPos_.X, penPos_.Y), end);
    }
    penPos_ = {x, y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const QString& text) {
    QPainter& p = Painter();
    p.save();
    p.setClipRect(ui::ToQRect(rect), Qt::IntersectClip);
    if (brush_.Style != bsClear) p.fillRect(ui::ToQRect(rect), ui::ToQColor(brush_.Color));
    p.setFont(font_.ToQFont());
    p.setPen(ui::ToQColor(font_.Color()));
    p.drawText(QPoint(x, y + QFontMetrics(p.font()).ascent()), text);
    p.restore();
}

int TCanvas::TextWidth(const QString& text) { return QFontMetrics(font_.ToQFont()).horizontalAdvance(text); }

int TCanvas::TextHeight(const QString&) { return QFontMetrics(font_.ToQFont()).height(); }

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
    StretchDraw(Bounds(x, y, graphic.Width(), graphic.Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, const TGraphic& graphic) {
    if (graphic.Empty()) return;
    Painter().drawImage(ui::ToQRect(rect), graphic.Image());
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    QPainter& p = Painter();
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
    p.restore();
}
