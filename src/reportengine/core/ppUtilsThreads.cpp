// The main-thread test and the background-printing count.
#include "reportengine/core/ppUtilsThreads.h"

#include <atomic>
#include <thread>

namespace {

// Read on any thread while the worker changes it, so it is atomic rather than locked.
std::atomic<int> backgroundGenerations{0};

// Static initialisation runs on the main thread, before main.
const std::thread::id kEngineMainThread = std::this_thread::get_id();

}  // namespace

bool IsMainThread() { return backgroundGenerations.load() > 0 || std::this_thread::get_id() == kEngineMainThread; }

void EnterBackgroundPrinting() { backgroundGenerations.fetch_add(1); }

void LeaveBackgroundPrinting() {
    int count = backgroundGenerations.load();
    while (count > 0 && !backgroundGenerations.compare_exchange_weak(count, count - 1)) {
    }
}
