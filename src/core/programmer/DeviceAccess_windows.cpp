#include "core/programmer/DeviceAccess.h"

namespace zelko6 {

// Windows answers a port held by another program with "access denied", and that is all it says:
// the permission advice (PermissionAdviceWindows.cpp) tells the user so, with no group to join.

OpenFailure::Kind refusalKind(int)
{
    return OpenFailure::Kind::Permission;
}

OpenFailure::Kind classifyRefusal(const QString &)
{
    return OpenFailure::Kind::Permission;
}

} // namespace zelko6
