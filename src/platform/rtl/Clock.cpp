// The system clock and the fake clock for tests.
#include "platform/rtl/Clock.h"

#include "platform/rtl/DateUtils.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>

namespace rtl {
namespace {

class SystemClock : public Clock {
public:
    SystemClock() { timer_.start(); }
    quint32 TickCount() override { return static_cast<quint32>(timer_.elapsed()); }
    TDateTime Now() override {
        const QDateTime now = QDateTime::currentDateTime();
        return QDateToDateTime(now.date()) + QTimeToDateTime(now.time());
    }
    void Sleep(quint32 milliseconds) override { QThread::msleep(milliseconds); }

private:
    QElapsedTimer timer_;
};

std::shared_ptr<Clock> MakeSystemClock() { return std::make_shared<SystemClock>(); }

}  // namespace

ServiceSlot<Clock>& ClockSlot() {
    static ServiceSlot<Clock> slot(&MakeSystemClock);
    return slot;
}

void FakeClock::Advance(quint32 milliseconds) {
    ticks_ += milliseconds;
    now_ += milliseconds / MSecsPerDay;
}

}  // namespace rtl

quint32 GetTickCount() { return rtl::CurrentClock().TickCount(); }

void Sleep(quint32 milliseconds) { rtl::CurrentClock().Sleep(milliseconds); }
