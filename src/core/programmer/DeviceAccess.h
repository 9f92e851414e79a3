#pragma once
// Why the system refused to open a device that exists. The serial port reports a port held by
// another program and a device the user may not open as one and the same error, but the two need
// different help: the first, closing the other program; the second, what PermissionAdvice says.
// The device node itself tells them apart.

#include "core/programmer/SerialLink.h"

#include <QString>

namespace zelko6 {

// What an open(2) of the device's node that failed with `error` (0: it opened) says about a
// refusal of the serial port: no permission, or another program holds it.
OpenFailure::Kind refusalKind(int error);

// Opens the node read-write without making it the controlling terminal and closes it again, and
// gives refusalKind of the outcome.
OpenFailure::Kind classifyRefusal(const QString &device);

// A refusal by the serial port turned into what the user needs to know.
void explainRefusal(OpenFailure &failure);

// A port that would not open, as the link reports it: `kind` as the system said it, with a refusal
// (Busy) told apart by explainRefusal, and `detail` in the system's own words.
OpenFailure openFailure(OpenFailure::Kind kind, const QString &device, const QString &detail);

} // namespace zelko6
