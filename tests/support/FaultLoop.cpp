// The fault loop: one run per fault point, each checked.
#include "support/FaultLoop.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace testing_env {

int LoopOverFaults(const std::function<void()>& prepare, const std::function<void()>& routine,
                   const std::function<void(int n)>& checkAfterFailure, int limit, rtl::Fault kind) {
    for (int n = 1; n <= limit; ++n) {
        prepare();
        bool hit = false;
        {
            const rtl::ScopedFault fault(n, kind);
            try {
                routine();
            } catch (const Exception&) {
            }
            hit = fault.Hit();
        }
        if (!hit) return n;
        checkAfterFailure(n);
        if (::testing::Test::HasFatalFailure()) return n;
    }
    ADD_FAILURE() << "the routine still reached an injected fault after " << limit << " runs";
    return limit;
}

}  // namespace testing_env
