// The countdown behind the fault points.
#include "platform/rtl/FaultInjection.h"

namespace rtl {

void FaultInjection::FailAt(int n, Fault kind) {
    hit_.store(false, std::memory_order_relaxed);
    kind_.store(kind, std::memory_order_relaxed);
    countdown_.store(n > 0 ? n : 0, std::memory_order_relaxed);
}

bool FaultInjection::CountDown() {
    if (countdown_.fetch_sub(1, std::memory_order_relaxed) != 1) return false;
    hit_.store(true, std::memory_order_relaxed);
    return true;
}

}  // namespace rtl
