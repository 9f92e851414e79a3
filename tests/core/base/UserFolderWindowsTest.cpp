// The per-user folder on Windows: a program folder that takes no file (C:\Program Files\ZELKO6)
// sends the program's own files to %LOCALAPPDATA%\ZELKO6, and a catalogue the user copied there is
// the one read. The folder is the real one of the Wine prefix the tests run in; what a test makes
// there it removes again.

#include "core/base/ProgramFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zelko6;

namespace {

struct UserFolderOnWindows : ::testing::Test {
    void SetUp() override
    {
        ASSERT_FALSE(localAppData.isEmpty()) << "LOCALAPPDATA is not set";
        ASSERT_TRUE(QFileInfo(localAppData).isDir()) << localAppData.toStdString();
        existedBefore = QFileInfo::exists(expected());
    }
    void TearDown() override
    {
        QFile::remove(expected() + QStringLiteral("zelko6.ini"));
        if (!existedBefore)
            QDir().rmdir(expected());
    }
    // As the program writes a folder: native separators, one at the end.
    QString expected() const { return QDir::toNativeSeparators(localAppData + QStringLiteral("/ZELKO6/")); }

    const QString localAppData = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
    bool existedBefore = false;
    test::TempProgramDir program;
};

TEST_F(UserFolderOnWindows, AProgramFolderThatTakesNoFileSendsThemToLocalAppData)
{
    EXPECT_EQ(QDir::toNativeSeparators(userDataFolder()),
              QDir::toNativeSeparators(localAppData + QStringLiteral("/ZELKO6")));
    EXPECT_EQ(folderForOwnFiles(program.appDir(), [](const QString &) { return false; }), expected());
    EXPECT_TRUE(QFileInfo(expected()).isDir());
    // Written through the folder's name as the program forms it: the file lands there.
    QFile log(expected() + QStringLiteral("VerifyLog.txt"));
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    log.remove();
}

TEST_F(UserFolderOnWindows, TheUsersOwnCatalogueThereIsReadInsteadOfTheInstalledOne)
{
    const QString installed = QDir::toNativeSeparators(program.file(QStringLiteral("zelko6.ini")));
    EXPECT_EQ(QDir::toNativeSeparators(userOrProgramFile(program.appDir(), QStringLiteral("zelko6.ini"))),
              installed);

    ASSERT_TRUE(QDir().mkpath(expected()));
    QFile own(expected() + QStringLiteral("zelko6.ini"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    EXPECT_EQ(userOrProgramFile(program.appDir(), QStringLiteral("zelko6.ini")),
              expected() + QStringLiteral("zelko6.ini"));
}

} // namespace
