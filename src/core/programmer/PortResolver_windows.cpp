#include "core/programmer/PortResolver.h"

namespace zelko6 {

// Port n is the system's COMn, whether or not the system lists it now.

bool PortResolver::numberingNeedsSystemList()
{
    return false;
}

ResolvedPort PortResolver::numberedDevice(int portNumber, QStringList)
{
    return {portName(portNumber), PortSource::SystemList};
}

} // namespace zelko6
