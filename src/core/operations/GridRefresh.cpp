#include "core/operations/GridRefresh.h"

#include "core/buffer/CheckSum.h"
#include "core/buffer/GridModel.h"
#include "core/files/TextDump.h"
#include "gui/AppState.h"
#include "gui/Ports.h"

#include <cmath>

namespace zelko6 {

int refreshProgress(size_t lastAddressOfRow, size_t size)
{
    if (size <= 1)
        return 100;
    return static_cast<int>(
        std::nearbyint(static_cast<double>(lastAddressOfRow) * 100.0 / static_cast<double>(size - 1)));
}

void RefreshGrid(AppState &state, GridModel &grid, StatusPanels &status, GridView &view)
{
    view.setBusyPointer(true);
    status.setPanel(1, QStringLiteral("データ表示中です。　しばらくお待ちください。"));
    view.yield();

    // A dump that cannot be written (read-only program folder) costs only the dump: the grid,
    // the checksum and the editor must still show the buffer the user is about to work with.
    state.WorkFilePath = state.pathInAppDir(kTextDumpName);
    writeTextDump(state.WorkFilePath, state.BufData.bytes());

    view.setGridVisible(false);
    grid.showBytes(state.BufData.bytes());

    const size_t size = state.BufData.size();
    int shown = 0;
    for (size_t row = 1; row * 16 <= size; ++row) {
        const int progress = refreshProgress(row * 16 - 1, size);
        if (progress != shown) {
            status.setPanel(3, QString::number(progress) + u'%');
            shown = progress;
        }
    }

    view.setCurrentCell(1, 1);
    view.applyGridLayout();
    view.setCheckSumCaption(CalcCheckSum(state));
    view.gridClick();
    view.setGridVisible(true);
    view.setBusyPointer(false);
    status.setPanel(1, QStringLiteral("終了"));
}

void ClearBuffer(AppState &state, GridModel &grid, StatusPanels &status, GridView &view)
{
    state.BufData.recreate(state.chip.DUT_SizeExp);
    grid.clear();
    view.setCurrentCell(0, 0);
    RefreshGrid(state, grid, status, view);
}

} // namespace zelko6
