// Menu items kept as a tree of TMenuItem, each shown by one QAction.
#include "platform/ui/Menus.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/Form.h"
#include "platform/ui/ModalRunner.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

TMenuItem::TMenuItem(QObject* owner) : TComponent(owner), action_(new QAction(this)) {
    connect(action_, &QAction::triggered, this, [this] {
        // A checkable action toggles itself; the item's Checked changes only when code sets it.
        action_->setChecked(checked_);
        ui::Dispatch(this, [this] { Click(); });
    });
}

TMenuItem::~TMenuItem() {
    if (parent_) parent_->Remove(this);
    for (TMenuItem* item : items_) item->parent_ = nullptr;
}

void TMenuItem::SetCaption(const QString& caption) {
    caption_ = caption;
    action_->setSeparator(IsLine());
    UpdateText();
}

void TMenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    action_->setEnabled(enabled);
}

void TMenuItem::SetChecked(bool checked) {
    checked_ = checked;
    action_->setCheckable(checked || action_->isCheckable());
    action_->setChecked(checked);
}

void TMenuItem::SetVisible(bool visible) {
    visible_ = visible;
    action_->setVisible(visible);
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    shortCut_ = shortCut;
    UpdateText();
}

void TMenuItem::UpdateText() {
    // A line's "-" only marks it as a line: a separator with a text would draw the text at its left end.
    if (IsLine()) {
        action_->setText(QString());
        action_->setIconText(QString());
        return;
    }
    // The shortcut is shown after a tab but not registered with Qt: the form's key stages handle it.
    action_->setText(shortCut_ == scNone ? caption_ : caption_ + QLatin1Char('\t') + ShortCutToText(shortCut_));
    QString plain = caption_;
    plain.replace(QLatin1String("&&"), QLatin1String("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QChar(1), QLatin1Char('&'));
    action_->setIconText(plain);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

QWidget* TMenuItem::Container() {
    if (container_) return container_;
    if (!subMenu_) {
        subMenu_ = std::make_unique<QMenu>();
        action_->setMenu(subMenu_.get());
    }
    return subMenu_.get();
}

void TMenuItem::SetContainer(QWidget* container) { container_ = container; }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item->parent_) item->parent_->Remove(item);
    if (!item->parent()) item->setParent(this);
    index = std::clamp(index, 0, Count());
    QAction* before = index < Count() ? items_[size_t(index)]->action_ : nullptr;
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Container()->insertAction(before, item->action_);
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    Remove(item);
    // Later, so that an item may be deleted by its own click handler.
    item->deleteLater();
}

void TMenuItem::Remove(TMenuItem* item) {
    const int index = IndexOf(item);
    if (index < 0) return;
    items_.erase(items_.begin() + index);
    item->parent_ = nullptr;
    if (QWidget* container = container_ ? container_.data() : subMenu_.get()) container->removeAction(item->action_);
}

void TMenuItem::Clear() {
    while (Count() > 0) Delete(Count() - 1);
}

void TMenuItem::Click() {
    if (enabled_) ui::Fire(OnClick, this);
}

bool TMenuItem::IsShortCut(TShortCut shortCut) {
    if (shortCut == scNone) return false;
    for (TMenuItem* item : std::vector<TMenuItem*>(items_)) {
        if (!item->visible_) continue;
        if (item->shortCut_ == shortCut && item->enabled_) {
            item->Click();
            return true;
        }
        if (item->enabled_ && item->IsShortCut(shortCut)) return true;
    }
    return false;
}

TMainMenu::TMainMenu(QObject* owner)
    : TComponent(owner), items_(new TMenuItem(this)), bar_(new QMenuBar(qobject_cast<QWidget*>(owner))) {
    bar_->hide();
    items_->SetContainer(bar_);
    if (auto* form = dynamic_cast<TForm*>(owner); form && !form->Menu()) form->SetMenu(this);
}

QMenuBar* TMainMenu::Bar() const { return bar_; }

TMainMenu::~TMainMenu() {
    // A bar the owner widget holds goes with it; a bar without a parent goes with the menu.
    if (bar_ && !bar_->parent()) delete bar_.data();
}

TPopupMenu::TPopupMenu(QObject* owner)
    : TComponent(owner), menu_(std::make_unique<QMenu>()), items_(new TMenuItem(this)) {
    items_->SetContainer(menu_.get());
}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int x, int y) {
    ui::Fire(OnPopup, this);
    QMenu& menu = *menu_;
    const ui::ModalRun run{menu, Name().isEmpty() ? QStringLiteral("TPopupMenu") : Name(),
                           [&menu, x, y] {
                               menu.exec(QPoint(x, y));
                               return 0;
                           },
                           [](int) {}, [&menu] { menu.close(); }};
    ui::CurrentModalRunner().Run(run);
}
