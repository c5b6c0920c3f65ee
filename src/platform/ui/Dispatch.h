// The one way Qt enters our code: whatever a handler raises ends at the application's exception handling.
#pragma once

#include "platform/ui/Application.h"

#include <utility>

class QObject;

namespace ui {

// Runs code that Qt calls into (a signal, an event override, a timer tick, an event filter, a queued call):
// EAbort ends it silently, any other exception goes to Application->HandleException(sender), and the
// event loop goes on. Only Qt's entry points pass here; our own calls see each other's exceptions.
template <class Code>
void Dispatch(QObject* sender, Code&& code) noexcept {
    try {
        std::forward<Code>(code)();
    } catch (...) {
        Application->HandleException(sender);
    }
}

}  // namespace ui
