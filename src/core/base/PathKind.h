#pragma once
// What a path names once symbolic links are followed, asked before anything opens it: opening a
// FIFO that has no writer waits for one for good, and a device such as /dev/zero never ends, so
// only a regular file is read to an end that comes.

#include <QString>

namespace zelko6 {

enum class PathKind {
    Missing,     // nothing there, or a symbolic link that leads nowhere
    RegularFile, //
    Folder,      //
    Other,       // a FIFO, a device, a socket
};

PathKind pathKindOf(const QString &path);

} // namespace zelko6
