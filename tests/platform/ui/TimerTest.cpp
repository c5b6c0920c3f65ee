// TTimer on the fake clock: fires each interval, Interval 0 never, Enabled restarts, handlers may stop it.
#include "platform/ui/Timer.h"

#include <gtest/gtest.h>

TEST(Timer, FiresEveryIntervalAtItsMomentOnTheFakeClock) {
    ui::ScopedFakeTimers time;
    TTimer timer(nullptr);
    timer.SetInterval(300);
    std::vector<quint32> ticks;
    timer.SetOnTimer([&](QObject* sender) {
        EXPECT_EQ(sender, &timer);
        ticks.push_back(GetTickCount());
    });
    time.Advance(1000);
    EXPECT_EQ(ticks, (std::vector<quint32>{300, 600, 900}));
    EXPECT_EQ(GetTickCount(), 1000u);
}

TEST(Timer, IntervalZeroDisabledOrWithoutHandlerNeverFires) {
    ui::ScopedFakeTimers time;
    int fired = 0;
    TTimer zero(nullptr);
    zero.SetInterval(0);
    zero.SetOnTimer([&](QObject*) { ++fired; });
    TTimer disabled(nullptr);
    disabled.SetEnabled(false);
    disabled.SetOnTimer([&](QObject*) { ++fired; });
    TTimer noHandler(nullptr);
    time.Advance(100000);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(time.Timers().ActiveCount(), 0);
}

TEST(Timer, SettingEnabledRestartsTheInterval) {
    ui::ScopedFakeTimers time;
    TTimer timer(nullptr);
    timer.SetInterval(1000);
    int fired = 0;
    timer.SetOnTimer([&](QObject*) { ++fired; });
    time.Advance(800);
    timer.SetEnabled(true);  // already enabled: still starts afresh
    time.Advance(800);
    EXPECT_EQ(fired, 0);
    time.Advance(200);
    EXPECT_EQ(fired, 1);
}

TEST(Timer, HandlerThatDisablesItsTimerIsNotCalledAgain) {
    ui::ScopedFakeTimers time;
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int fired = 0;
    timer.SetOnTimer([&](QObject*) {
        ++fired;
        timer.SetEnabled(false);
    });
    time.Advance(100);
    EXPECT_EQ(fired, 1);
}

TEST(Timer, AHandlerThatSleepsNeverMovesTheClockBack) {
    ui::ScopedFakeTimers time;
    TTimer timer(nullptr);
    timer.SetInterval(100);
    timer.SetOnTimer([&](QObject*) {
        timer.SetEnabled(false);
        Sleep(500);
    });
    time.Advance(200);
    EXPECT_EQ(GetTickCount(), 600u);
}
