#pragma once
// Whether a control or menu item of the main window may be used while a device operation runs,
// decided where it is made. The window's lock reads the decision from everything it holds, so
// there is no list of names to keep beside the controls; a test walks every control and item and
// fails on one that was made without a decision.

#include <optional>

class QObject;

namespace zelko6 {

enum class DuringOperations {
    // Disabled while one runs: through it another could start, or the running one's chip, sizes,
    // buffer or port could change under it.
    Locked,
    // The same, applied by the code that also decides when it is usable otherwise (undo and redo,
    // the difference commands).
    LockedByOwner,
    // Nothing it does can disturb a running operation.
    Usable,
};

void setDuringOperations(QObject &control, DuringOperations rule);
// The decision made for this object itself; none when it has none. A control inside another one
// (the byte editor's boxes in its frame) goes with the decision of that one: Qt disables the
// children of a disabled widget.
std::optional<DuringOperations> duringOperations(const QObject &control);

} // namespace zelko6
