// Failing the nth operation on purpose, so that tests can prove a routine leaves its files at the old or the new state.
#pragma once

#include <atomic>

namespace rtl {

// The engine's statements and commits and the file operations of routines that must be all-or-nothing are
// fault points: each asks Fails() before it acts and, when told to, fails the way the real operation fails.
// Off, a fault point costs one relaxed load.
// How an injected engine fault fails: a disk error, a full disk, or a file that may not be written.
enum class Fault { DiskError, DiskFull, ReadOnly };

class FaultInjection {
public:
    // The nth fault point reached from now on fails (1 = the next one), once, as kind; 0 turns injection off.
    static void FailAt(int n, Fault kind = Fault::DiskError);
    static Fault Kind() { return kind_.load(std::memory_order_relaxed); }
    // Whether the fault set by the last FailAt was reached.
    static bool Hit() { return hit_.load(std::memory_order_relaxed); }
    // Called by a fault point: counts it and answers whether it must fail.
    static bool Fails() { return countdown_.load(std::memory_order_relaxed) > 0 && CountDown(); }

private:
    static bool CountDown();

    static inline std::atomic<int> countdown_{0};
    static inline std::atomic<bool> hit_{false};
    static inline std::atomic<Fault> kind_{Fault::DiskError};
};

// FailAt(n) for the object's lifetime.
class ScopedFault {
public:
    explicit ScopedFault(int n, Fault kind = Fault::DiskError) { FaultInjection::FailAt(n, kind); }
    ~ScopedFault() { FaultInjection::FailAt(0); }
    ScopedFault(const ScopedFault&) = delete;
    ScopedFault& operator=(const ScopedFault&) = delete;
    bool Hit() const { return FaultInjection::Hit(); }
};

}  // namespace rtl
