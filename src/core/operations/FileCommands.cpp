#include "core/operations/FileCommands.h"

#include "core/base/ProgramFolder.h"
#include "core/buffer/CheckSum.h"
#include "core/files/ImageFile.h"
#include "core/operations/ScopedFlag.h"

#include <QFileInfo>

namespace zelko6 {

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
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

// The suffix the dialogs add to a name typed without one: the default format's, as "HEX".
static QString defaultSuffix()
{
    return fileFormat(kDefaultImageFormat).suffixes.constFirst().toUpper();
}

FileDialogRequest FileCommands::openRequest() const
{
    return {openStartFolder(), defaultSuffix(), QStringLiteral("*.") + defaultSuffix()};
}

bool FileCommands::canOpen(const std::optional<QString> &chosen)
{
    if (!chosen || chosen->isEmpty() || !catalogue_.chipSelected) {
        status(FileStage::CannotOpen);
        return false;
    }
    // Before anything opens it (FileExists too): a FIFO without a writer would hold the window for
    // good, and a device such as /dev/zero never ends.
    if (const FileRefusal refusal = refusalBeforeOpening(*chosen); refusal.refused()) {
        events_.report(FileStatus{FileStage::CannotOpen, {}, {}, 0, refusal});
        return false;
    }
    if (!FileExists(*chosen)) {
        status(FileStage::CannotOpen);
        return false;
    }
    return true;
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
    const auto chosen = dialogs_.openFile(openRequest());
    buffer_.WorkFilePath = chosen.value_or(QString());
    if (!canOpen(chosen))
        return;
    settings_.setText(keys::OpenDir, folderOf(buffer_.WorkFilePath));
    view_.showFileInCaption(buffer_.WorkFilePath);
    view_.yield();
    loadChosenFile();
}

// A binary image longer than the chip is refused whole: half an image is never wanted.
static FileStatus statusOf(const BinaryLoadOutcome &outcome)
{
    switch (outcome.status) {
    case BinaryLoadOutcome::Status::Longer:
        return {FileStage::BinaryTooLong, {}};
    case BinaryLoadOutcome::Status::Unreadable:
        return {FileStage::CannotOpen, {}};
    case BinaryLoadOutcome::Status::Shorter:
        return {FileStage::LoadedShorter, {}};
    case BinaryLoadOutcome::Status::Exact:
        break;
    }
    return {FileStage::Loaded, {}};
}

// A file that did not fit, could not be read to its end or is damaged is not reported as loaded:
// the user would go on to write a broken image into a chip.
static FileStatus statusOf(const HexLoadOutcome &outcome)
{
    if (outcome.status == HexLoadOutcome::Status::DoesNotFit)
        return {FileStage::DoesNotFit, {}};
    if (outcome.status == HexLoadOutcome::Status::Unreadable)
        return {FileStage::Unreadable, {}};
    if (outcome.damage.found())
        return {FileStage::Damaged, {}, outcome.damage};
    return {FileStage::Loaded, {}};
}

FileCommands::ImageRead FileCommands::readImage(const QString &path) const
{
    ImageRead read;
    read.image.recreate(catalogue_.chip.DUT_SizeExp);
    const ImageFileRead file =
        readImageFile(path, *formatOfName(path, UnknownSuffix::IsIntelHex), read.image);
    if (file.refusal.refused())
        read.status = {FileStage::CannotOpen, {}, {}, 0, file.refusal};
    else // a reader with an outcome of a new kind does not compile without its statusOf
        read.status = std::visit([](const auto &outcome) { return statusOf(outcome); }, file.outcome);
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
    const auto chosen = dialogs_.openFile(openRequest());
    if (!canOpen(chosen))
        return;
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
    const auto chosen = dialogs_.saveFile({saveStartFolder(), defaultSuffix(), QString()});
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
    const SaveOutcome outcome =
        saveImageFile(buffer_.BufData, *formatOfName(path, UnknownSuffix::IsIntelHex), path);
    if (!outcome.saved)
        status(FileStage::NotSaved, outcome.reason);
    return outcome.saved;
}

} // namespace zelko6
