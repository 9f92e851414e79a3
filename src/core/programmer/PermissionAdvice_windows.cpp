#include "core/programmer/PermissionAdvice.h"

namespace zelko6 {

// Windows has no device nodes with owners and groups: a COM port it refuses is held by another
// program (DeviceAccess_windows.cpp), so no refusal asks for this advice, and there is nothing to
// look up.
PermissionAdvice advisePermission(const QString &)
{
    return {};
}

} // namespace zelko6
