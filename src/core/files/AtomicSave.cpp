#include "core/files/AtomicSave.h"

#include <QSaveFile>

namespace zelko6 {

SaveOutcome saveFileAtomically(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    // Writing in place would defeat the point: a failure must never truncate the old file.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

} // namespace zelko6
