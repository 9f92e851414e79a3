#include "support/HostileFiles.h"

namespace zelko6::test {

// No FIFOs, no /dev/zero: the tests that need them skip (systemHasFifos).

bool systemHasFifos()
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
