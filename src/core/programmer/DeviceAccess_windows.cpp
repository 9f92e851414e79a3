#include "core/programmer/DeviceAccess.h"

namespace zelko6 {

// Windows lets every user open a COM port and answers one that another program holds with "access
// denied" (or a sharing violation), which is all it says: the permission advice
// (PermissionAdvice_windows.cpp) tells the user so, with no group to join.

OpenFailure::Kind refusalKind(int)
{
    return OpenFailure::Kind::Permission;
}

OpenFailure::Kind classifyRefusal(const QString &)
{
    return OpenFailure::Kind::Permission;
}

} // namespace zelko6
