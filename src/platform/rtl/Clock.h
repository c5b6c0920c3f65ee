// The one injectable clock: monotonic milliseconds and the wall-clock date and time.
#pragma once

#include "platform/rtl/ServiceSlot.h"

#include <QtGlobal>
#include <memory>

using TDateTime = double;

namespace rtl {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds from an arbitrary start; never goes backwards (stands in for timeGetTime).
    virtual quint32 TickCount() = 0;
    // The local date and time as a TDateTime.
    virtual TDateTime Now() = 0;
    // Blocks for the given time (the real clock sleeps; a fake one advances).
    virtual void Sleep(quint32 milliseconds) = 0;
};

// The clock every part of the program reads; its default is the system clock.
ServiceSlot<Clock>& ClockSlot();
inline Clock& CurrentClock() { return ClockSlot().Current(); }

// Installs a clock (tests install FakeClock); returns the one it replaces. Null restores the system clock.
inline std::shared_ptr<Clock> SetClock(std::shared_ptr<Clock> clock) { return ClockSlot().Install(std::move(clock)); }

// A clock for tests: time moves only when told to.
class FakeClock : public Clock {
public:
    explicit FakeClock(TDateTime now = 0.0, quint32 ticks = 0) : now_(now), ticks_(ticks) {}
    quint32 TickCount() override { return ticks_; }
    TDateTime Now() override { return now_; }
    void Sleep(quint32 milliseconds) override { Advance(milliseconds); }

    void SetNow(TDateTime now) { now_ = now; }
    void Advance(quint32 milliseconds);

private:
    TDateTime now_;
    quint32 ticks_;
};

}  // namespace rtl

// timeGetTime / GetTickCount: the clock's milliseconds.
quint32 GetTickCount();
// Sleep on the current clock.
void Sleep(quint32 milliseconds);
