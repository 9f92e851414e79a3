#include "core/base/ProgramFolder.h"

#include "core/base/Settings.h"

namespace zelko6 {

// Beside the settings file, where a user who edits the one file also finds the other.
QString userCopiesFolder()
{
    return userSettingsFolder();
}

} // namespace zelko6
