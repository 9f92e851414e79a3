#pragma once
// The buffer tools of the main window: go to an address, find a byte sequence, fill a range, and
// the undo history of every change the user makes to the buffer. The rules (what an address or a
// pattern is, where a match is, what a fill writes and keeps) are the core's; this collects the
// input, keeps the history and shows the result.

#include "core/buffer/BufferScan.h"
#include "core/operations/BufferEdits.h"

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace zelko6 {

struct AppState;
class ByteEditorPanel;
class EventSink;
class FillDialog;
class FindDialog;
class GoToDialog;
class HexGridView;

class BufferTools final : public QObject, private BufferEditView {
    Q_OBJECT
  public:
    struct Parts {
        AppState &state;
        GridModel &model;
        HexGridView &grid;
        EventSink &events;
        std::function<void(const QString &)> setCheckSumCaption;
        std::function<QString()> dumpPath;
        QWidget *window; // the dialogs' parent
    };
    explicit BufferTools(Parts parts);
    ~BufferTools() override;

    // The editor is made after the tools (it stores its bytes through them).
    void setEditor(ByteEditorPanel &editor);
    // The menu 編集 with every command of the tools, placed before `before` in the menu bar.
    void buildMenu(QMenuBar *bar, QAction *before);
    void retranslateUi();
    // Undo and redo are usable when there is something to take back or make again, and no device
    // operation runs; the other commands are locked by the window with every Locked control.
    void setOperationLock(bool locked);

    // The buffer was made anew (chip, file, Block Read, clear): nothing before it can be taken back.
    void clearHistory();
    // The byte editor's change of one byte: one undo step for every byte committed (the digits
    // typed into one selected byte make one step).
    void storeByte(int address, uint8_t value);

    // The commands, as the menu runs them (the dialogs open and return at once).
    void goToAddressCommand();
    void findCommand();
    void findNextCommand();
    void findPreviousCommand();
    void fillCommand();

    // What the dialogs' answers do.
    void goTo(int64_t address);
    void find(const std::vector<uint8_t> &pattern, SearchDirection direction, bool includeCurrent);
    void fill(ByteRange range, std::vector<uint8_t> pattern);

    QUndoStack &history() { return history_; }
    // Memory the history keeps for its steps.
    size_t historyBytes() const;

  private:
    class EditStep;

    // BufferEditView
    void setCheckSumCaption(const QString &caption) override;
    void reloadSelectedByte() override;

    BufferDisplay display();
    int64_t currentAddress() const;
    // The byte at `address` becomes the grid's current cell (shown), without loading the editor.
    void selectCell(int64_t address);
    void updateUndoActions();

    Parts parts_;
    ByteEditorPanel *editor_ = nullptr;
    QUndoStack history_;
    int editSession_ = 0; // a new one every time the editor loads a byte
    bool locked_ = false;
    std::vector<uint8_t> lastPattern_;
    int64_t lastHit_ = -1; // where the last search found its match
    GoToDialog *goToDialog_ = nullptr;
    FindDialog *findDialog_ = nullptr;
    FillDialog *fillDialog_ = nullptr;
    QMenu *menu_ = nullptr;
    QAction *undo_ = nullptr;
    QAction *redo_ = nullptr;
};

} // namespace zelko6
