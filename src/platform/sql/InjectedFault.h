// The engine's fault point: statements and commits fail here when a test injected a fault.
#pragma once

#include "platform/rtl/FaultInjection.h"

namespace sql {

// Raises the engine's disk error when a test made this fault point fail (rtl::FaultInjection).
void RaiseInjectedFault();

inline void FailIfFaultInjected() {
    if (rtl::FaultInjection::Fails()) RaiseInjectedFault();
}

}  // namespace sql
