#pragma once
// The connection check that starts every read, write and verify: (re)open the port, ask the
// firmware who it is, and tell the caller what answered. The caller decides what each answer means
// for its operation and what the user is told.

#include "core/base/Settings.h"
#include "core/programmer/Protocol.h"

#include <chrono>
#include <functional>

namespace zelko6 {

// After the port opens the board gets this long to settle, and this long to answer the first
// query (whose answer is then thrown away).
inline constexpr std::chrono::milliseconds kPortSettlePause{200};
inline constexpr std::chrono::milliseconds kFirstQueryPause{50};
inline constexpr std::chrono::seconds kIdentifyLimit{10};

// Characters of the identification reply: at least this many are waited for, this many kept.
inline constexpr int kIdentifyReplyLength = 18;
inline constexpr int kFirmwareIdLength = 16;
// Firmware older than this works badly with this program; the user is told so.
inline constexpr float kOldestGoodFirmware = 6.0f;
// What a reply of our firmware begins with.
inline constexpr char kFirmwarePrefix[] = "QT-LNK";

enum class CheckResult {
    Identified,   // "QT-LNK…": the operation goes on
    Foreign,      // something else answered; the operation goes on all the same
    TimedOut,     // fewer than 18 characters in 10 s
    PortLost,     // the device went away during the wait
    Interrupted,  // the operation was asked to stop during the wait
    PortUnusable, // the port could not be opened
};

struct CheckOutcome {
    CheckResult result = CheckResult::TimedOut;
    int portNumber = kFirstPortNumber; // the port the texts name
    QString reply;                     // Identified, Foreign: the first 16 characters
    float version = 0.0f;              // Identified: the firmware version, 0 when not a number
    int pending = 0;                   // a failed wait: the characters that had come
    OpenFailure openFailure;           // PortUnusable: why

    // The operation may go on: something answered.
    bool passed() const { return result == CheckResult::Identified || result == CheckResult::Foreign; }
    // Identified firmware that is too old for this program (0 is no version at all).
    bool outdated() const
    {
        return result == CheckResult::Identified && version != 0.0f && version < kOldestGoodFirmware;
    }
};

// The settings the check opens the port with: "ComNo" + 1, "RTS", "DTR". A saved number outside
// the ports offered means the first port, as the port window shows it.
PortSettings savedPortSettings(const Settings &settings);

// The firmware version in the last four characters of an identification; 0 when they are not a
// number, which then raises no warning.
float firmwareVersionOf(const QString &firmwareId);

// The check itself. `countdown` hears the whole seconds left of the identification wait each time
// they change. On return the port is open (unless it could not be opened); after an answer it
// delivers raw bytes, after a failed wait its input mode is left as it was.
CheckOutcome Read_Version(LinkContext &ctx, const PortSettings &port,
                          const std::function<void(int)> &countdown);

} // namespace zelko6
