// TCustomAction and TActionList: a command controls share, with its caption, checked state, group and image;
// linked controls are told of every change.
#pragma once

#include "platform/ui/Events.h"

#include <QString>
#include <vector>

class TImageList;
class TCustomAction;

// The actions' image list.
class TActionList {
public:
    TImageList* Images = nullptr;
};

// A control's tie to its action.
class TActionLink {
public:
    TActionLink() = default;
    virtual ~TActionLink();
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    TCustomAction* Action() const { return action_; }
    // Ties to another action (null: none).
    void SetAction(TCustomAction* action);

protected:
    // A property of the action changed.
    virtual void ActionChanged() = 0;

private:
    friend class TCustomAction;
    TCustomAction* action_ = nullptr;
};

class TCustomAction {
public:
    explicit TCustomAction(TActionList* list = nullptr) : list_(list) {}
    ~TCustomAction();
    TCustomAction(const TCustomAction&) = delete;
    TCustomAction& operator=(const TCustomAction&) = delete;

    TActionList* ActionList() const { return list_; }
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    // The image in the action list's Images; -1: none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

    // Runs OnExecute; false when there is none.
    bool Execute();
    TNotifyEvent OnExecute;

private:
    friend class TActionLink;
    void Changed();

    TActionList* list_;
    QString caption_;
    bool checked_ = false;
    bool enabled_ = true;
    int groupIndex_ = 0;
    int imageIndex_ = -1;
    std::vector<TActionLink*> links_;
};
