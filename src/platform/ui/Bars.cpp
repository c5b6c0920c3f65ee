// The status bar paints its panels itself; the progress bar is Qt's without a percentage text.
#include "platform/ui/Bars.h"

#include "platform/ui/Dispatch.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

TStatusBar::TStatusBar(QWidget* parent) : ControlOf<QWidget>(parent) {
    SetBounds(0, 0, 100, QFontMetrics(font()).height() + 6);
    SetAlign(alBottom);
}

void TStatusBar::AddPanel(int width, bool ownerDraw) {
    panels_.push_back({width, QString(), ownerDraw});
    update();
}

void TStatusBar::SetPanelText(int index, const QString& text) {
    panels_.at(size_t(index)).text = text;
    update();
}

void TStatusBar::SetPanelWidth(int index, int width) {
    panels_.at(size_t(index)).width = width;
    update();
}

void TStatusBar::SetSimplePanel(bool simple) {
    simplePanel_ = simple;
    update();
}

void TStatusBar::SetSimpleText(const QString& text) {
    simpleText_ = text;
    update();
}

void TStatusBar::paintEvent(QPaintEvent*) {
    ui::Dispatch(this, [&] {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        auto drawPanel = [&](const QRect& r, const QString& text) {
            QStyleOptionFrame frame;
            frame.initFrom(this);
            frame.rect = r;
            frame.lineWidth = 1;
            frame.state |= QStyle::State_Sunken;
            style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(r.adjusted(4, 0, -4, 0), int(Qt::AlignVCenter | Qt::AlignLeft), text);
        };
        if (simplePanel_ || panels_.empty()) {
            drawPanel(rect().adjusted(0, 1, -1, -1), simpleText_);
            return;
        }
        int left = 0;
        for (size_t i = 0; i < panels_.size(); ++i) {
            const int w = i + 1 == panels_.size() ? width() - left : panels_[i].width;
            const QRect r(left, 1, w - 2, height() - 2);
            drawPanel(r, panels_[i].text);
            if (panels_[i].ownerDraw && OnDrawPanel) OnDrawPanel(*this, int(i), painter, r.adjusted(1, 1, -1, -1));
            left += w;
        }
    });
}

TProgressBar::TProgressBar(QWidget* parent) : ControlOf<QProgressBar>(parent) {
    setTextVisible(false);
    setRange(0, 100);
    setValue(0);
}
