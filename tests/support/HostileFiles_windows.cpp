#include "support/HostileFiles.h"

namespace zelko6::test {

// Nothing to make: Windows has no FIFOs in its file system and no /dev/zero.

bool systemHasHostileFiles()
{
    return false;
}

bool makeFifo(const QString &)
{
    return false;
}

QString endlessFileIn(const QDir &, const QString &)
{
    return {};
}

bool endsWithoutAWriter(const QString &, const std::function<void()> &work)
{
    work();
    return true;
}

} // namespace zelko6::test
