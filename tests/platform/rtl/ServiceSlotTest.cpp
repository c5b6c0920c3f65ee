// A service slot: nested scoped installs restore in turn, and installing null brings back a fresh default.
#include "platform/rtl/Clock.h"

#include <gtest/gtest.h>

TEST(ServiceSlot, ScopedInstallsRestoreWhatTheyFoundAndNullGivesAFreshDefault) {
    rtl::Clock* const original = &rtl::CurrentClock();
    {
        rtl::ScopedService outer(rtl::ClockSlot(), std::make_shared<rtl::FakeClock>(1.0));
        {
            rtl::ScopedService inner(rtl::ClockSlot(), std::make_shared<rtl::FakeClock>(2.0));
            inner->Advance(5);
            EXPECT_EQ(GetTickCount(), 5u);
        }
        EXPECT_EQ(&rtl::CurrentClock(), &*outer);
        EXPECT_EQ(rtl::CurrentClock().Now(), 1.0);
    }
    EXPECT_EQ(&rtl::CurrentClock(), original);

    const std::shared_ptr<rtl::Clock> replaced = rtl::SetClock(nullptr);
    EXPECT_EQ(replaced.get(), original);
    EXPECT_NE(&rtl::CurrentClock(), original);
}
