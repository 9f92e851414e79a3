#include "core/operations/FileCommands.h"

#include "core/base/ProgramFolder.h"
#include "core/buffer/CheckSum.h"
#include "core/files/BinaryImage.h"
#include "core/files/IntelHex.h"
#include "core/files/SRecord.h"

#include <QFileInfo>

namespace zelko6 {

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

static bool isBinaryName(const QString &path)
{
    return path.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive);
}

FileCommands::FileCommands(BufferState &buffer, const CatalogueState &catalogue, Settings &settings,
                           EventSink &events, FileDialogs &dialogs, FileCommandView &view)
    : buffer_(buffer), catalogue_(catalogue), settings_(settings), events_(events), dialogs_(dialogs),
      view_(view)
{
}

void FileCommands::status(FileStage stage, const QString &detail)
{
    events_.report(FileStatus{stage, detail});
}

void FileCommands::mnuFileOpen_Click()
{
    status(FileStage::PleaseWait);
    view_.yield();
    const auto chosen =
        dialogs_.openFile({settings_.text(keys::OpenDir), QStringLiteral("HEX"), QStringLiteral("*.HEX")});
    buffer_.WorkFilePath = chosen.value_or(QString());
    if (!chosen || buffer_.WorkFilePath.isEmpty() || !FileExists(buffer_.WorkFilePath) ||
        !catalogue_.chipSelected) {
        status(FileStage::CannotOpen);
        return;
    }
    settings_.setText(keys::OpenDir, folderOf(buffer_.WorkFilePath));
    view_.showFileInCaption(buffer_.WorkFilePath);
    view_.yield();
    loadChosenFile();
}

void FileCommands::loadChosenFile()
{
    view_.setBusyPointer(true);
    status(FileStage::Loading);
    FileStatus result{FileStage::Loaded, {}};
    if (isBinaryName(buffer_.WorkFilePath)) {
        // A binary image longer than the chip is refused whole: half an image is never wanted.
        MemoryBuffer loaded;
        loaded.recreate(catalogue_.chip.DUT_SizeExp);
        const BinaryLoadOutcome outcome = loadBinary(buffer_.WorkFilePath, loaded);
        switch (outcome.status) {
        case BinaryLoadOutcome::Status::Longer:
            status(FileStage::BinaryTooLong);
            view_.setBusyPointer(false);
            return;
        case BinaryLoadOutcome::Status::Unreadable:
            status(FileStage::CannotOpen);
            view_.setBusyPointer(false);
            return;
        case BinaryLoadOutcome::Status::Shorter:
            result.stage = FileStage::LoadedShorter;
            break;
        case BinaryLoadOutcome::Status::Exact:
            break;
        }
        buffer_.BufData = std::move(loaded);
    } else {
        buffer_.BufData.recreate(catalogue_.chip.DUT_SizeExp);
        buffer_.CheckSumTotal = 0;
        const HexLoadOutcome outcome = isSRecordName(buffer_.WorkFilePath)
                                           ? loadSRecord(buffer_.WorkFilePath, buffer_.BufData)
                                           : loadIntelHex(buffer_.WorkFilePath, buffer_.BufData);
        // A file that did not fit, could not be read to its end or is damaged is not reported as
        // loaded: the user would go on to write a broken image into a chip.
        if (outcome.status == HexLoadOutcome::Status::DoesNotFit)
            result.stage = FileStage::DoesNotFit;
        else if (outcome.status == HexLoadOutcome::Status::Unreadable)
            result.stage = FileStage::Unreadable;
        else if (outcome.damage.found())
            result = {FileStage::Damaged, {}, outcome.damage};
    }
    view_.showBuffer();
    view_.setCheckSumCaption(CalcCheckSum(buffer_));
    events_.report(result);
    view_.setBusyPointer(false);
}

void FileCommands::mnuFileSaveAs_Click()
{
    const auto chosen = dialogs_.saveFile({settings_.text(keys::SaveDir), QStringLiteral("HEX"), QString()});
    if (!chosen || chosen->isEmpty()) {
        status(FileStage::SaveCancelled);
        return;
    }
    buffer_.WorkFilePath = *chosen;
    if (FileExists(buffer_.WorkFilePath) && !dialogs_.confirmOverwrite(buffer_.WorkFilePath)) {
        status(FileStage::SaveCancelled);
        return;
    }
    view_.showFileInCaption(buffer_.WorkFilePath);
    settings_.setText(keys::SaveDir, folderOf(buffer_.WorkFilePath));
    status(FileStage::Saving);
    view_.setBusyPointer(true);
    view_.yield();
    const bool saved = writeChosenFile();
    view_.setBusyPointer(false);
    if (saved)
        status(FileStage::Saved);
}

bool FileCommands::writeChosenFile()
{
    const QString &path = buffer_.WorkFilePath;
    const SaveOutcome outcome = isBinaryName(path)    ? saveBinary(buffer_.BufData, path)
                                : isSRecordName(path) ? saveSRecord(buffer_.BufData, path)
                                                      : saveIntelHex(buffer_.BufData, path);
    if (!outcome.saved)
        status(FileStage::NotSaved, outcome.reason);
    return outcome.saved;
}

} // namespace zelko6
