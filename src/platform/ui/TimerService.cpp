// Qt's timer service and the clock-driven one for tests.
#include "platform/ui/TimerService.h"

#include <QTimer>
#include <algorithm>
#include "platform/ui/Dispatch.h"

namespace ui {
namespace {

class QtTimer : public ScheduledTimer {
public:
    QtTimer(int interval, std::function<void()> onTick) {
        QObject::connect(&timer_, &QTimer::timeout, [onTick = std::move(onTick)] { Dispatch(nullptr, onTick); });
        timer_.start(interval);
    }

private:
    QTimer timer_;
};

class QtTimerService : public TimerService {
public:
    std::unique_ptr<ScheduledTimer> Schedule(int interval, std::function<void()> onTick) override {
        return std::make_unique<QtTimer>(interval, std::move(onTick));
    }
};

std::shared_ptr<TimerService> MakeQtTimers() { return std::make_shared<QtTimerService>(); }

}  // namespace

rtl::ServiceSlot<TimerService>& TimerServiceSlot() {
    static rtl::ServiceSlot<TimerService> slot(&MakeQtTimers);
    return slot;
}

class ClockTimerService::Entry : public ScheduledTimer {
public:
    Entry(ClockTimerService& service, int interval, std::function<void()> onTick)
        : service_(service),
          interval_(quint32(interval)),
          due_(service.clock_->TickCount() + interval_),
          onTick_(std::move(onTick)) {
        service_.timers_.push_back(this);
    }
    ~Entry() override { std::erase(service_.timers_, this); }

    ClockTimerService& service_;
    quint32 interval_;
    quint32 due_;
    std::function<void()> onTick_;
};

std::unique_ptr<ScheduledTimer> ClockTimerService::Schedule(int interval, std::function<void()> onTick) {
    return std::make_unique<Entry>(*this, interval, std::move(onTick));
}

void ClockTimerService::Advance(quint32 milliseconds) {
    const quint32 target = clock_->TickCount() + milliseconds;
    for (;;) {
        auto next = std::min_element(timers_.begin(), timers_.end(),
                                     [](const Entry* a, const Entry* b) { return a->due_ < b->due_; });
        if (next == timers_.end() || (*next)->due_ > target) break;
        Entry& entry = **next;
        AdvanceClockTo(entry.due_);
        entry.due_ += entry.interval_;
        // A copy: the handler may stop (destroy) its own timer.
        std::function<void()> onTick = entry.onTick_;
        onTick();
    }
    AdvanceClockTo(target);
}

// A handler may have moved the clock on already (a Sleep); time never goes back.
void ClockTimerService::AdvanceClockTo(quint32 tick) {
    const quint32 now = clock_->TickCount();
    if (tick > now) clock_->Advance(tick - now);
}

}  // namespace ui
