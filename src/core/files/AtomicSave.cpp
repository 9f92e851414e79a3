#include "core/files/AtomicSave.h"

#include <QSaveFile>

namespace zelko6 {

SaveOutcome saveFileAtomically(const QString &path, QByteArrayView bytes,
                               const std::function<bool()> &abandon)
{
    QSaveFile file(path);
    // Writing in place would defeat the point: a failure must never truncate the old file.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    // A full disk first shows as a short write with no reason given; only the next write says
    // "No space left on device". So write until everything is out or the system says why not.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return {false, reason};
        }
        done += written;
    }
    if (abandon && abandon()) {
        file.cancelWriting();
        return {false, QString()};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

} // namespace zelko6
