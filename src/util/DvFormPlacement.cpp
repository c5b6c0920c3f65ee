// Reads and writes the "WindowState", "Top", "Left", "Height" and "Width" values of a window.
#include "util/DvFormPlacement.h"

#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace util {

QRect DefaultStoredBounds(int screenHeight) {
    // Left, top, width, height.
    return screenHeight > 600 ? QRect(150, 100, 724, 568) : QRect(100, 60, 600, 480);
}

std::optional<WindowPlacement> ReadWindowPlacement(const QString& key, int screenHeight) {
    TDvRegistry reg(KEY_READ);
    if (!VersionHistory->OpenReadKey(reg, key)) return std::nullopt;
    const QRect defaults = DefaultStoredBounds(screenHeight);
    const int state = reg.ReadIntegerDefault(QStringLiteral("WindowState"), 0);
    if (state < 1 || state > 3) return std::nullopt;
    WindowPlacement placement;
    placement.state = StoredWindowState(state);
    placement.bounds = QRect(reg.ReadIntegerDefault(QStringLiteral("Left"), defaults.left()),
                             reg.ReadIntegerDefault(QStringLiteral("Top"), defaults.top()),
                             reg.ReadIntegerDefault(QStringLiteral("Width"), defaults.width()),
                             reg.ReadIntegerDefault(QStringLiteral("Height"), defaults.height()));
    return placement;
}

void WriteWindowPlacement(const QString& key, const WindowPlacement& placement) {
    TDvRegistry reg;
    if (!VersionHistory->OpenWriteKey(reg, key)) return;
    reg.WriteInteger(QStringLiteral("WindowState"), int(placement.state));
    if (placement.state != StoredWindowState::Normal) return;
    reg.WriteInteger(QStringLiteral("Top"), placement.bounds.top());
    reg.WriteInteger(QStringLiteral("Left"), placement.bounds.left());
    reg.WriteInteger(QStringLiteral("Height"), placement.bounds.height());
    reg.WriteInteger(QStringLiteral("Width"), placement.bounds.width());
}

QRect FitRectToWorkArea(const QRect& window, const QRect& area) {
    int left = window.x(), top = window.y(), width = window.width(), height = window.height();
    const int areaRight = area.x() + area.width();
    const int areaBottom = area.y() + area.height();
    if (top < area.y()) top = area.y();
    if (left < area.x()) left = area.x();
    if (top + height > areaBottom) {
        if (height < area.height()) {
            top = areaBottom - height;
        } else {
            top = area.y();
            height = area.height();
        }
    }
    if (left + width > areaRight) {
        if (width < area.width()) {
            left = areaRight - width;
        } else {
            left = area.x();
            width = area.width();
        }
    }
    return QRect(left, top, width, height);
}

namespace {

// The frame the window manager drew around the window; none before the window was first shown.
QMargins FrameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

QRect WorkAreaAt(const QRect& rect) {
    QScreen* screen = QGuiApplication::screenAt(rect.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : rect;
}

}  // namespace

QRect KeptWindowRect(const QWidget& window) { return window.geometry(); }

void PlaceWindow(QWidget& window, const QRect& rect) {
    window.setGeometry(rect);
    FitWindowToWorkArea(window);
}

void FitWindowToWorkArea(QWidget& window) {
    const QMargins frame = FrameMargins(window);
    const QRect outer = window.geometry().marginsAdded(frame);
    const QRect area = WorkAreaAt(outer);
    const QSize least = window.minimumSize().boundedTo(area.marginsRemoved(frame).size());
    if (least != window.minimumSize()) {
        if (window.minimumSize() == window.maximumSize()) window.setFixedSize(least);
        else window.setMinimumSize(least);
    }
    window.setGeometry(FitRectToWorkArea(outer, area).marginsRemoved(frame));
}

}  // namespace util
