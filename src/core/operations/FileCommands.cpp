#include "core/operations/FileCommands.h"

#include "core/base/ProgramFolder.h"
#include "core/base/Settings.h"
#include "core/buffer/CheckSum.h"
#include "core/files/BinaryImage.h"
#include "core/files/IntelHex.h"
#include "core/operations/FileTexts.h"
#include "gui/AppState.h"
#include "gui/Ports.h"

#include <QFileInfo>

namespace zelko6 {

namespace texts = filetexts;

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

static bool isBinaryName(const QString &path)
{
    return path.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive);
}

FileCommands::FileCommands(AppState &state, Settings &settings, StatusPanels &status, MessageBoxes &boxes,
                           FileDialogs &dialogs, FileCommandView &view)
    : state_(state), settings_(settings), status_(status), boxes_(boxes), dialogs_(dialogs), view_(view)
{
}

void FileCommands::mnuFileOpen_Click()
{
    status_.setPanel(1, texts::kPleaseWait);
    view_.yield();
    const auto chosen = dialogs_.openFile({settings_.text(keys::OpenDir),
                                           QStringLiteral("Hexファイル (*.HEX);;全てのファイル (*.*)"),
                                           QStringLiteral("HEX"), QStringLiteral("*.HEX")});
    state_.WorkFilePath = chosen.value_or(QString());
    if (!chosen || state_.WorkFilePath.isEmpty() || !FileExists(state_.WorkFilePath) ||
        !state_.chipSelected) {
        status_.setPanel(1, texts::kCannotOpen);
        return;
    }
    settings_.setText(keys::OpenDir, folderOf(state_.WorkFilePath));
    view_.setCaption(state_.AppTitleText + state_.WorkFilePath);
    view_.yield();
    loadChosenFile();
}

void FileCommands::loadChosenFile()
{
    view_.setBusyPointer(true);
    status_.setPanel(1, texts::kLoading);
    QString result = texts::kOpened;
    if (isBinaryName(state_.WorkFilePath)) {
        // A binary image longer than the chip is refused whole: half an image is never wanted.
        MemoryBuffer loaded;
        loaded.recreate(state_.chip.DUT_SizeExp);
        const BinaryLoadOutcome outcome = loadBinary(state_.WorkFilePath, loaded);
        switch (outcome.status) {
        case BinaryLoadOutcome::Status::Longer:
            status_.setPanel(1, texts::kBinaryTooLong);
            view_.setBusyPointer(false);
            return;
        case BinaryLoadOutcome::Status::Unreadable:
            status_.setPanel(1, texts::kCannotOpen);
            view_.setBusyPointer(false);
            return;
        case BinaryLoadOutcome::Status::Shorter:
            result = texts::kBinaryShorter;
            break;
        case BinaryLoadOutcome::Status::Exact:
            break;
        }
        state_.BufData = std::move(loaded);
    } else {
        state_.BufData.recreate(state_.chip.DUT_SizeExp);
        state_.CheckSumTotal = 0;
        const HexLoadOutcome outcome = loadIntelHex(state_.WorkFilePath, state_.BufData);
        // A file that did not fit or could not be read to its end is not reported as loaded:
        // the user would go on to write half an image into a chip.
        if (outcome.status == HexLoadOutcome::Status::DoesNotFit)
            result = texts::kDoesNotFit;
        else if (outcome.status == HexLoadOutcome::Status::Unreadable)
            result = texts::kUnreadable;
    }
    view_.refreshGrid();
    view_.setCheckSumCaption(CalcCheckSum(state_));
    status_.setPanel(1, result);
    view_.setBusyPointer(false);
}

void FileCommands::mnuFileSaveAs_Click()
{
    const auto chosen = dialogs_.saveFile({settings_.text(keys::SaveDir),
                                           QStringLiteral("Hexファイル (*.hex);;全てのファイル (*.*)"),
                                           QStringLiteral("HEX"), QString()});
    if (!chosen || chosen->isEmpty()) {
        status_.setPanel(1, texts::kSaveCancelled);
        return;
    }
    state_.WorkFilePath = *chosen;
    if (FileExists(state_.WorkFilePath) &&
        boxes_.show(BoxIcon::Question, BoxButtons::OkCancel, texts::kOverwriteTitle,
                    texts::kOverwriteQuestion) == BoxAnswer::Cancel) {
        status_.setPanel(1, texts::kSaveCancelled);
        return;
    }
    view_.setCaption(state_.AppTitleText + state_.WorkFilePath);
    settings_.setText(keys::SaveDir, folderOf(state_.WorkFilePath));
    status_.setPanel(1, texts::kSaving);
    view_.setBusyPointer(true);
    view_.yield();
    const bool saved = writeChosenFile();
    view_.setBusyPointer(false);
    if (saved)
        status_.setPanel(1, texts::kSaved);
}

bool FileCommands::writeChosenFile()
{
    const SaveOutcome outcome = isBinaryName(state_.WorkFilePath)
                                    ? saveBinary(state_.BufData, state_.WorkFilePath)
                                    : saveIntelHex(state_.BufData, state_.WorkFilePath);
    if (!outcome.saved)
        status_.setPanel(1, texts::kNotSaved + QStringLiteral(" (") + outcome.reason + u')');
    return outcome.saved;
}

} // namespace zelko6
