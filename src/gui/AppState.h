#pragma once
// The window program's state, one object owned by the application and passed by reference. Each
// subsystem's part is its own struct in the core (the catalogue and chip, the buffer); the link's
// record stays with the device operations. Member names are the names the rest of the program
// (and its users' documentation) speak of.

#include "core/buffer/BufferState.h"
#include "core/devices/Catalogue.h"

#include <QString>
#include <cstdint>

namespace zelko6 {

struct AppState : CatalogueState, BufferState {
    // Start-up and error reporting
    int32_t StepNo = 0;
    QString AppDir; // program directory, always ending in the native separator
    // Where the program's own files (text dump, verify log) go: AppDir, or the user's data folder
    // when AppDir cannot be written. Empty: AppDir.
    QString WriteDir;
    QString AppTitleText;

    // The byte editor's handlers return at once while it is set (their own changes, the
    // catalogue's refill of the device list).
    bool EditLock = false;

    QString pathInAppDir(const QString &fileName) const { return AppDir + fileName; }
    QString pathInWriteDir(const QString &fileName) const
    {
        return (WriteDir.isEmpty() ? AppDir : WriteDir) + fileName;
    }
};

} // namespace zelko6
