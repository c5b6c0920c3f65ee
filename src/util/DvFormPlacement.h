// Saved window placements: the per-window registry values and keeping a window inside the work area.
#pragma once

#include <QRect>
#include <QString>
#include <optional>

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

}  // namespace util
