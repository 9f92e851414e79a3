#include "core/operations/BufferEdits.h"

#include "core/buffer/CheckSum.h"
#include "core/buffer/GridModel.h"
#include "core/files/TextDump.h"

#include <algorithm>

namespace zelko6 {

void showChangedRange(const BufferDisplay &display, ByteRange range, const std::vector<bool> *editRuleRows)
{
    const std::span<const uint8_t> bytes = display.buffer.BufData.bytes();
    display.grid.showChangedBytes(
        range.first, bytes.subspan(static_cast<size_t>(range.first), static_cast<size_t>(range.count)),
        editRuleRows);
    display.view.setCheckSumCaption(CalcCheckSum(display.buffer));
    // A single byte has never reached the dump (the editor's edits do not); a block must, or the
    // dump would disagree with the grid until the next refresh.
    if (range.count > 1)
        writeTextDump(display.dumpPath, bytes);
    display.view.reloadSelectedByte();
}

namespace {

int firstRowOf(ByteRange range)
{
    return static_cast<int>(range.first / kBytesPerRow);
}

int lastRowOf(ByteRange range)
{
    return static_cast<int>(range.last() / kBytesPerRow);
}

} // namespace

void BufferEdit::apply(const BufferDisplay &display)
{
    const ByteRange range = change_.range();
    if (!applied_) {
        const int firstRow = firstRowOf(range);
        const std::vector<bool> rows = display.grid.editRuleRows(firstRow, lastRowOf(range));
        for (size_t i = 0; i < rows.size(); ++i) {
            if (!rows[i])
                continue;
            const int row = firstRow + static_cast<int>(i);
            if (!editRuleRuns_.empty() && editRuleRuns_.back().first + editRuleRuns_.back().second == row)
                ++editRuleRuns_.back().second;
            else
                editRuleRuns_.emplace_back(row, 1);
        }
        editRuleRuns_.shrink_to_fit();
        applied_ = true;
    }
    change_.apply(display.buffer.BufData);
    showChangedRange(display, range);
}

void BufferEdit::revert(const BufferDisplay &display)
{
    const ByteRange range = change_.range();
    const int firstRow = firstRowOf(range);
    std::vector<bool> rows(static_cast<size_t>(lastRowOf(range) - firstRow + 1), false);
    for (const auto &[row, count] : editRuleRuns_)
        std::fill_n(rows.begin() + (row - firstRow), count, true);
    change_.revert(display.buffer.BufData);
    showChangedRange(display, range, &rows);
}

} // namespace zelko6
