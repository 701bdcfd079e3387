#pragma once

// The command objects each add their part to the same shell hooks; these
// keep what was there and add the new part after or before it, or ask the
// new part first.

#include <functional>
#include <utility>

namespace vlm {

// `hook` does what it did, then `then`.
template <typename... Args, typename F>
void RunAfter(std::function<void(Args...)>& hook, F then)
{
    hook = [previous = std::move(hook), then = std::move(then)](Args... args) {
        if (previous)
            previous(args...);
        then(args...);
    };
}

// `hook` does `first`, then what it did.
template <typename... Args, typename F>
void RunBefore(std::function<void(Args...)>& hook, F first)
{
    hook = [previous = std::move(hook), first = std::move(first)](Args... args) {
        first(args...);
        if (previous)
            previous(args...);
    };
}

// `hook` asks `first`, and what it asked before when `first` gives nothing.
template <typename R, typename... Args, typename F>
void AskFirst(std::function<R*(Args...)>& hook, F first)
{
    hook = [previous = std::move(hook), first = std::move(first)](Args... args) -> R* {
        if (R* answer = first(args...))
            return answer;
        return previous ? previous(args...) : nullptr;
    };
}

} // namespace vlm
