#include "core/programmer/DeviceAccess.h"

namespace zelko6 {

// Windows lets every user open a COM port; it denies access to one only while another program
// holds it. There is no group to join, and nothing to ask the device node.

OpenFailure::Kind refusalKind(int)
{
    return OpenFailure::Kind::Denied;
}

OpenFailure::Kind classifyRefusal(const QString &)
{
    return OpenFailure::Kind::Denied;
}

QString groupName(unsigned groupId)
{
    return QString::number(groupId);
}

QString deviceGroup(const QString &)
{
    return {};
}

} // namespace zelko6
