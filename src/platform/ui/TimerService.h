// Where timers get their ticks: Qt's timers in the program, the fake clock in tests.
#pragma once

#include "platform/rtl/Clock.h"

#include <functional>
#include <memory>
#include <vector>

namespace ui {

// A running timer; destroying it stops it.
class ScheduledTimer {
public:
    virtual ~ScheduledTimer() = default;
};

class TimerService {
public:
    virtual ~TimerService() = default;
    // Calls onTick every interval (milliseconds, above 0) until the result is destroyed.
    virtual std::unique_ptr<ScheduledTimer> Schedule(int interval, std::function<void()> onTick) = 0;
};

// The service in use; its default is Qt's timers.
rtl::ServiceSlot<TimerService>& TimerServiceSlot();
inline TimerService& CurrentTimerService() { return TimerServiceSlot().Current(); }
// Installs a service and returns the one it replaces; null restores Qt's timers.
inline std::shared_ptr<TimerService> SetTimerService(std::shared_ptr<TimerService> service) {
    return TimerServiceSlot().Install(std::move(service));
}

// Timers driven by a fake clock: Advance moves the clock and fires every timer that falls due,
// in time order, each at its own moment. Install it with the clock (see ScopedFakeTimers).
class ClockTimerService : public TimerService {
public:
    explicit ClockTimerService(std::shared_ptr<rtl::FakeClock> clock) : clock_(std::move(clock)) {}
    std::unique_ptr<ScheduledTimer> Schedule(int interval, std::function<void()> onTick) override;
    void Advance(quint32 milliseconds);
    int ActiveCount() const { return int(timers_.size()); }

private:
    void AdvanceClockTo(quint32 tick);
    class Entry;
    std::shared_ptr<rtl::FakeClock> clock_;
    std::vector<Entry*> timers_;
};

// Installs a fake clock and timers driven by it for the lifetime of the object.
class ScopedFakeTimers {
public:
    explicit ScopedFakeTimers(TDateTime now = 0.0)
        : clock_(rtl::ClockSlot(), std::make_shared<rtl::FakeClock>(now)),
          timers_(TimerServiceSlot(), std::make_shared<ClockTimerService>(clock_.Shared())) {}
    rtl::FakeClock& Clock() const { return *clock_; }
    ClockTimerService& Timers() const { return *timers_; }
    void Advance(quint32 milliseconds) { timers_->Advance(milliseconds); }

private:
    rtl::ScopedService<rtl::Clock, rtl::FakeClock> clock_;
    rtl::ScopedService<TimerService, ClockTimerService> timers_;
};

}  // namespace ui
