#pragma once
// How a later start reaches the running instance, one file per platform behind this interface:
// a local socket beside the lock (SingleInstance_linux.cpp), named events (SingleInstance_windows.cpp).

#include <QString>
#include <chrono>
#include <functional>
#include <memory>

class QObject;

namespace zelko6 {

class SingleInstanceChannel {
  public:
    virtual ~SingleInstanceChannel() = default;

    // The channel as the system names it: the socket's path, or the request event's name.
    virtual QString name() const = 0;
    // For the instance that holds the lock: from now on each request runs `show` on the thread of
    // `context` and is answered once it has.
    virtual void listen() = 0;
    // From a later start: true once the running instance has answered within `limit`.
    virtual bool askToShow(std::chrono::milliseconds limit) const = 0;
};

std::unique_ptr<SingleInstanceChannel> makeSingleInstanceChannel(const QString &lockPath, QObject *context,
                                                                 std::function<void()> show);

} // namespace zelko6
