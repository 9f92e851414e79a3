#include "core/base/PathKind.h"

#include <QFileInfo>

namespace zelko6 {

PathKind pathKindOf(const QString &path)
{
    // QFileInfo follows symbolic links and asks the system without opening anything.
    const QFileInfo info(path);
    if (!info.exists())
        return PathKind::Missing;
    if (info.isDir())
        return PathKind::Folder;
    if (info.isFile())
        return PathKind::RegularFile;
    return PathKind::Other;
}

} // namespace zelko6
