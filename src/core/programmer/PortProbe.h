#pragma once
// The port settings window's choice of a port: save it and try it at once, so that a port that
// cannot be used is reported while the user is still choosing.

#include "core/base/Settings.h"
#include "core/programmer/SerialLink.h"

namespace zelko6 {

// Closes the link, saves "ComNo" = listIndex, opens port listIndex + 1 with the saved RTS and
// DTR. On failure the port stays closed and "ComNo" keeps the new index; the window then shows
// the "port could not be used" box.
std::optional<OpenFailure> probePort(SerialLink &link, Settings &settings, int listIndex);

} // namespace zelko6
