#include "core/base/ProgramFolder.h"

namespace zelko6 {

// The settings are in the registry, which holds no files: the user's copies go where the program
// writes its own files for a user, %LOCALAPPDATA%\ZELKO6.
QString userCopiesFolder()
{
    return userDataFolder();
}

} // namespace zelko6
