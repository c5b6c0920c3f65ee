// Tool bars and their buttons; a button linked to a menu item shares its action (caption, state, click).
#pragma once

#include "platform/ui/Control.h"

#include <QToolBar>
#include <QToolButton>

class TMenuItem;

class TToolBar : public ui::ControlOf<QToolBar> {
public:
    // Sits at the top of its parent, as the framework places it.
    explicit TToolBar(QWidget* parent);
    bool ShowCaptions() const { return toolButtonStyle() != Qt::ToolButtonIconOnly; }
    void SetShowCaptions(bool show);
    void AddSeparator() { addSeparator(); }
};

class TToolButton : public ui::ControlOf<QToolButton> {
public:
    // The button is added at the end of the tool bar.
    explicit TToolButton(TToolBar* toolBar);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    // Enabled, Checked, caption and click follow the menu item from now on.
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* item);
    void SetImage(const QIcon& icon) { setIcon(icon); }

    bool ClicksOnMouseUp() const override { return false; }

private:
    TMenuItem* menuItem_ = nullptr;
};
