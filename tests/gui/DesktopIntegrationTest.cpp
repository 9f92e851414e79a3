// How the window meets the desktop: its icon and the names that tie it to its launcher, and a
// later start that brings the running window forward through the platform's channel.

#include "gui/BoardWindow.h"
#include "gui/MainWindow.h"
#include "gui/ProgramIdentity.h"
#include "gui/SingleInstance.h"
#include "support/AppHarness.h"
#include "support/Waiting.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

using namespace zelko6;
using namespace std::chrono_literals;
using zelko6::test::AppHarness;
using zelko6::test::sourcePath;
using zelko6::test::waitUntil;

namespace {

// A later start's request, made on a thread of its own as a separate process would make it, while
// this thread's event loop lets the running instance answer.
bool askFromALaterStart(const QString &lockPath)
{
    bool claimed = true;
    bool answered = false;
    std::unique_ptr<QThread> later(QThread::create([&] {
        SingleInstance instance(lockPath);
        claimed = instance.claim();
        answered = !claimed && instance.askRunningToShow(10s);
    }));
    later->start();
    EXPECT_TRUE(waitUntil("the later start's end", [&] { return later->isFinished(); }));
    later->wait();
    EXPECT_FALSE(claimed);
    return answered;
}

// A value of the desktop entry that the package installs as `id`.desktop.
QString desktopEntryValue(const QString &id, const QString &key)
{
    QFile entry(sourcePath(QStringLiteral("packaging/%1.desktop").arg(id)));
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("<no desktop entry %1>").arg(entry.fileName());
    while (!entry.atEnd()) {
        const QString line = QString::fromUtf8(entry.readLine()).trimmed();
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    }
    return QStringLiteral("<no %1>").arg(key);
}

} // namespace

TEST(ProgramIdentity, TheWindowCarriesTheIconAndTheNamesOfItsDesktopEntry)
{
    const QString testName = QCoreApplication::applicationName();
    applyProgramIdentity();
    const QString applicationName = QCoreApplication::applicationName();
    const QString desktopFileName = QGuiApplication::desktopFileName();
    const QList<QSize> sizes = QGuiApplication::windowIcon().availableSizes();
    QCoreApplication::setApplicationName(testName);

    // The window names the entry it belongs to (its Wayland app id), and that entry names the
    // window's X11 class, which is the application name.
    EXPECT_EQ(desktopEntryValue(desktopFileName, QStringLiteral("StartupWMClass")), applicationName);
    for (const int size : {16, 32, 48, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

TEST(SingleInstance, ALaterStartBringsTheMinimisedWindowForward)
{
    AppHarness h;
    h.start();
    MainWindow &main = *h.app->mainWindow();
    h.app->boardWindow()->activateWindow();
    main.showMinimized();
    ASSERT_TRUE(waitUntil("the window minimized", [&] { return main.isMinimized(); }));

    EXPECT_TRUE(askFromALaterStart(h.lockDir.path() + "/zelko6.lock"));
    EXPECT_FALSE(main.isMinimized());
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(waitUntil("the window active again", [&] { return main.isActiveWindow(); }));
}

TEST(SingleInstance, NobodyAnswersWithoutARunningInstanceAndTheLockIsFreeOnceItEnds)
{
    QTemporaryDir folder;
    const QString lockPath = folder.filePath(QStringLiteral("zelko6.lock"));
    EXPECT_FALSE(SingleInstance(lockPath).askRunningToShow(2s));
    {
        SingleInstance first(lockPath);
        ASSERT_TRUE(first.claim());
        EXPECT_FALSE(SingleInstance(lockPath).claim());
    }
    SingleInstance next(lockPath);
    EXPECT_TRUE(next.claim());
    EXPECT_FALSE(SingleInstance(lockPath).claim());
}
