#pragma once
// Saving a whole file so that the chosen name only ever holds a complete file: a failed save
// (read-only folder, full disk, a folder in the way) leaves whatever was there before.

#include <QByteArrayView>
#include <QString>

namespace zelko6 {

struct SaveOutcome {
    bool saved = true;
    QString reason; // the system's description when not saved; the window shows its own text
};

// Writes to a temporary file in the same folder and renames it over `path` only when all is written.
SaveOutcome saveFileAtomically(const QString &path, QByteArrayView bytes);

} // namespace zelko6
