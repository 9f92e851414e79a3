#include "core/programmer/PortProbe.h"

#include "core/programmer/ConnectionCheck.h"

namespace zelko6 {

std::optional<OpenFailure> probePort(SerialLink &link, Settings &settings, int listIndex)
{
    link.close();
    settings.setInt(keys::ComNo, listIndex);
    return link.open(savedPortSettings(settings));
}

} // namespace zelko6
