// TTimer restarts its scheduled timer whenever a property changes, as the framework does.
#include "platform/ui/Timer.h"

TTimer::TTimer(QObject* owner) : TComponent(owner) {}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(int interval) {
    interval_ = interval;
    Update();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    Update();
}

void TTimer::Update() {
    running_.reset();
    if (enabled_ && interval_ > 0 && onTimer_)
        running_ = ui::CurrentTimerService().Schedule(interval_, [this] { ui::Fire(onTimer_, this); });
}
