#include "core/programmer/DeviceAccess.h"

#include "core/programmer/PermissionAdvice.h"

namespace zelko6 {

// The platform's part (DeviceAccess_linux.cpp, DeviceAccess_windows.cpp) tells the refusals apart.
void explainRefusal(OpenFailure &failure)
{
    failure.kind = classifyRefusal(failure.device);
    if (failure.kind == OpenFailure::Kind::Permission)
        failure.permission = advisePermission(failure.device);
}

OpenFailure openFailure(OpenFailure::Kind kind, const QString &device, const QString &detail)
{
    OpenFailure failure;
    failure.kind = kind;
    failure.device = device;
    failure.detail = detail;
    if (kind == OpenFailure::Kind::Busy)
        explainRefusal(failure);
    return failure;
}

} // namespace zelko6
