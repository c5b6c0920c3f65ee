// Panels draw their caption and border; page controls keep their sheets as Qt tabs.
#include "platform/ui/Containers.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/KeyRouting.h"

#include <QPainter>
#include <QTabBar>

TPanel::TPanel(QWidget* parent) : ControlOf<QFrame>(parent) { UpdateFrame(); }

void TPanel::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    update();
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
    bevelOuter_ = bevel;
    UpdateFrame();
}

void TPanel::SetBorderWidth(int width) {
    borderWidth_ = width;
    UpdateFrame();
}

void TPanel::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    UpdateFrame();
}

void TPanel::UpdateFrame() {
    if (borderStyle_ == bsSingle) setFrameStyle(QFrame::Box | QFrame::Plain);
    else if (bevelOuter_ == bvRaised) setFrameStyle(QFrame::Panel | QFrame::Raised);
    else if (bevelOuter_ == bvLowered) setFrameStyle(QFrame::Panel | QFrame::Sunken);
    else setFrameStyle(QFrame::NoFrame);
    setLineWidth(1);
    setContentsMargins(borderWidth_, borderWidth_, borderWidth_, borderWidth_);
    update();
}

void TPanel::paintEvent(QPaintEvent* e) {
    QFrame::paintEvent(e);
    if (caption_.isEmpty()) return;
    ui::Dispatch(this, [this] {
        QPainter painter(this);
        const Qt::Alignment horizontal = alignment_ == taLeftJustify    ? Qt::AlignLeft
                                         : alignment_ == taRightJustify ? Qt::AlignRight
                                                                        : Qt::AlignHCenter;
        painter.drawText(contentsRect(), int(horizontal | Qt::AlignVCenter), caption_);
    });
}

TPageControl::TPageControl(QWidget* parent) : ControlOf<QTabWidget>(parent) {
    ui::ForwardKeys(*tabBar(), *this);
    connect(this, &QTabWidget::currentChanged, this, [this] {
        if (!changing_) ui::Dispatch(this, [this] { ui::Fire(OnChange, this); });
    });
}

TTabSheet* TPageControl::Pages(int index) const { return dynamic_cast<TTabSheet*>(widget(index)); }
TTabSheet* TPageControl::ActivePage() const { return dynamic_cast<TTabSheet*>(currentWidget()); }

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page) setCurrentWidget(page);
}

bool TPageControl::WantsKey(Word key, TShiftState) const { return key == VK_LEFT || key == VK_RIGHT; }

TTabSheet::TTabSheet(TPageControl* pageControl) : ControlOf<QWidget>(nullptr), pageControl_(pageControl) {
    // Adding the first page makes it current; that is not a change the user made.
    pageControl_->changing_ = true;
    pageControl_->addTab(this, QString());
    pageControl_->changing_ = false;
}

QString TTabSheet::Caption() const { return pageControl_->tabText(PageIndex()); }
void TTabSheet::SetCaption(const QString& caption) { pageControl_->setTabText(PageIndex(), caption); }
int TTabSheet::PageIndex() const { return pageControl_->indexOf(const_cast<TTabSheet*>(this)); }
bool TTabSheet::TabVisible() const { return pageControl_->isTabVisible(PageIndex()); }
void TTabSheet::SetTabVisible(bool visible) { pageControl_->setTabVisible(PageIndex(), visible); }
