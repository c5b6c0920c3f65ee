// Running a routine with each of its fault points failing in turn, to prove it is all-or-nothing.
#pragma once

#include "platform/rtl/FaultInjection.h"

#include <functional>

namespace testing_env {

// For n = 1, 2, ...: prepare(), then routine() with the nth fault point failing, until a run reaches no
// injected fault. After each run that did, checkAfterFailure(n) looks at what the failure left. Errors the
// routine raises (our Exception) are its way of failing and are swallowed. Answers the last n, the run that
// succeeded (so the routine passes n - 1 fault points); stops with a test failure after `limit` runs. Each fault
// fails as kind (a disk error unless told).
int LoopOverFaults(const std::function<void()>& prepare, const std::function<void()>& routine,
                   const std::function<void(int n)>& checkAfterFailure, int limit = 2000,
                   rtl::Fault kind = rtl::Fault::DiskError);

}  // namespace testing_env
