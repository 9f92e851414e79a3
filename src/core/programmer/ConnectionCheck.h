#pragma once
// The connection check that starts every read, write and verify: (re)open the port from the saved
// settings, ask the firmware who it is, show the answer in panel 2, warn about firmware older
// than version 6, and stop the operation (ComError = 1) when no board answers.

#include "core/base/Settings.h"
#include "core/programmer/Protocol.h"
#include "gui/Ports.h"

#include <chrono>

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

enum class CheckResult {
    Identified,   // "QT-LNK…": FirmwareId and FirmwareVersion updated; ComError 0
    Foreign,      // something else answered; ComError 0, the operation goes on
    TimedOut,     // fewer than 18 characters in 10 s (or the port went away); ComError 1
    PortUnusable, // the port could not be opened; ComError 1
};

// The settings the check opens the port with: "ComNo" + 1, "RTS", "DTR".
PortSettings savedPortSettings(const Settings &settings);

// The firmware version in the last four characters of an identification; 0 when they are not a
// number, which then raises no warning.
float firmwareVersionOf(const QString &firmwareId);

CheckResult Read_Version(LinkContext &ctx, const Settings &settings, MessageBoxes &boxes);

} // namespace zelko6
