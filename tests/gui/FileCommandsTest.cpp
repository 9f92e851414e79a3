// Loading and saving through the file commands: the real window with its real file dialog
// answered by the test, and the command logic with a scripted dialog for the failure paths.

#include "core/operations/FileCommands.h"
#include "core/base/ProgramFolder.h"
#include "core/files/ImageFile.h"
#include "core/files/ImageTestSupport.h"
#include "core/files/IntelHex.h"
#include "core/files/SRecord.h"
#include "gui/AppState.h"
#include "gui/BufferTools.h"
#include "gui/MainStatusBar.h"
#include "gui/MainWindow.h"
#include "messages/Translations.h"
#include "support/AppHarness.h"
#include "support/HostileFiles.h"
#include "support/Waiting.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::test;

namespace {

// Answers the next modal file dialog: chooses `path`, or cancels when it is empty. Records what
// the dialog offered.
struct DialogAnswer {
    QString folder;
    QStringList filters;
    void arm(const QString &path, QDeadlineTimer deadline = QDeadlineTimer(kGenerousWait))
    {
        // The command yields before its dialog opens, so wait for the dialog to be there.
        QTimer::singleShot(10, [this, path, deadline] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                if (!deadline.hasExpired())
                    arm(path, deadline);
                return;
            }
            folder = dialog->directory().absolutePath();
            filters = dialog->nameFilters();
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            // Typed into the name box as a user would; a name that does not exist yet counts too.
            dialog->setDirectory(QFileInfo(path).absolutePath());
            if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                name->setText(QFileInfo(path).fileName());
            QMetaObject::invokeMethod(dialog, "accept");
            // A dialog that refused the answer must not hang the test.
            QTimer::singleShot(500, [dialog = QPointer<QFileDialog>(dialog)] {
                if (dialog && dialog->isVisible()) {
                    ADD_FAILURE() << "the file dialog refused "
                                  << dialog->selectedFiles().join(',').toStdString();
                    dialog->reject();
                }
            });
        });
    }
};

struct FileWindowTest : ::testing::Test {
    AppHarness h;
    QTemporaryDir files;
    DialogAnswer answer;
    void SetUp() override
    {
        h.programDir.writeFile("zelko6.ini",
                               QByteArray("Ver 1\r\nT128 1Kbit 2 7 8 0 0 a\r\nT256 2Kbit 2 8 8 0 0 b\r\n"));
        h.store.save("Settings", "DUT", "1");
        h.start();
        ASSERT_TRUE(h.started);
    }
    void TearDown() override
    {
        h.stop();
        useLanguage(Language::Japanese, {}); // the next test starts as a first run does
    }
    MainWindow &main() { return *h.app->mainWindow(); }
    AppState &state() { return h.app->state(); }
    QString path(const char *name) { return files.filePath(QLatin1String(name)); }
    void writeFile(const QString &p, const QByteArray &bytes) { ASSERT_TRUE(writeBytes(p, bytes)); }
};

} // namespace

TEST_F(FileWindowTest, LoadingAFileFillsAFreshBufferAndRemembersItsFolder)
{
    writeFile(path("four.hex"), ":0400100001020304E2\r\n:00000001FF\r\n");
    state().BufData[0] = 0;
    answer.arm(path("four.hex"));
    main().findChild<QPushButton *>(QStringLiteral("Cmd_Open"))->click();

    EXPECT_EQ(answer.filters.first(), QStringLiteral("Hexファイル (*.HEX)"));
    EXPECT_EQ(main().status().panel(1), QStringLiteral("ファイルオープン完了"));
    EXPECT_EQ(state().BufData[0], 0xFF);
    EXPECT_EQ(state().BufData[0x13], 0x04);
    EXPECT_EQ(main().windowTitle(), state().AppTitleText + path("four.hex"));
    EXPECT_EQ(h.settings.stored("Settings", "OPEN_DIR_ZELKO6"), files.path());
    EXPECT_EQ(main().gridModel().byteText(1, 0), QStringLiteral("0x01"));
    EXPECT_EQ(main().findChild<QLabel *>(QStringLiteral("LblCheckSUM"))->text(),
              QStringLiteral("CheckSum:FB0E"));

    // The next dialog starts in that folder.
    answer.arm(QString());
    main().action("mnuFileOpen")->trigger();
    EXPECT_EQ(answer.folder, files.path());
    EXPECT_EQ(main().status().panel(1), QStringLiteral("ファイルをオープンできませんでした。"));
    EXPECT_EQ(state().BufData[0x13], 0x04); // a cancelled load changes nothing

    // A name typed that does not exist reaches the program, which says it in its own words.
    answer.arm(path("absent.hex"));
    main().action("mnuFileOpen")->trigger();
    EXPECT_EQ(main().status().panel(1), QStringLiteral("ファイルをオープンできませんでした。"));
    EXPECT_EQ(state().BufData[0x13], 0x04);
}

TEST_F(FileWindowTest, TheDialogsOfferTheFormatsInEitherLanguage)
{
    const auto offered = [&](const char *action) {
        answer.arm(QString());
        main().action(action)->trigger();
        return answer.filters;
    };
    EXPECT_EQ(offered("mnuFileOpen"),
              (QStringList{"Hexファイル (*.HEX)", "S-recordファイル (*.S19 *.S28 *.S37 *.SREC *.MOT)",
                           "バイナリファイル (*.BIN)", "全てのファイル (*.*)"}));
    EXPECT_EQ(offered("mnuFileSaveAs"), (QStringList{"Hexファイル (*.hex)", "全てのファイル (*.*)"}));
    main().action("mnuLanguageEnglish")->trigger();
    EXPECT_EQ(offered("mnuFileCompare"),
              (QStringList{"Intel HEX files (*.HEX)", "S-record files (*.S19 *.S28 *.S37 *.SREC *.MOT)",
                           "Binary files (*.BIN)", "All files (*.*)"}));
    EXPECT_EQ(offered("mnuFileSaveAs"), (QStringList{"Intel HEX files (*.hex)", "All files (*.*)"}));
}

TEST_F(FileWindowTest, FilesThatNeverEndOrBlockAreRefusedAndTheWindowGoesOn)
{
    const QString fifo = path("fifo.hex");
    if (!systemHasHostileFiles())
        GTEST_SKIP() << kNoHostileFiles;
    ASSERT_TRUE(makeFifo(fifo));
    const int64_t limit = longestImageFile(ImageFormat::IntelHex, state().BufData.size());
    ASSERT_TRUE(makeSparseFile(path("long.hex"), limit + 1));
    const QString cannotOpen = QStringLiteral("ファイルをオープンできませんでした。");
    const struct {
        QString file;
        const char *action;
        QString message;
    } cases[] = {
        {endlessFileIn(QDir(files.path()), QStringLiteral("z.s19")), "mnuFileOpen",
         cannotOpen + QStringLiteral(" (通常のファイルではありません)")},
        {fifo, "mnuFileCompare", cannotOpen + QStringLiteral(" (通常のファイルではありません)")},
        {path("long.hex"), "mnuFileOpen",
         cannotOpen +
             QStringLiteral(" (この形式のイメージのファイルとしては長すぎます: %1 バイト超)").arg(limit)},
    };
    state().BufData[0] = 0x12;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        answer.arm(c.file);
        EXPECT_TRUE(endsWithoutAWriter(fifo, [&] { main().action(c.action)->trigger(); }));
        EXPECT_EQ(main().status().panel(1), c.message);
        EXPECT_EQ(state().BufData[0], 0x12) << "the buffer stays as it was";
    }
}

TEST_F(FileWindowTest, ALoadedFileEmptiesTheUndoHistoryAndACancelledOneDoesNot)
{
    QAction *undo = main().action("mnuEditUndo");
    main().bufferTools().fill(ByteRange{0, 0x20}, {0x00});
    ASSERT_TRUE(undo->isEnabled());
    answer.arm(QString());
    main().action("mnuFileOpen")->trigger();
    EXPECT_TRUE(undo->isEnabled()) << "nothing was loaded";

    writeFile(path("four.hex"), ":0400100001020304E2\r\n:00000001FF\r\n");
    answer.arm(path("four.hex"));
    main().action("mnuFileOpen")->trigger();
    EXPECT_FALSE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(state().BufData[0], 0xFF) << "the fill before the load stays gone";
    EXPECT_EQ(state().BufData[0x13], 0x04);
}

TEST_F(FileWindowTest, AFileLargerThanTheChipLoadsWhatFitsAndSaysSo)
{
    writeFile(path("big.hex"), intelHexText(randomBuffer(9, 3)));
    answer.arm(path("big.hex"));
    main().action("mnuFileOpen")->trigger();
    EXPECT_EQ(
        main().status().panel(1),
        QStringLiteral("ファイルのデータがデバイスの容量を超えています。収まる部分だけを読み込みました。"));
    const MemoryBuffer expected = randomBuffer(9, 3);
    EXPECT_TRUE(std::equal(state().BufData.data(), state().BufData.data() + 256, expected.data()));
}

TEST_F(FileWindowTest, SavingWritesTheWholeBufferAndAsksBeforeOverwriting)
{
    state().BufData[5] = 0x0A;
    answer.arm(path("out.hex"));
    main().findChild<QPushButton *>(QStringLiteral("Cmd_SaveAs"))->click();
    EXPECT_EQ(main().status().panel(1), QStringLiteral("ファイルに保存終了。 "));
    EXPECT_EQ(fileBytes(path("out.hex")), intelHexText(state().BufData));
    EXPECT_EQ(h.settings.stored("Settings", "SAVE_DIR_ZELKO6"), files.path());
    EXPECT_EQ(main().windowTitle(), state().AppTitleText + path("out.hex"));

    state().BufData[5] = 0x0B;
    h.boxes.answers.push_back(BoxAnswer::Cancel);
    answer.arm(path("out.hex"));
    main().action("mnuFileSaveAs")->trigger();
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].title, QStringLiteral("上書き保存"));
    EXPECT_EQ(h.boxes.shown[0].text, QStringLiteral("ファイルが存在します。上書きしますか？"));
    EXPECT_EQ(h.boxes.shown[0].icon, BoxIcon::Question);
    EXPECT_EQ(main().status().panel(1), QStringLiteral("ファイル保存をキャンセルしました。"));
    EXPECT_NE(fileBytes(path("out.hex")), intelHexText(state().BufData));

    h.boxes.answers.push_back(BoxAnswer::Ok);
    answer.arm(path("out.hex"));
    main().action("mnuFileSaveAs")->trigger();
    EXPECT_EQ(fileBytes(path("out.hex")), intelHexText(state().BufData));
}

// A binary file through "all files", an S-record file by its name: saved whole, and loaded back.
TEST_F(FileWindowTest, BinaryAndSRecordFilesRoundTrip)
{
    const struct {
        const char *name;
        int step;
        QByteArray (*text)(const MemoryBuffer &);
        QByteArray opening;
    } cases[] = {
        // The binary file is the whole 256-byte buffer.
        {"image.bin", 3, bufferBytes, QByteArray("\x00\x03\x06\x09", 4)},
        {"image.MOT", 7, sRecordText, "S00900005A454C4B4F363B\r\nS113000000070E151C"},
    };
    ASSERT_EQ(state().BufData.size(), 256u);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (size_t i = 0; i < state().BufData.size(); ++i)
            state().BufData[i] = static_cast<uint8_t>(i * c.step);
        answer.arm(path(c.name));
        main().action("mnuFileSaveAs")->trigger();
        EXPECT_EQ(main().status().panel(1), QStringLiteral("ファイルに保存終了。 "));
        EXPECT_TRUE(fileBytes(path(c.name)).startsWith(c.opening));
        EXPECT_EQ(fileBytes(path(c.name)), c.text(state().BufData));
        main().ClearBuffer();
        answer.arm(path(c.name));
        main().action("mnuFileOpen")->trigger();
        EXPECT_EQ(main().status().panel(1), QStringLiteral("ファイルオープン完了"));
        EXPECT_EQ(state().BufData[255], static_cast<uint8_t>(255 * c.step));
    }
}

TEST_F(FileWindowTest, ADamagedFileShowsWhatWasReadAndSaysWhereItIsDamaged)
{
    // The checksum of line 2 should be E2: the bytes load, and the line is named.
    writeFile(path("bad.hex"), ":020000040000FA\r\n:0400100001020304E3\r\n:00000001FF\r\n");
    answer.arm(path("bad.hex"));
    main().action("mnuFileOpen")->trigger();
    EXPECT_EQ(main().status().panel(1),
              QStringLiteral("ファイルの2行目のチェックサムが合いません。読み込めた部分を表示しています。"));
    EXPECT_EQ(state().BufData[0x13], 0x04);
    EXPECT_EQ(main().gridModel().byteText(1, 0), QStringLiteral("0x01"));
}

// Where the open and save dialogs start: a folder the user keeps files in, not the installed
// program's, and never a remembered folder that is gone (or, for a save, cannot take the file).
TEST(FileDialogStart, AnInstalledProgramStartsWhereTheUserKeepsFiles)
{
    enum Remembered { Nothing, GoneFolder, FileNotFolder, UsableFolder };
    enum Start { ProgramFolder, Documents, Home, RememberedFolder };
    const struct {
        const char *what;
        bool installed;
        bool documentsExist;
        Remembered remembered;
        Start expected;
    } cases[] = {
        {"a build tree starts beside the program, as always", false, true, Nothing, ProgramFolder},
        {"an installed program starts in the documents", true, true, Nothing, Documents},
        {"without documents, in the home folder", true, false, Nothing, Home},
        {"a remembered folder that is gone is not used", true, true, GoneFolder, Documents},
        {"nor a remembered name that is a file", true, true, FileNotFolder, Documents},
        {"in a build tree either", false, true, GoneFolder, ProgramFolder},
        {"a remembered folder that is there wins", true, true, UsableFolder, RememberedFolder},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir home, files;
        ScopedEnvironment homeVariable("HOME", QFile::encodeName(home.path()));
        const QString documents = home.filePath(QStringLiteral("Documents"));
        if (c.documentsExist) {
            ASSERT_TRUE(QDir().mkpath(documents));
        }
        QString remembered;
        if (c.remembered == GoneFolder)
            remembered = files.filePath(QStringLiteral("gone"));
        else if (c.remembered == FileNotFolder)
            remembered = files.filePath(QStringLiteral("a.hex"));
        else if (c.remembered == UsableFolder)
            remembered = files.path();
        ASSERT_TRUE(writeBytes(files.filePath(QStringLiteral("a.hex")), ":00000001FF\r\n"));

        AppHarness h;
        if (c.installed)
            h.programDir.writeFile(kInstalledMarkerName, "installed\n");
        if (c.remembered != Nothing) {
            h.store.save("Settings", "OPEN_DIR_ZELKO6", remembered);
            h.store.save("Settings", "SAVE_DIR_ZELKO6", remembered);
        }
        h.start();
        ASSERT_TRUE(h.started);
        const QString expected = c.expected == ProgramFolder ? h.programDir.appDir()
                                 : c.expected == Documents   ? documents
                                 : c.expected == Home        ? home.path()
                                                             : files.path();
        for (const char *action : {"mnuFileOpen", "mnuFileSaveAs", "mnuFileCompare"}) {
            DialogAnswer answer;
            answer.arm(QString());
            h.app->mainWindow()->action(action)->trigger();
            EXPECT_EQ(QDir(answer.folder), QDir(expected)) << action << ": " << answer.folder.toStdString();
        }
    }
}

TEST(FileDialogStart, AnOpenStartsInAReadOnlyFolderButASaveIsNotRememberedWhereItCannotWrite)
{
    QTemporaryDir home, shelf;
    ScopedEnvironment homeVariable("HOME", QFile::encodeName(home.path()));
    const QString documents = home.filePath(QStringLiteral("Documents"));
    ASSERT_TRUE(QDir().mkpath(documents));
    ASSERT_TRUE(writeBytes(shelf.filePath(QStringLiteral("a.hex")), ":00000001FF\r\n"));
    const QFile::Permissions readOnly =
        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(shelf.path(), readOnly));
    const bool rootWritesAnyway = QFileInfo(shelf.path()).isWritable();

    AppHarness h;
    h.programDir.writeFile(kInstalledMarkerName, "installed\n");
    h.store.save("Settings", "OPEN_DIR_ZELKO6", shelf.path());
    h.start();
    ASSERT_TRUE(h.started);
    MainWindow &main = *h.app->mainWindow();
    DialogAnswer answer;
    answer.arm(QString());
    main.action("mnuFileOpen")->trigger();
    EXPECT_EQ(QDir(answer.folder), QDir(shelf.path())) << "a file can be read from there";

    // The first save of a new user, into the folder the file came from.
    answer.arm(shelf.filePath(QStringLiteral("first.HEX")));
    main.action("mnuFileSaveAs")->trigger();
    if (!rootWritesAnyway) {
        EXPECT_TRUE(main.status().panel(1).startsWith(QStringLiteral("ファイルを保存できませんでした。")))
            << main.status().panel(1).toStdString();
        EXPECT_FALSE(h.settings.has("Settings", "SAVE_DIR_ZELKO6"));
        answer.arm(QString());
        main.action("mnuFileSaveAs")->trigger();
        EXPECT_EQ(QDir(answer.folder), QDir(documents));
    } else {
        EXPECT_EQ(h.settings.stored("Settings", "SAVE_DIR_ZELKO6"), shelf.path());
    }
    QFile::setPermissions(shelf.path(), readOnly | QFile::WriteOwner);
}

namespace {

struct ScriptedDialogs final : FileDialogs {
    std::optional<QString> choice;
    std::optional<QString> openFile(const FileDialogRequest &) override { return choice; }
    std::optional<QString> saveFile(const FileDialogRequest &) override { return choice; }
    bool confirmOverwrite(const QString &) override { return true; }
};

struct NullView final : FileCommandView {
    int refreshes = 0;
    int busy = 0;
    void showFileInCaption(const QString &) override {}
    void setBusyPointer(bool on) override { busy += on ? 1 : -1; }
    void yield() override {}
    void showBuffer() override { ++refreshes; }
    void setCheckSumCaption(const QString &) override {}
    std::optional<Differences> shown;
    void showDifferences(Differences differences, ComparedWith) override { shown = std::move(differences); }
    QString firstDialogFolder() const override { return {}; }
};

// The file commands on a chip of 2^sizeExp bytes, with a scripted dialog and a view that records.
struct CommandsWithoutWindow {
    explicit CommandsWithoutWindow(int sizeExp)
    {
        state.chip.DUT_SizeExp = sizeExp;
        state.chipSelected = true;
        state.BufData.recreate(sizeExp);
    }
    AppState state;
    MemorySettingsStore store;
    Settings settings{store};
    RenderedEvents events;
    ScriptedDialogs dialogs;
    NullView view;
    FileCommands commands{state, state, settings, events, dialogs, view};
};

} // namespace

TEST(FileCommands, FailuresAreToldAndThePointerComesBack)
{
    CommandsWithoutWindow c(7);
    auto &[state, store, settings, events, dialogs, view, commands] = c;
    RecordingStatusPanels &panels = events.panels;

    QTemporaryDir dir;
    dialogs.choice = dir.filePath("missing/out.hex"); // a folder that does not exist
    commands.mnuFileSaveAs_Click();
    EXPECT_TRUE(panels.panel(1).startsWith(QStringLiteral("ファイルを保存できませんでした。")));
    EXPECT_EQ(view.busy, 0);
    EXPECT_FALSE(QFile::exists(dialogs.choice.value()));
    EXPECT_FALSE(store.values.contains(QStringLiteral("Settings/SAVE_DIR_ZELKO6")))
        << "a folder that takes no file is not where the next save should start";

    dialogs.choice = dir.filePath("absent.hex");
    commands.mnuFileOpen_Click();
    EXPECT_EQ(panels.panel(1), QStringLiteral("ファイルをオープンできませんでした。"));
    EXPECT_EQ(view.refreshes, 0);

    state.BufData[0] = 0x42;
    dialogs.choice = dir.filePath("long.bin");
    ASSERT_TRUE(writeBytes(*dialogs.choice, QByteArray(129, 0x11)));
    commands.mnuFileOpen_Click();
    EXPECT_EQ(panels.panel(1),
              QStringLiteral("ファイルがデバイスの容量より大きいため、読み込みませんでした。"));
    EXPECT_EQ(state.BufData[0], 0x42);
    EXPECT_EQ(view.busy, 0);
    EXPECT_EQ(folderOf(QDir::rootPath() + QStringLiteral("data/a.hex")),
              QDir::rootPath() + QStringLiteral("data"));
}

TEST(FileCommands, DamagedFilesOfEitherFormatAreNamedNotOpened)
{
    CommandsWithoutWindow c(7);
    auto &[state, store, settings, events, dialogs, view, commands] = c;
    QTemporaryDir dir;

    const struct {
        const char *name;
        QByteArray text;
        QString message;
        uint8_t at0x10;
    } cases[] = {
        {"cut.s19", "S0030000FC\r\nS1070010AABB\r\nS9030000FC\r\n",
         QStringLiteral("ファイルの2行目のレコードが途中で切れています。読み込めた部分を表示しています。"),
         0xAA},
        {"sum.S37", "S30600000010AB3D\r\nS70500000000FA\r\n",
         QStringLiteral("ファイルの1行目のチェックサムが合いません。読み込めた部分を表示しています。"), 0xAB},
        {"noend.srec", "S1050010ABCD72\r\nS1050012EEFFFB",
         QStringLiteral("ファイルにエンドレコードがありません（2行）。読み込めた部分を表示しています。"),
         0xAB},
        {"nodata.hex", QByteArray("MZ\x90\x00\x03\x00\x00\x00\r\n\x04\x00\x00\x00\xFF\xFF", 16),
         QStringLiteral("ファイルにデータレコードがありません（2行）。"), 0xFF},
        // Beyond the chip as well as damaged: that it does not fit is what the user must hear.
        {"far.s28", "S1050010ABCD00\r\nS1040080116A\r\nS9030000FC\r\n",
         QStringLiteral("ファイルのデータがデバイスの容量を超えています。収まる部分だけを読み込みました。"),
         0xAB},
        {"whole.s28", "S1050010ABCD72\r\nS9030000FC\r\n", QStringLiteral("ファイルオープン完了"), 0xAB},
    };
    for (const auto &c : cases) {
        const QString file = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(writeBytes(file, c.text));
        dialogs.choice = file;
        const int refreshes = view.refreshes;
        commands.mnuFileOpen_Click();
        EXPECT_EQ(events.panels.panel(1), c.message) << c.name;
        EXPECT_EQ(state.BufData[0x10], c.at0x10) << c.name;
        EXPECT_EQ(view.refreshes, refreshes + 1) << c.name << ": what was read is shown";
        EXPECT_EQ(view.busy, 0);
    }

    // Saving by such a name writes S-record.
    dialogs.choice = dir.filePath(QStringLiteral("out.s19"));
    commands.mnuFileSaveAs_Click();
    EXPECT_EQ(fileBytes(*dialogs.choice), sRecordText(state.BufData));
}

TEST(FileCommands, ComparingWithAFileMarksWhatDiffersAndChangesNothingElse)
{
    CommandsWithoutWindow c(17);
    auto &[state, store, settings, events, dialogs, view, commands] = c;
    state.BufData = randomBuffer(17, 5);
    state.WorkFilePath = QStringLiteral("/loaded/before.hex");
    const QByteArray before = bufferBytes(state.BufData);
    QTemporaryDir dir;

    // The first, a middle and the last byte of a 128 KiB chip differ in the file.
    MemoryBuffer other = randomBuffer(17, 5);
    other[0] ^= 0x01;
    other[0x10000] ^= 0x80;
    other[0x1FFFF] = static_cast<uint8_t>(~other[0x1FFFF]);
    dialogs.choice = dir.filePath(QStringLiteral("other.s28"));
    ASSERT_TRUE(writeBytes(*dialogs.choice, sRecordText(other)));
    commands.mnuFileCompare_Click();

    ASSERT_TRUE(view.shown.has_value());
    EXPECT_EQ(*view.shown,
              (Differences{{0, other[0]}, {0x10000, other[0x10000]}, {0x1FFFF, other[0x1FFFF]}}));
    EXPECT_EQ(events.panels.panel(1), QStringLiteral("ファイルと比較しました。3 バイトの相違があります。"));
    EXPECT_EQ(bufferBytes(state.BufData), before);
    EXPECT_EQ(state.WorkFilePath, QStringLiteral("/loaded/before.hex"));
    EXPECT_EQ(view.refreshes, 0);
    EXPECT_EQ(view.busy, 0);
    EXPECT_EQ(settings.text(keys::OpenDir), dir.path());

    // The same image as a binary file: nothing differs.
    dialogs.choice = dir.filePath(QStringLiteral("same.bin"));
    ASSERT_TRUE(writeBytes(*dialogs.choice, before));
    commands.mnuFileCompare_Click();
    EXPECT_TRUE(view.shown->empty());
    EXPECT_EQ(events.panels.panel(1), QStringLiteral("ファイルと比較しました。相違はありません。"));

    // A damaged file is no measure of the buffer: its trouble is told, no comparison is shown.
    view.shown.reset();
    dialogs.choice = dir.filePath(QStringLiteral("cut.hex"));
    ASSERT_TRUE(writeBytes(*dialogs.choice, ":10000000"));
    commands.mnuFileCompare_Click();
    EXPECT_FALSE(view.shown.has_value());
    EXPECT_TRUE(events.panels.panel(1).startsWith(QStringLiteral("ファイルの1行目")));
    EXPECT_EQ(bufferBytes(state.BufData), before);
}
