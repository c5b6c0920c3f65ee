// Tool buttons over QToolButton; a linked menu item's QAction drives the button.
#include "platform/ui/ToolBar.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/Menus.h"

#include <QAction>

TToolBar::TToolBar(QWidget* parent) : ControlOf<QToolBar>(parent) {
    SetBounds(0, 0, 100, 29);
    SetAlign(alTop);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void TToolBar::SetShowCaptions(bool show) {
    setToolButtonStyle(show ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

TToolButton::TToolButton(TToolBar* toolBar) : ControlOf<QToolButton>(toolBar) {
    // Tool buttons are reached by the mouse and the menus' keys, never by Tab.
    setFocusPolicy(Qt::NoFocus);
    // A button added as a widget does not follow the bar's captions switch by itself.
    setToolButtonStyle(toolBar->toolButtonStyle());
    connect(toolBar, &QToolBar::toolButtonStyleChanged, this, &QToolButton::setToolButtonStyle);
    toolBar->addWidget(this);
    connect(this, &QToolButton::clicked, this, [this] {
        if (!menuItem_) ui::Dispatch(this, [this] { Click(); });
    });
}

void TToolButton::SetMenuItem(TMenuItem* item) {
    menuItem_ = item;
    if (item) setDefaultAction(item->Action());
}
