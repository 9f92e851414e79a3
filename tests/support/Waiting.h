#pragma once
// The one way a test waits: for the thing it waits for, never for a fixed while. Every wait has a
// deadline long enough that only a fault uses it up, and says what did not happen when it passes,
// so a loaded machine only makes a test slower and a hang fails the test that caused it.

#include <QByteArray>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>

namespace zelko6::test {

// What no healthy wait comes near, even on a loaded two-core machine running several suites.
inline constexpr std::chrono::milliseconds kGenerousWait{30'000};
// How long a test watches for something that must not happen (see staysFalse).
inline constexpr std::chrono::milliseconds kQuietStretch{300};

enum class WhileWaiting {
    RunEvents, // the waiting thread's events go on: timers, sockets, queued calls
    Hold,      // the waiting thread does nothing at all, as a thread stuck in a long handler
};

// Waits until `done` holds. Fails, naming `what`, when `limit` passes first.
::testing::AssertionResult waitUntil(const char *what, const std::function<bool()> &done,
                                     std::chrono::milliseconds limit = kGenerousWait,
                                     WhileWaiting mode = WhileWaiting::RunEvents);

// Runs the events for `stretch` and fails, naming `what`, if `happened` holds at any moment of it.
// The only place a test lets time pass on purpose: to show that something does not happen (no byte
// is sent while a box is open, no byte comes unasked). A pass says nothing beyond the stretch.
::testing::AssertionResult staysFalse(const char *what, const std::function<bool()> &happened,
                                      std::chrono::milliseconds stretch = kQuietStretch);

// Up to `wanted` bytes from a descriptor, blocking on it until they are in: fewer when `limit`
// passes first or the other side hangs up. A limit of 0 takes only what is there already.
// Linux only (Descriptors_linux.cpp), as the suites that read a descriptor are.
QByteArray receiveFrom(int fd, qsizetype wanted, std::chrono::milliseconds limit = kGenerousWait);

} // namespace zelko6::test
