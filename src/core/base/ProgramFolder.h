#pragma once
#include <QString>

namespace zelko6 {

// Makes the program's directory the current one and returns it with a trailing separator;
// empty when it cannot be made current.
QString GetAppDir(const QString &programDirectory);

// True when the file can be opened for reading: a locked or unreadable file counts as absent.
bool FileExists(const QString &path);

// Where the lock that keeps a second instance from starting lives: the user's runtime folder.
QString defaultInstanceLockPath();

} // namespace zelko6
