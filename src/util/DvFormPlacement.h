// Saved window placements: the per-window registry values and keeping a window inside the work area.
#pragma once

#include <QRect>
#include <QString>
#include <optional>

class QWidget;

namespace util {

// A window's state as stored: 1 normal, 2 maximized, 3 minimized.
enum class StoredWindowState { Normal = 1, Maximized = 2, Minimized = 3 };

struct WindowPlacement {
    StoredWindowState state = StoredWindowState::Normal;
    QRect bounds;
};

// The bounds a window takes when nothing is stored: by the screen height, up to 600 pixels or over.
QRect DefaultStoredBounds(int screenHeight);

// The placement stored under the subkey of the version key: the bounds (each missing value from
// DefaultStoredBounds) and the state. Nothing when the key cannot be opened or holds no valid state.
std::optional<WindowPlacement> ReadWindowPlacement(const QString& key, int screenHeight);

// A minimized or maximized window stores only its state; a normal one its bounds too.
void WriteWindowPlacement(const QString& key, const WindowPlacement& placement);

// Moves the window into the area (top, left, bottom, right in that order); a window larger than the
// area along an axis takes the area's extent there.
QRect FitRectToWorkArea(const QRect& window, const QRect& area);

// The rectangle a window's place is kept as: its client area, inside whatever frame the window manager adds.
// Qt puts a window given this rectangle back exactly there, so a window stored and restored never moves.
QRect KeptWindowRect(const QWidget& window);

// Puts the window at the kept rectangle and fits it, with its frame, into the work area of the screen it is on.
void PlaceWindow(QWidget& window, const QRect& rect);

// Fits the window, with its frame, into the work area of the screen it is on (FitRectToWorkArea); a least
// size larger than that area gives way to it.
void FitWindowToWorkArea(QWidget& window);

}  // namespace util
