#pragma once
#include <QString>
#include <functional>

namespace zelko6 {

// Makes the program's directory the current one and returns it with a trailing separator;
// empty when it cannot be made current.
QString GetAppDir(const QString &programDirectory);

// True when the file can be opened for reading: a locked or unreadable file counts as absent.
bool FileExists(const QString &path);

// Where the lock that keeps a second instance from starting lives: the user's runtime folder.
QString defaultInstanceLockPath();

// The file that `cmake --install` and the package put beside the executables: a program folder that
// holds it belongs to the system, and nothing of the program's own is ever written there, not even
// when root runs the program (a folder with a stray file cannot be removed with the package).
inline const QString kInstalledMarkerName = QStringLiteral("zelko6.installed");

// True when the install step marked this folder as an installed program's. A build tree or a
// copied folder has no marker.
bool isInstalledProgramFolder(const QString &programDirectory);

// Whether a new file can be made in a folder.
using FolderProbe = std::function<bool(const QString &folder)>;

// Makes (and removes) a file there: permission bits do not tell, since root writes into a
// read-only folder and a read-only mount refuses everyone.
bool canCreateFilesIn(const QString &folder);

// The user's own data folder: AppLocalDataLocation of the application ZELKO6, the window's name
// (~/.local/share/ZELKO6 on Linux). The command line, whose application name is its file name,
// uses the same folder so that both faces leave their files in one place.
QString userDataFolder();

// The folder, with a trailing separator, for the files the program writes for itself (the text
// dump, the verify log): the user's data folder (made when missing) for an installed program
// folder or one that `canWrite` says takes no file; otherwise the program folder, as it always was.
// An empty probe means canCreateFilesIn.
QString folderForOwnFiles(const QString &programDirectory, const FolderProbe &canWrite = {});

// Where the file dialogs start when no folder is remembered: nothing (the current folder, which is
// the program folder) for a program run from its build tree, as always; for an installed one the
// user's documents folder, or the home folder when there is none.
QString firstDialogFolder(const QString &programDirectory);

// Whether a folder is worth remembering as the start of the next Save: one the user can write.
bool isRememberedSaveFolder(const QString &folder);

// `fileName` in the folder of the user's settings file (~/.config/ZELKO6) when a readable one is
// there, else in the program folder: a user changes a copy of an installed file without root.
QString userOrProgramFile(const QString &programDirectory, const QString &fileName);

} // namespace zelko6
