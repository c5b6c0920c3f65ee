// The pixels a widget shows, as its window's backing store holds them after the last paints.
#pragma once

#include <QImage>
#include <QScreen>
#include <QWidget>

namespace testing_env {

// Unlike QWidget::grab, which paints the widget afresh, this shows what partial repaints and moved pixels left.
inline QImage ShownPixels(QWidget& widget) {
    QWidget* window = widget.window();
    const QPoint origin = widget.mapTo(window, QPoint(0, 0));
    return window->screen()
        ->grabWindow(window->winId(), origin.x(), origin.y(), widget.width(), widget.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

}  // namespace testing_env
