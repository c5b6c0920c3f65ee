// TTimer: OnTimer every Interval milliseconds while Enabled, on the installed timer service.
#pragma once

#include "platform/rtl/Component.h"
#include "platform/ui/Events.h"
#include "platform/ui/TimerService.h"

class TTimer : public TComponent {
public:
    explicit TTimer(QObject* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    // Setting Enabled (also to its current value) starts the interval afresh.
    void SetEnabled(bool enabled);
    // Milliseconds; 0 never fires.
    int Interval() const { return interval_; }
    void SetInterval(int interval);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    // Attaching or detaching the handler also restarts the timer; without one it does not run.
    void SetOnTimer(TNotifyEvent handler);

private:
    void Update();

    bool enabled_ = true;
    int interval_ = 1000;
    TNotifyEvent onTimer_;
    std::unique_ptr<ui::ScheduledTimer> running_;
};
