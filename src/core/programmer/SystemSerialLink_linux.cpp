#include "core/programmer/SystemSerialLink.h"

#include "core/programmer/QtSerialLink.h"

namespace zelko6 {

std::unique_ptr<SerialLink> makeSystemSerialLink(PortResolver resolver)
{
    return std::make_unique<QtSerialLink>(std::move(resolver));
}

} // namespace zelko6
