#pragma once

#include <utility>

// Runs an action when the scope is left, also when an exception leaves it:
//     ScopeExit restore{[&] { current = saved; }};
template <class Action>
class ScopeExit {
public:
    explicit ScopeExit(Action action) : action(std::move(action)) {}
    ~ScopeExit() { action(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Action action;
};
