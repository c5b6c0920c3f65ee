// The status bar (panels or one simple text) and the progress bar.
#pragma once

#include "platform/ui/Control.h"

#include <QProgressBar>
#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

class QPainter;

class TStatusBar : public ui::ControlOf<QWidget> {
public:
    // Sits at the bottom of its parent, as the framework places it.
    explicit TStatusBar(QWidget* parent);

    // Panels are added with their widths; the last one takes the rest.
    int PanelCount() const { return int(panels_.size()); }
    // An owner-drawn panel is painted by OnDrawPanel in place of its text.
    void AddPanel(int width, bool ownerDraw = false);
    QString PanelText(int index) const { return panels_.at(size_t(index)).text; }
    void SetPanelText(int index, const QString& text);
    int PanelWidth(int index) const { return panels_.at(size_t(index)).width; }
    void SetPanelWidth(int index, int width);
    // With SimplePanel one text fills the bar in place of the panels.
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool simple);
    QString SimpleText() const { return simpleText_; }
    void SetSimpleText(const QString& text);
    std::function<void(TStatusBar& sender, int panel, QPainter& painter, const QRect& rect)> OnDrawPanel;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    struct Panel {
        int width;
        QString text;
        bool ownerDraw;
    };
    std::vector<Panel> panels_;
    bool simplePanel_ = false;
    QString simpleText_;
};

class TProgressBar : public ui::ControlOf<QProgressBar> {
public:
    explicit TProgressBar(QWidget* parent);
    int Min() const { return minimum(); }
    void SetMin(int min) { setMinimum(min); }
    int Max() const { return maximum(); }
    void SetMax(int max) { setMaximum(max); }
    int Position() const { return value(); }
    void SetPosition(int position) { setValue(position); }
    void StepBy(int delta) { setValue(value() + delta); }
};
