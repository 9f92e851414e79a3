// Where the program writes its own files: the program folder, or the user's data folder when the
// program folder is an installed, read-only one.

#include "core/base/ProgramFolder.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zelko6;

namespace {

struct OwnFilesFolder : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(data.isValid()); }
    QString userData() const { return data.path() + QStringLiteral("/ZELKO6/"); }

    test::TempProgramDir program;
    QTemporaryDir data;
    test::ScopedEnvironment dataHome{"XDG_DATA_HOME", QFile::encodeName(data.path())};
};

} // namespace

TEST_F(OwnFilesFolder, AWritableProgramFolderKeepsThemAndTheProbeLeavesNothingThere)
{
    QStringList probed;
    const auto writable = [&](const QString &folder) {
        probed << folder;
        return true;
    };
    EXPECT_EQ(folderForOwnFiles(program.appDir(), writable), program.appDir());
    EXPECT_EQ(probed, QStringList{program.appDir()});

    EXPECT_EQ(folderForOwnFiles(program.appDir()), program.appDir()); // really tried
    EXPECT_EQ(program.entries(), QStringList());
    EXPECT_FALSE(QFileInfo::exists(userData()));
}

TEST_F(OwnFilesFolder, AProgramFolderThatTakesNoFileSendsThemToTheUsersDataFolderMadeForThem)
{
    EXPECT_EQ(folderForOwnFiles(program.appDir(), [](const QString &) { return false; }), userData());
    EXPECT_TRUE(QFileInfo(userData()).isDir());
    EXPECT_EQ(userDataFolder() + u'/', userData());
}

TEST_F(OwnFilesFolder, AnInstalledProgramFolderTakesNothingWhateverItsRights)
{
    const QString blocked = data.filePath(QStringLiteral("a-file"));
    ASSERT_TRUE(QFile(blocked).open(QIODevice::WriteOnly)); // no folder can be made below it
    const struct {
        const char *what;
        bool marked;
        bool writable;
        bool dataFolderCanBeMade;
        bool expectProgramFolder;
    } cases[] = {
        {"a build tree that takes files keeps them", false, true, true, true},
        {"a build tree that takes none sends them to the user", false, false, true, false},
        {"an installed folder root can write still sends them to the user", true, true, true, false},
        {"an installed folder that takes none, likewise", true, false, true, false},
        {"a build tree with no data folder falls back to itself", false, false, false, true},
        {"an installed folder never does, even then", true, true, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        test::TempProgramDir folder;
        if (c.marked)
            folder.writeFile(kInstalledMarkerName, "installed\n");
        EXPECT_EQ(isInstalledProgramFolder(folder.appDir()), c.marked);
        test::ScopedEnvironment where{"XDG_DATA_HOME",
                                      QFile::encodeName(c.dataFolderCanBeMade ? data.path() : blocked)};
        const QString chosen =
            folderForOwnFiles(folder.appDir(), [&](const QString &) { return c.writable; });
        if (c.expectProgramFolder)
            EXPECT_EQ(chosen, folder.appDir());
        else
            EXPECT_EQ(chosen, userDataFolder() + u'/');
    }
    EXPECT_FALSE(isInstalledProgramFolder(QString())) << "no folder is not the current one";
}

TEST_F(OwnFilesFolder, TheProbeAgreesWithARealAttemptInAFolderWithoutWritePermission)
{
    EXPECT_FALSE(canCreateFilesIn(program.file(QStringLiteral("missing"))));
    const QString folder = program.appDir();
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                  QFile::ExeOther));
    const bool probe = canCreateFilesIn(folder);
    // Root still writes there; everybody else is refused. Either way the probe must say so.
    QFile attempt(program.file(QStringLiteral("attempt")));
    const bool created = attempt.open(QIODevice::WriteOnly);
    if (created)
        attempt.remove();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(probe, created);
    EXPECT_EQ(program.entries(), QStringList());
}
