// The running instance's local socket: only a whole show request is answered, and a socket left
// behind by an instance that did not end cleanly is replaced.

#include "gui/SingleInstance.h"
#include "support/Waiting.h"

#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelko6;
using zelko6::test::waitUntil;

namespace {

// What a caller receives for `request` before the running instance lets it go.
QByteArray replyTo(const QString &socketPath, const QByteArray &request)
{
    QLocalSocket caller;
    caller.connectToServer(socketPath);
    caller.write(request);
    QByteArray reply;
    QObject::connect(&caller, &QLocalSocket::readyRead, [&] { reply += caller.readAll(); });
    EXPECT_TRUE(
        waitUntil("the caller let go", [&] { return caller.state() == QLocalSocket::UnconnectedState; }));
    return reply;
}

} // namespace

TEST(SingleInstance, OnlyTheShowRequestIsAnsweredAndAStaleSocketIsReplaced)
{
    QTemporaryDir folder;
    const QString lockPath = folder.filePath(QStringLiteral("zelko6.lock"));
    SingleInstance running(lockPath);
    // What an instance that did not end cleanly leaves behind.
    QFile stale(running.channelName());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    ASSERT_TRUE(running.claim());
    int requests = 0;
    QObject::connect(&running, &SingleInstance::showRequested, [&] { ++requests; });

    struct Case {
        QByteArray request;
        QByteArray reply;
        int requests;
    } cases[] = {
        {"show\n", "shown\n", 1},
        {"raise\n", "", 0},
        {"show", "", 0}, // no line end: never a whole request
        {QByteArray(200, 'x') + "show\n", "", 0},
        {"", "", 0},
        {"show\nshow\n", "shown\n", 1}, // one request a connection
    };
    for (const Case &c : cases) {
        requests = 0;
        EXPECT_EQ(replyTo(running.channelName(), c.request), c.reply) << c.request.constData();
        EXPECT_EQ(requests, c.requests) << c.request.constData();
    }
}
