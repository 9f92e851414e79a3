#pragma once
// The one way the user's changes reach the buffer (a byte typed in the editor, a fill, their undo
// and redo): the bytes, then everything that shows them, as a refresh would have left it: the grid
// cells, the rows' characters by the edit rule, the checksum caption, the byte editor, and for a
// change of more than one byte the text dump.

#include "core/buffer/BufferChange.h"
#include "core/buffer/BufferState.h"

#include <QString>
#include <utility>
#include <vector>

namespace zelko6 {

class GridModel;

// What shows the buffer besides the grid's cells.
class BufferEditView {
  public:
    virtual ~BufferEditView() = default;
    virtual void setCheckSumCaption(const QString &caption) = 0;
    // The byte editor shows the byte under the grid's current cell again (it leaves alone a box
    // the user is typing into).
    virtual void reloadSelectedByte() = 0;
};

// Where a change is shown.
struct BufferDisplay {
    BufferState &buffer;
    GridModel &grid;
    QString dumpPath; // the text dump a refresh writes
    BufferEditView &view;
};

// Shows the bytes of `range` as the buffer holds them now. `editRuleRows` as for
// GridModel::showChangedBytes: without it, every row touched shows its characters by the edit rule.
void showChangedRange(const BufferDisplay &display, ByteRange range,
                      const std::vector<bool> *editRuleRows = nullptr);

// One change as an undo step keeps it.
class BufferEdit {
  public:
    explicit BufferEdit(BufferChange change) : change_(std::move(change)) {}

    // Makes the change and shows it: the first time, and again after an undo.
    void apply(const BufferDisplay &display);
    // Takes it back and shows the range as it was, each row's characters by the rule they followed.
    void revert(const BufferDisplay &display);

    // A later edit of the same single byte joins this step (see BufferChange::absorb).
    bool absorb(const BufferEdit &later) { return change_.absorb(later.change_); }
    const BufferChange &change() const { return change_; }
    // Memory the step keeps: the overwritten bytes, the pattern and the rows' rules.
    size_t heldBytes() const
    {
        return change_.heldBytes() + editRuleRuns_.capacity() * sizeof(decltype(editRuleRuns_)::value_type);
    }

  private:
    BufferChange change_;
    // The rows of the range that showed their characters by the edit rule before the first apply,
    // as runs (first row, count): none after a refresh, one after a fill, so a step of the whole
    // buffer keeps hardly more than its bytes.
    std::vector<std::pair<int, int>> editRuleRuns_;
    bool applied_ = false;
};

} // namespace zelko6
