#include "core/operations/FileCommands.h"

#include "core/base/ProgramFolder.h"
#include "core/buffer/CheckSum.h"
#include "core/files/BinaryImage.h"
#include "core/files/IntelHex.h"
#include "core/files/SRecord.h"
#include "core/operations/ScopedFlag.h"

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

QString FileCommands::openStartFolder() const
{
    const QString remembered = settings_.text(keys::OpenDir);
    return !remembered.isEmpty() && QFileInfo(remembered).isDir() ? remembered : view_.firstDialogFolder();
}

QString FileCommands::saveStartFolder() const
{
    const QString remembered = settings_.text(keys::SaveDir);
    return isRememberedSaveFolder(remembered) ? remembered : view_.firstDialogFolder();
}

void FileCommands::mnuFileOpen_Click()
{
    status(FileStage::PleaseWait);
    view_.yield();
    const auto chosen =
        dialogs_.openFile({openStartFolder(), QStringLiteral("HEX"), QStringLiteral("*.HEX")});
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

FileCommands::ImageRead FileCommands::readImage(const QString &path) const
{
    ImageRead read;
    read.image.recreate(catalogue_.chip.DUT_SizeExp);
    if (isBinaryName(path)) {
        // A binary image longer than the chip is refused whole: half an image is never wanted.
        switch (loadBinary(path, read.image).status) {
        case BinaryLoadOutcome::Status::Longer:
            read.status.stage = FileStage::BinaryTooLong;
            break;
        case BinaryLoadOutcome::Status::Unreadable:
            read.status.stage = FileStage::CannotOpen;
            break;
        case BinaryLoadOutcome::Status::Shorter:
            read.status.stage = FileStage::LoadedShorter;
            break;
        case BinaryLoadOutcome::Status::Exact:
            break;
        }
        return read;
    }
    const HexLoadOutcome outcome =
        isSRecordName(path) ? loadSRecord(path, read.image) : loadIntelHex(path, read.image);
    // A file that did not fit, could not be read to its end or is damaged is not reported as
    // loaded: the user would go on to write a broken image into a chip.
    if (outcome.status == HexLoadOutcome::Status::DoesNotFit)
        read.status.stage = FileStage::DoesNotFit;
    else if (outcome.status == HexLoadOutcome::Status::Unreadable)
        read.status.stage = FileStage::Unreadable;
    else if (outcome.damage.found())
        read.status = {FileStage::Damaged, {}, outcome.damage};
    return read;
}

bool FileCommands::ImageRead::refused() const
{
    return status.stage == FileStage::BinaryTooLong || status.stage == FileStage::CannotOpen;
}

bool FileCommands::ImageRead::whole() const
{
    return status.stage == FileStage::Loaded || status.stage == FileStage::LoadedShorter;
}

void FileCommands::loadChosenFile()
{
    const ScopedFlag busy = busyPointer(view_);
    status(FileStage::Loading);
    ImageRead read = readImage(buffer_.WorkFilePath);
    if (read.refused()) {
        events_.report(read.status); // the buffer stays as it was
        return;
    }
    buffer_.BufData = std::move(read.image);
    view_.showBuffer();
    view_.setCheckSumCaption(CalcCheckSum(buffer_));
    events_.report(read.status);
}

void FileCommands::mnuFileCompare_Click()
{
    status(FileStage::PleaseWait);
    view_.yield();
    const auto chosen =
        dialogs_.openFile({openStartFolder(), QStringLiteral("HEX"), QStringLiteral("*.HEX")});
    if (!chosen || chosen->isEmpty() || !FileExists(*chosen) || !catalogue_.chipSelected) {
        status(FileStage::CannotOpen);
        return;
    }
    settings_.setText(keys::OpenDir, folderOf(*chosen));
    const ScopedFlag busy = busyPointer(view_);
    status(FileStage::Loading);
    const ImageRead read = readImage(*chosen);
    if (!read.whole()) {
        // A file that could not be read whole is no measure of the buffer: its trouble is said and
        // the marks stay as they were.
        events_.report(read.status);
        return;
    }
    Differences differences = differencesBetween(buffer_.BufData.bytes(), read.image.bytes());
    FileStatus compared{FileStage::Compared, {}};
    compared.differences = static_cast<int64_t>(differences.size());
    view_.showDifferences(std::move(differences), ComparedWith::File);
    events_.report(compared);
}

void FileCommands::mnuFileSaveAs_Click()
{
    const auto chosen = dialogs_.saveFile({saveStartFolder(), QStringLiteral("HEX"), QString()});
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
    // A folder the user cannot write would only make the next save fail again.
    if (const QString folder = folderOf(buffer_.WorkFilePath); isRememberedSaveFolder(folder))
        settings_.setText(keys::SaveDir, folder);
    status(FileStage::Saving);
    bool saved = false;
    {
        const ScopedFlag busy = busyPointer(view_);
        view_.yield();
        saved = writeChosenFile();
    }
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
