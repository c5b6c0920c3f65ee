// Menu items, the main menu and popup menus, shown through QAction, QMenuBar and QMenu.
#pragma once

#include "platform/rtl/Component.h"
#include "platform/ui/Events.h"

#include <QPointer>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(QObject* owner);
    ~TMenuItem() override;

    // "&File" underlines F; "-" makes a separator.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool IsLine() const { return caption_ == QLatin1String("-"); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint) { hint_ = hint; }

    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(size_t(index)); }
    TMenuItem* Parent() const { return parent_; }
    int IndexOf(const TMenuItem* item) const;
    // The item becomes a sub-item here (and is freed with this item when it has no owner).
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item);
    // Removes the sub-item and frees it.
    void Delete(int index);
    // Removes the sub-item without freeing it.
    void Remove(TMenuItem* item);
    void Clear();

    // Runs OnClick when the item is enabled.
    void Click();
    // Finds an enabled, visible item with this shortcut here or below and clicks it.
    bool IsShortCut(TShortCut shortCut);

    // The action that shows this item; tool buttons share it.
    QAction* Action() const { return action_; }
    // Where sub-items show: the item's own sub-menu, or the bar or popup of a menu's root item.
    void SetContainer(QWidget* container);

    TNotifyEvent OnClick;

private:
    QWidget* Container();
    void UpdateText();

    QString caption_;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    TShortCut shortCut_ = scNone;
    QString hint_;
    QAction* action_;
    std::unique_ptr<QMenu> subMenu_;
    QPointer<QWidget> container_;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
};

class TMainMenu : public TComponent {
public:
    // A main menu made on a form without a menu becomes the form's menu.
    explicit TMainMenu(QObject* owner);
    ~TMainMenu() override;

    TMenuItem* Items() const { return items_; }
    QMenuBar* Bar() const;
    bool IsShortCut(TShortCut shortCut) { return items_->IsShortCut(shortCut); }

private:
    TMenuItem* items_;
    QPointer<QMenuBar> bar_;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(QObject* owner);
    ~TPopupMenu() override;

    TMenuItem* Items() const { return items_; }
    // Shows the menu at a screen point (through the modal runner) after OnPopup.
    void Popup(int x, int y);
    bool IsShortCut(TShortCut shortCut) { return items_->IsShortCut(shortCut); }
    QMenu* Menu() const { return menu_.get(); }

    TNotifyEvent OnPopup;

private:
    std::unique_ptr<QMenu> menu_;
    TMenuItem* items_;
};
