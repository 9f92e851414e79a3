#pragma once
// A face's flag held for a scope: raised on entry, lowered on every way out of it (an early
// return, an exception), exactly once. For the busy pointer of a command and the grid hidden
// while it is rebuilt, which used to be put back by hand on each exit.

#include <functional>
#include <utility>

namespace zelko6 {

class ScopedFlag {
  public:
    explicit ScopedFlag(std::function<void(bool)> set) : set_(std::move(set)) { set_(true); }
    ~ScopedFlag() { set_(false); }
    ScopedFlag(const ScopedFlag &) = delete;
    ScopedFlag &operator=(const ScopedFlag &) = delete;

  private:
    std::function<void(bool)> set_;
};

// The view's busy pointer while the scope lasts.
template <typename View> ScopedFlag busyPointer(View &view)
{
    return ScopedFlag([&view](bool busy) { view.setBusyPointer(busy); });
}

} // namespace zelko6
