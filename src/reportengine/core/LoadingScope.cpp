// The loading scope for definitions built in code.
#include "reportengine/core/LoadingScope.h"

#include "reportengine/core/EngineComponent.h"

#include <algorithm>
#include <exception>

namespace reportengine {

namespace {

// One chain of scopes per thread: a report copy built on a worker thread has its own.
thread_local LoadingScope* activeLoadingScope = nullptr;

}  // namespace

LoadingScope::LoadingScope() : outer_(activeLoadingScope), exceptions_(std::uncaught_exceptions()) {
    activeLoadingScope = this;
}

LoadingScope::~LoadingScope() {
    activeLoadingScope = outer_;
    if (outer_) {
        for (EngineComponent* component : loading_)
            if (component) outer_->loading_.push_back(component);
        return;
    }
    const bool failed = std::uncaught_exceptions() > exceptions_;
    // Components created while Loaded runs join the walk; freed ones leave a gap in it.
    activeLoadingScope = this;
    for (size_t i = 0; i < loading_.size(); ++i) {
        EngineComponent* component = loading_[i];
        if (!component) continue;
        loading_[i] = nullptr;
        component->ExcludeState(csReading);
        if (failed) component->ExcludeState(csLoading);
        else component->Loaded();
    }
    activeLoadingScope = outer_;
}

void LoadingScope::Include(EngineComponent* component) {
    if (!component || std::find(loading_.begin(), loading_.end(), component) != loading_.end()) return;
    component->IncludeState(csLoading | csReading);
    loading_.push_back(component);
}

void LoadingScope::Created(EngineComponent* component) {
    if (activeLoadingScope) activeLoadingScope->Include(component);
}

void LoadingScope::Freed(EngineComponent* component) {
    for (LoadingScope* scope = activeLoadingScope; scope; scope = scope->outer_)
        std::replace(scope->loading_.begin(), scope->loading_.end(), component, static_cast<EngineComponent*>(nullptr));
}

}  // namespace reportengine
