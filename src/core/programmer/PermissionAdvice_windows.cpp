// The permission advice on Windows: every user may open a COM port, and the system denies access
// to one only while another program holds it. There is no group to join and no node to ask.

#include "core/programmer/PermissionAdvice.h"

namespace zelko6 {

PermissionAdvice advisePermission(const QString &)
{
    PermissionAdvice advice;
    advice.remedy = PermissionAdvice::Remedy::CloseHolder;
    return advice;
}

} // namespace zelko6
