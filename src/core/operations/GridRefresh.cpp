#include "core/operations/GridRefresh.h"

#include "core/buffer/CheckSum.h"
#include "core/buffer/GridModel.h"
#include "core/files/TextDump.h"
#include "core/operations/ScopedFlag.h"

#include <cmath>

namespace zelko6 {

int refreshProgress(size_t lastAddressOfRow, size_t size)
{
    if (size <= 1)
        return 100;
    return static_cast<int>(
        std::nearbyint(static_cast<double>(lastAddressOfRow) * 100.0 / static_cast<double>(size - 1)));
}

void RefreshGrid(BufferState &buffer, const QString &dumpPath, GridModel &grid, EventSink &events,
                 GridView &view)
{
    {
        const ScopedFlag busy = busyPointer(view);
        events.report(GridRefreshStarted{});
        view.yield();

        // A dump that cannot be written (read-only program folder) costs only the dump: the grid,
        // the checksum and the editor must still show the buffer the user is about to work with.
        buffer.WorkFilePath = dumpPath;
        writeTextDump(buffer.WorkFilePath, buffer.BufData.bytes());

        const ScopedFlag hidden([&view](bool hide) { view.setGridVisible(!hide); });
        grid.showBytes(buffer.BufData.bytes());

        const size_t size = buffer.BufData.size();
        int shown = 0;
        for (size_t row = 1; row * 16 <= size; ++row) {
            const int progress = refreshProgress(row * 16 - 1, size);
            if (progress != shown) {
                events.report(GridRefreshProgress{progress});
                shown = progress;
            }
        }

        view.setCurrentCell(1, 1);
        view.applyGridLayout();
        view.setCheckSumCaption(CalcCheckSum(buffer));
        view.gridClick();
    } // the grid shown again, then the pointer back
    events.report(GridRefreshFinished{});
}

void ClearBuffer(BufferState &buffer, int sizeExp, const QString &dumpPath, GridModel &grid,
                 EventSink &events, GridView &view)
{
    buffer.BufData.recreate(sizeExp);
    grid.clear();
    view.setCurrentCell(0, 0);
    RefreshGrid(buffer, dumpPath, grid, events, view);
}

} // namespace zelko6
