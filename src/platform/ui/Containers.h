// Controls that hold others: panels, group boxes, page controls and their tab sheets.
#pragma once

#include "platform/ui/Control.h"

#include <QFrame>
#include <QGroupBox>
#include <QTabWidget>

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public ui::ControlOf<QFrame> {
public:
    explicit TPanel(QWidget* parent);

    // Drawn in the middle of the panel.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    // bsSingle draws a one-pixel line around the panel.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void UpdateFrame();

    QString caption_;
    TAlignment alignment_ = taCenter;
    TBevelCut bevelOuter_ = bvRaised;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
};

class TGroupBox : public ui::ControlOf<QGroupBox> {
public:
    explicit TGroupBox(QWidget* parent) : ControlOf<QGroupBox>(parent) {}
    QString Caption() const { return title(); }
    void SetCaption(const QString& caption) { setTitle(caption); }
};

class TTabSheet;

class TPageControl : public ui::ControlOf<QTabWidget> {
public:
    explicit TPageControl(QWidget* parent);

    int PageCount() const { return count(); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return currentIndex(); }
    void SetActivePageIndex(int index) { setCurrentIndex(index); }

    bool WantsKey(Word key, TShiftState shift) const override;

    // Runs after the user or code changed the page.
    TNotifyEvent OnChange;

private:
    friend class TTabSheet;
    bool changing_ = false;
};

class TTabSheet : public ui::ControlOf<QWidget> {
public:
    // The sheet becomes the page control's last page.
    explicit TTabSheet(TPageControl* pageControl);

    TPageControl* PageControl() const { return pageControl_; }
    QString Caption() const;
    void SetCaption(const QString& caption);
    int PageIndex() const;
    // Hiding a sheet hides its tab.
    bool TabVisible() const;
    void SetTabVisible(bool visible);

private:
    TPageControl* pageControl_;
};
