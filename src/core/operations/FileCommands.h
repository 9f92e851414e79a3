#pragma once
// Loading the buffer from a file and saving it to one, in the format its name says (Intel HEX when
// it says none). The dialogs and the window are reached through small interfaces; what happens is
// reported as FileStatus events.

#include "core/base/Settings.h"
#include "core/buffer/BufferState.h"
#include "core/buffer/Differences.h"
#include "core/devices/Catalogue.h"
#include "core/operations/Events.h"

#include <QString>
#include <optional>

namespace zelko6 {

// The dialogs offer Intel HEX files first (the open dialog the other formats after them), then all
// files.
struct FileDialogRequest {
    QString initialFolder;
    QString defaultSuffix; // appended when the name typed has none
    QString initialName;
};

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The chosen full path, or nothing when the user cancels.
    virtual std::optional<QString> openFile(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest &request) = 0;
    // The chosen file exists: may it be replaced?
    virtual bool confirmOverwrite(const QString &path) = 0;
};

// What the file commands need from the main window.
class FileCommandView {
  public:
    virtual ~FileCommandView() = default;
    // The window's title names the file last loaded or saved.
    virtual void showFileInCaption(const QString &path) = 0;
    virtual void setBusyPointer(bool busy) = 0;
    // Lets the window's pending events run (the status text just set is painted) before a step
    // that keeps its thread busy: a dialog, reading or writing a file.
    virtual void yield() = 0;
    // The whole grid from the buffer (dump, checksum and editor included), keeping the command's
    // message.
    virtual void showBuffer() = 0;
    virtual void setCheckSumCaption(const QString &caption) = 0;
    // Marks these differences in the grid, replacing earlier marks.
    virtual void showDifferences(Differences differences, ComparedWith comparedWith) = 0;
    // Where a dialog starts when no usable folder is remembered; empty: the current folder.
    virtual QString firstDialogFolder() const = 0;
};

// The folder of a chosen file, without a trailing separator.
QString folderOf(const QString &path);

class FileCommands {
  public:
    FileCommands(BufferState &buffer, const CatalogueState &catalogue, Settings &settings, EventSink &events,
                 FileDialogs &dialogs, FileCommandView &view);

    void mnuFileOpen_Click();
    void mnuFileSaveAs_Click();
    // The buffer compared with a chosen file, read as a load would read it; the buffer and the
    // board are not touched, the differences are marked.
    void mnuFileCompare_Click();

  private:
    // A file's image at the chip's size, read by the rules of its name, and how the reading went.
    // Read on the window's thread: no file is read further than the longest an image can have (a
    // few MB, read in tens of milliseconds; bench_intelhex), too short a pause for a thread of its
    // own and the lock that would then have to keep the buffer from the user meanwhile.
    struct ImageRead {
        MemoryBuffer image;
        FileStatus status{FileStage::Loaded, {}};
        bool refused() const; // nothing usable came: the buffer must stay as it is
        bool whole() const;   // read completely and without damage
    };
    ImageRead readImage(const QString &path) const;
    FileDialogRequest openRequest() const;
    // Whether the chosen file may be read; if not, says so.
    bool canOpen(const std::optional<QString> &chosen);
    // The remembered folder when it is still one to start in, else the view's first one. Files are
    // read from folders the user may not write (a CD, /usr/share), so an open starts in any that is
    // still there; a save starts only where it can write.
    QString openStartFolder() const;
    QString saveStartFolder() const;
    void loadChosenFile();
    bool writeChosenFile();
    void status(FileStage stage, const QString &detail = {});

    BufferState &buffer_;
    const CatalogueState &catalogue_;
    Settings &settings_;
    EventSink &events_;
    FileDialogs &dialogs_;
    FileCommandView &view_;
};

} // namespace zelko6
