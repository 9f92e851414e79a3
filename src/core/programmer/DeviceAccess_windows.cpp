#include "core/programmer/DeviceAccess.h"

namespace zelko6 {

// Windows lets every user open a COM port; it refuses one only while another program holds it
// (access denied or a sharing violation). There is no group to join.

OpenFailure::Kind refusalKind(int)
{
    return OpenFailure::Kind::InUse;
}

OpenFailure::Kind classifyRefusal(const QString &)
{
    return OpenFailure::Kind::InUse;
}

} // namespace zelko6
