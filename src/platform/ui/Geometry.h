// The framework's points and rectangles (right and bottom edges exclusive) and their Qt counterparts.
#pragma once

#include <QPoint>
#include <QRect>

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

inline TPoint Point(int x, int y) { return {x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

namespace ui {

inline QPoint ToQPoint(TPoint p) { return {p.X, p.Y}; }
inline TPoint FromQPoint(QPoint p) { return {p.x(), p.y()}; }
inline QRect ToQRect(const TRect& r) { return QRect(QPoint(r.Left, r.Top), QSize(r.Width(), r.Height())); }
inline TRect FromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace ui
