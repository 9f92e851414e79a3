#include "core/programmer/PortResolver.h"

#include <algorithm>

namespace zelko6 {

// There are no numbered ports: the n-th port the system lists, sorted by device path so that the
// numbering stays put between runs, and past the list's end the n-th built-in serial port.

bool PortResolver::numberingNeedsSystemList()
{
    return true;
}

ResolvedPort PortResolver::numberedDevice(int portNumber, QStringList listed)
{
    std::sort(listed.begin(), listed.end());
    if (portNumber >= 1 && portNumber <= listed.size())
        return {listed.at(portNumber - 1), PortSource::SystemList};
    return {QStringLiteral("/dev/ttyS") + QString::number(portNumber - 1), PortSource::Fallback};
}

} // namespace zelko6
