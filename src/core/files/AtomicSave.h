#pragma once
// Saving a whole file so that the chosen name only ever holds a complete file: a failed save
// (read-only folder, full disk, a folder in the way) leaves whatever was there before.

#include <QByteArrayView>
#include <QString>
#include <functional>

namespace zelko6 {

struct SaveOutcome {
    bool saved = true;
    QString reason; // the system's description when not saved; the faces say it in their words
};

// Writes to a temporary file in the same folder and renames it over `path` only when all is
// written. `abandon`, asked just before the rename, may still call the save off (nothing changes).
SaveOutcome saveFileAtomically(const QString &path, QByteArrayView bytes,
                               const std::function<bool()> &abandon = {});

} // namespace zelko6
