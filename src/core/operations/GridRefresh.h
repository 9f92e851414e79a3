#pragma once
// The full refresh of the hex grid: every row from the buffer, the text dump beside the program,
// the checksum caption and the byte editor back on address 0.

#include "core/buffer/BufferState.h"
#include "core/operations/Events.h"

#include <QString>

namespace zelko6 {

class GridModel;

// What a refresh needs from the window that shows the grid.
class GridView {
  public:
    virtual ~GridView() = default;
    virtual void setBusyPointer(bool busy) = 0;
    // Lets the window's pending events run (the refresh's status text is painted) before the
    // rows are rebuilt; the only meaning "yield" has in this program.
    virtual void yield() = 0;
    virtual void setGridVisible(bool visible) = 0;
    // Grid coordinates: row 1.. are data rows, columns 1..16 bytes, 17 characters.
    virtual void setCurrentCell(int row, int column) = 0;
    virtual void applyGridLayout() = 0; // SetGridLayout
    virtual void setCheckSumCaption(const QString &caption) = 0;
    virtual void gridClick() = 0; // MSFGrid1_Click
};

inline const QString kTextDumpName = QStringLiteral("temp.txt");

// Progress after the row that ends at address a of a buffer of `size` bytes: a * 100 / (size - 1),
// rounded half to even.
int refreshProgress(size_t lastAddressOfRow, size_t size);

// `dumpPath`: where the text dump goes (temp.txt in the program folder).
void RefreshGrid(BufferState &buffer, const QString &dumpPath, GridModel &grid, EventSink &events,
                 GridView &view);

// A fresh buffer of 2^sizeExp bytes of 0xFF: the grid back to the header row alone, current cell on
// the corner, then a full refresh.
void ClearBuffer(BufferState &buffer, int sizeExp, const QString &dumpPath, GridModel &grid,
                 EventSink &events, GridView &view);

} // namespace zelko6
