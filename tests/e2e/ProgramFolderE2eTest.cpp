// A program folder that takes no file (an installed or read-only one): a Block Read and a Block Write
// against the simulated board leave the text dump and the verify log in the user's data folder,
// the window opens them from there, and nothing is written beside the program.

#include "E2eSupport.h"

#include "core/base/ProgramFolder.h"
#include "core/files/TextDump.h"

#include <QAction>
#include <QFile>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::e2e;
using zelko6::test::fileBytes;

namespace {

const QByteArray kChip256Page16 = "T256P16 256B 2 8 16 0 0 e2e";
constexpr QFile::Permissions kReadOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                         QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

struct E2eProgramFolderTest : E2eTest {
    void SetUp() override { ASSERT_TRUE(data.isValid()); }
    void TearDown() override
    {
        // The temporary program folder must be writable again to be removed.
        QFile::setPermissions(h.programDir.appDir(), kReadOnly | QFile::WriteOwner);
        E2eTest::TearDown();
    }
    QString ownFile(const QString &name) const { return data.path() + QStringLiteral("/ZELKO6/") + name; }

    // A user reads the chip, looks at the dump, then writes a buffer the chip reads back wrong
    // at one address.
    void readThenWrite()
    {
        const QStringList before = h.programDir.entries(); // the catalogue comes with the window
        const QByteArray image = pattern(256, 5);
        startBoard(8, {QStringLiteral("--corrupt"), QStringLiteral("0x7F=0x00")}, image);
        startWindow(kChip256Page16);

        click("Cmd_READ_all");
        EXPECT_EQ(buffer().left(0x7F), image.left(0x7F));
        EXPECT_EQ(cell(0x7E), byteCell(static_cast<uint8_t>(image[0x7E]))); // the grid refreshed
        const QByteArray bytes = buffer();
        EXPECT_EQ(fileBytes(ownFile(QStringLiteral("temp.txt"))),
                  buildTextDump({reinterpret_cast<const uint8_t *>(bytes.constData()),
                                 static_cast<size_t>(bytes.size())}));
        main().action("mnuOutPutTextFile")->trigger();
        EXPECT_EQ(h.shell.opened, QStringList{ownFile(QStringLiteral("temp.txt"))});

        setBuffer(QByteArray(256, '\x5A'));
        click("Cmd_WRITE_all");
        EXPECT_TRUE(fileBytes(ownFile(QStringLiteral("VerifyLog.txt"))).contains("0x000007F\t0x5A\t0x00"));
        EXPECT_EQ(h.shell.opened.last(), ownFile(QStringLiteral("VerifyLog.txt")));

        QStringList expected = before;
        if (!expected.contains(QStringLiteral("zelko6.ini")))
            expected << QStringLiteral("zelko6.ini");
        expected.sort();
        EXPECT_EQ(h.programDir.entries(), expected);
    }

    QTemporaryDir data;
    test::ScopedEnvironment dataHome{"XDG_DATA_HOME", QFile::encodeName(data.path())};
};

} // namespace

TEST_F(E2eProgramFolderTest, WhatTheProgramDecidesForAFolderThatTakesNoFileHoldsForEveryFile)
{
    // Root writes into any folder, so the decision itself is handed in here: this runs for everyone.
    QStringList probed;
    h.programFolderWritable = [&](const QString &folder) {
        probed << folder;
        return false;
    };
    readThenWrite();
    EXPECT_EQ(probed, QStringList{h.programDir.appDir()});
}

TEST_F(E2eProgramFolderTest, AnInstalledProgramFolderGetsNoFileWhoeverRunsTheProgram)
{
    // Not asked at all: root, who could write there, leaves nothing behind either.
    h.programDir.writeFile(kInstalledMarkerName, "installed\n");
    h.programFolderWritable = [](const QString &folder) {
        ADD_FAILURE() << "asked whether " << folder.toStdString() << " takes files";
        return true;
    };
    readThenWrite();
}

TEST_F(E2eProgramFolderTest, AProgramFolderWithoutWritePermissionGetsNoFile)
{
    // The catalogue is there before the folder closes; the window rewrites the file, not the folder.
    h.programDir.writeFile(QStringLiteral("zelko6.ini"), {});
    ASSERT_TRUE(QFile::setPermissions(h.programDir.appDir(), kReadOnly));
    if (canCreateFilesIn(h.programDir.appDir()))
        GTEST_SKIP() << "a folder without write permission still takes files here (root)";
    readThenWrite();
}
