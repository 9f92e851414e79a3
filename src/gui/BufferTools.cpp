#include "gui/BufferTools.h"

#include "core/buffer/GridModel.h"
#include "core/operations/Events.h"
#include "gui/AppState.h"
#include "gui/BufferDialogs.h"
#include "gui/ByteEditorPanel.h"
#include "gui/DuringOperations.h"
#include "gui/Fonts.h"
#include "gui/HexGridView.h"

#include <QAction>
#include <QItemSelection>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QUndoCommand>

namespace zelko6 {

// One step of the history: a change the user made, kept by the core's BufferEdit.
class BufferTools::EditStep final : public QUndoCommand {
  public:
    // `session` >= 0: a byte edit, joined by the edits of the same byte in the same session.
    EditStep(BufferTools &tools, BufferChange change, int session)
        : tools_(tools), edit_(std::move(change)), session_(session)
    {
    }

    void redo() override
    {
        // A byte edit done again or taken back shows its byte, as it was when the user typed it.
        if (!first_ && session_ >= 0)
            tools_.selectCell(edit_.change().range().first);
        first_ = false;
        edit_.apply(tools_.display());
    }
    void undo() override
    {
        if (session_ >= 0)
            tools_.selectCell(edit_.change().range().first);
        edit_.revert(tools_.display());
    }
    int id() const override { return session_ >= 0 ? 1 : -1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *later = static_cast<const EditStep *>(other); // same id: a byte edit too
        if (later->session_ != session_ || !edit_.absorb(later->edit_))
            return false;
        // Typed back to what it was: no step is left to take back.
        setObsolete(edit_.change().changesNothing());
        return true;
    }
    size_t heldBytes() const { return edit_.heldBytes(); }

  private:
    BufferTools &tools_;
    BufferEdit edit_;
    int session_;
    bool first_ = true;
};

BufferTools::BufferTools(Parts parts) : parts_(std::move(parts))
{
    goToDialog_ = new GoToDialog(parts_.window);
    findDialog_ = new FindDialog(parts_.window);
    fillDialog_ = new FillDialog(parts_.window);
    connect(goToDialog_, &QDialog::accepted, this, [this] { goTo(goToDialog_->address()); });
    // A search from the dialog starts at the current cell itself, unless that cell is where the
    // last search left the user: the same search again must move on to the next match.
    connect(findDialog_, &QDialog::accepted, this, [this] {
        const bool again = findDialog_->pattern() == lastPattern_ && currentAddress() == lastHit_;
        find(findDialog_->pattern(), findDialog_->direction(), !again);
    });
    connect(fillDialog_, &QDialog::accepted, this,
            [this] { fill(fillDialog_->range(), fillDialog_->pattern()); });
    connect(&history_, &QUndoStack::canUndoChanged, this, &BufferTools::updateUndoActions);
    connect(&history_, &QUndoStack::canRedoChanged, this, &BufferTools::updateUndoActions);
}

BufferTools::~BufferTools() = default;

void BufferTools::setEditor(ByteEditorPanel &editor)
{
    editor_ = &editor;
    connect(editor_, &ByteEditorPanel::byteLoaded, this, [this] { ++editSession_; });
}

void BufferTools::buildMenu(QMenuBar *bar, QAction *before)
{
    menu_ = new QMenu(bar);
    menu_->setObjectName(QStringLiteral("mnuEdit"));
    menu_->menuAction()->setObjectName(QStringLiteral("mnuEdit"));
    bar->insertMenu(before, menu_);
    // Every command changes the buffer or the current cell: locked while an operation runs.
    const auto item = [this](const char *name, QKeySequence key, void (BufferTools::*command)()) {
        QAction *action = menu_->addAction(QString());
        action->setObjectName(QLatin1String(name));
        action->setFont(uiGothicFont());
        action->setShortcut(key);
        setDuringOperations(*action, command ? DuringOperations::Locked : DuringOperations::LockedByOwner);
        if (command)
            connect(action, &QAction::triggered, this, command);
        return action;
    };
    // Undo and redo: locked here (setOperationLock), with whether there is a step to take.
    undo_ = item("mnuEditUndo", QKeySequence(Qt::CTRL | Qt::Key_Z), nullptr);
    redo_ = item("mnuEditRedo", QKeySequence(Qt::CTRL | Qt::Key_Y), nullptr);
    connect(undo_, &QAction::triggered, &history_, &QUndoStack::undo);
    connect(redo_, &QAction::triggered, &history_, &QUndoStack::redo);
    // Ctrl+Shift+Z as well: the redo key of the desktops that have no Ctrl+Y.
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    menu_->addSeparator()->setObjectName(QStringLiteral("mnuEditBar1"));
    item("mnuEditGoTo", QKeySequence(Qt::CTRL | Qt::Key_G), &BufferTools::goToAddressCommand);
    item("mnuEditFind", QKeySequence(Qt::CTRL | Qt::Key_F), &BufferTools::findCommand);
    // F3 and Shift+F3 belong to the next and previous difference.
    item("mnuEditFindNext", QKeySequence(Qt::CTRL | Qt::Key_F3), &BufferTools::findNextCommand);
    item("mnuEditFindPrevious", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F3),
         &BufferTools::findPreviousCommand);
    menu_->addSeparator()->setObjectName(QStringLiteral("mnuEditBar2"));
    item("mnuEditFill", QKeySequence(), &BufferTools::fillCommand);
    updateUndoActions();
}

void BufferTools::retranslateUi()
{
    if (!menu_)
        return;
    menu_->setTitle(tr("編集(&E)"));
    const QString kept = tr("チップの変更、ファイルのロード、Block Read、バッファのクリアで履歴は消えます。");
    undo_->setText(tr("元に戻す(&U)"));
    undo_->setStatusTip(tr("直前のバッファの変更を取り消します。%1").arg(kept));
    redo_->setText(tr("やり直し(&R)"));
    redo_->setStatusTip(tr("取り消した変更をもう一度行います。%1").arg(kept));
    const std::pair<const char *, QString> items[] = {
        {"mnuEditGoTo", tr("アドレスへ移動(&G)...")}, {"mnuEditFind", tr("検索(&F)...")},
        {"mnuEditFindNext", tr("次を検索(&N)")},      {"mnuEditFindPrevious", tr("前を検索(&P)")},
        {"mnuEditFill", tr("範囲を埋める(&L)...")},
    };
    for (const auto &[name, text] : items)
        menu_->findChild<QAction *>(QLatin1String(name))->setText(text);
}

void BufferTools::setOperationLock(bool locked)
{
    locked_ = locked;
    updateUndoActions();
}

void BufferTools::updateUndoActions()
{
    if (undo_)
        undo_->setEnabled(!locked_ && history_.canUndo());
    if (redo_)
        redo_->setEnabled(!locked_ && history_.canRedo());
}

void BufferTools::clearHistory()
{
    history_.clear();
}

size_t BufferTools::historyBytes() const
{
    size_t bytes = 0;
    for (int i = 0; i < history_.count(); ++i)
        bytes += static_cast<const EditStep *>(history_.command(i))->heldBytes();
    return bytes;
}

BufferDisplay BufferTools::display()
{
    return BufferDisplay{parts_.state, parts_.model, parts_.dumpPath(), *this};
}

void BufferTools::setCheckSumCaption(const QString &caption)
{
    parts_.setCheckSumCaption(caption);
}

void BufferTools::reloadSelectedByte()
{
    if (editor_)
        editor_->MSFGrid1_Click(editor_->hexBox()->hasFocus());
}

int64_t BufferTools::currentAddress() const
{
    return parts_.grid.selectedAddress();
}

void BufferTools::selectCell(int64_t address)
{
    const int row = static_cast<int>(address / kBytesPerRow) + 1;
    const int column = static_cast<int>(address % kBytesPerRow) + 1;
    parts_.grid.setCurrentCell(row, column);
    parts_.grid.scrollTo(parts_.grid.currentIndex());
}

void BufferTools::storeByte(int address, uint8_t value)
{
    if (!parts_.state.BufData.contains(address))
        return;
    if (parts_.state.BufData[static_cast<size_t>(address)] == value) {
        // The same byte typed again: shown as an edit shows it, with nothing to take back.
        showChangedRange(display(), ByteRange{address, 1});
        return;
    }
    history_.push(new EditStep(*this, BufferChange(ByteRange{address, 1}, {value}), editSession_));
}

void BufferTools::goToAddressCommand()
{
    if (!parts_.state.BufData.empty())
        goToDialog_->openFor(parts_.state.BufData.size());
}

void BufferTools::goTo(int64_t address)
{
    if (!parts_.state.BufData.contains(address))
        return;
    selectCell(address);
    parts_.grid.scrollTo(parts_.grid.currentIndex(), QAbstractItemView::PositionAtCenter);
    // As a click on the cell: the editor loads the byte, panel 3 names the address.
    if (editor_)
        editor_->MSFGrid1_Click(true);
}

void BufferTools::findCommand()
{
    if (!parts_.state.BufData.empty())
        findDialog_->openFor(parts_.state.BufData.size());
}

void BufferTools::findNextCommand()
{
    if (lastPattern_.empty())
        findCommand();
    else
        find(lastPattern_, SearchDirection::Forward, false);
}

void BufferTools::findPreviousCommand()
{
    if (lastPattern_.empty())
        findCommand();
    else
        find(lastPattern_, SearchDirection::Backward, false);
}

void BufferTools::find(const std::vector<uint8_t> &pattern, SearchDirection direction, bool includeCurrent)
{
    const MemoryBuffer &buffer = parts_.state.BufData;
    if (buffer.empty() || pattern.empty())
        return;
    lastPattern_ = pattern;
    const int64_t current = currentAddress();
    const int64_t step = includeCurrent ? 0 : 1;
    const int64_t from = direction == SearchDirection::Forward
                             ? (current < 0 ? 0 : current + step)
                             : (current < 0 ? static_cast<int64_t>(buffer.size()) - 1 : current - step);
    const auto hit = findBytes(buffer.bytes(), pattern, from, direction);
    parts_.events.report(
        SearchFinished{hit.has_value(), hit ? static_cast<int64_t>(hit->address) : -1, hit && hit->wrapped});
    if (!hit)
        return;
    const int64_t first = static_cast<int64_t>(hit->address);
    const int64_t last = first + static_cast<int64_t>(pattern.size()) - 1;
    lastHit_ = first;
    goTo(first);
    // The whole match highlighted, across rows as it runs; the current cell is its first byte.
    // The view shows the model through the difference marks: its selection takes the view's indexes.
    const QAbstractItemModel *shown = parts_.grid.model();
    QItemSelection match;
    for (int64_t at = first; at <= last;) {
        const int row = static_cast<int>(at / kBytesPerRow);
        const int left = static_cast<int>(at % kBytesPerRow);
        const int right = static_cast<int>(std::min<int64_t>(kBytesPerRow - 1, left + (last - at)));
        match.select(shown->index(row, left), shown->index(row, right));
        at += right - left + 1;
    }
    parts_.grid.selectionModel()->select(match, QItemSelectionModel::Select);
}

void BufferTools::fillCommand()
{
    if (parts_.state.BufData.empty())
        return;
    fillDialog_->prepare(std::max<int64_t>(currentAddress(), 0), parts_.state.BufData.size());
    fillDialog_->openFor(parts_.state.BufData.size());
}

void BufferTools::fill(ByteRange range, std::vector<uint8_t> pattern)
{
    const MemoryBuffer &buffer = parts_.state.BufData;
    if (pattern.empty() || range.count <= 0 || !buffer.contains(range.first) ||
        !buffer.contains(range.last()))
        return;
    history_.push(new EditStep(*this, BufferChange(range, std::move(pattern)), -1));
    parts_.events.report(BufferFilled{range.first, range.count});
}

} // namespace zelko6
