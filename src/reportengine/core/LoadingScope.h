// A scope in which definitions built in code are read the way a stream would read them.
#pragma once

#include <vector>

namespace reportengine {

class EngineComponent;

// Every component created on this thread while the scope lives, and every one included into it, is in the
// reading and loading states; when the outermost scope ends, each gets Loaded once, in the order it entered.
// A scope left by an exception ends the states without Loaded. Scopes nest: an inner one joins the outer.
class LoadingScope {
public:
    LoadingScope();
    ~LoadingScope();
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

    // Puts a component made before the scope into it.
    void Include(EngineComponent* component);

    // Used by the components themselves.
    static void Created(EngineComponent* component);
    static void Freed(EngineComponent* component);

private:
    LoadingScope* outer_;
    int exceptions_;
    std::vector<EngineComponent*> loading_;
};

}  // namespace reportengine
