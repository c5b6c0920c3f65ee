// Actions and their links: every change of an action reaches the controls tied to it.
#include "platform/ui/Actions.h"

#include <algorithm>

TActionLink::~TActionLink() { SetAction(nullptr); }

void TActionLink::SetAction(TCustomAction* action) {
    if (action == action_) return;
    if (action_) std::erase(action_->links_, this);
    action_ = action;
    if (action_) action_->links_.push_back(this);
}

TCustomAction::~TCustomAction() {
    for (TActionLink* link : links_) link->action_ = nullptr;
}

void TCustomAction::Changed() {
    // A link may untie itself while it is told.
    const std::vector<TActionLink*> links = links_;
    for (TActionLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->ActionChanged();
}

void TCustomAction::SetCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed();
}

void TCustomAction::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Changed();
}

void TCustomAction::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed();
}

void TCustomAction::SetGroupIndex(int index) {
    if (index == groupIndex_) return;
    groupIndex_ = index;
    Changed();
}

void TCustomAction::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    Changed();
}

bool TCustomAction::Execute() {
    if (!OnExecute) return false;
    ui::Fire(OnExecute, nullptr);
    return true;
}
