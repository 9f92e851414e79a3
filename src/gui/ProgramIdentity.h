#pragma once
// The names and the icon by which the desktop knows the window: the application name (the
// settings' name, and on X11 the window's class, which the desktop entry's StartupWMClass names),
// the desktop entry it belongs to (on Wayland the window's app id) and the icon of every window.

#include <QIcon>

namespace zelko6 {

// The program's icon, in every size the package installs, from the program's resources.
QIcon programIcon();

// Before the first window is made.
void applyProgramIdentity();

} // namespace zelko6
