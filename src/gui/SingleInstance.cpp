#include "gui/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>

namespace zelko6 {

namespace {

// The one request and its answer, a line each.
const QByteArray kShowRequest = QByteArrayLiteral("show\n");
const QByteArray kShownAnswer = QByteArrayLiteral("shown\n");
// No line is longer; a caller that sends more, or nothing, is let go.
constexpr qint64 kLineLimit = 64;
constexpr auto kCallerLimit = std::chrono::seconds(2);

QString socketPathFor(const QString &lockPath)
{
    const QFileInfo lock(lockPath);
    return lock.dir().filePath(lock.completeBaseName() + QStringLiteral(".socket"));
}

int millisecondsLeft(const QDeadlineTimer &deadline)
{
    return static_cast<int>(deadline.remainingTime());
}

} // namespace

SingleInstance::SingleInstance(const QString &lockPath, QObject *parent)
    : QObject(parent), lock_(lockPath), socketPath_(socketPathFor(lockPath))
{
    lock_.setStaleLockTime(0); // only a live process holds it
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    if (!lock_.tryLock(0))
        return false;
    // A socket left behind by an instance that did not end cleanly: holding the lock, it is ours.
    QLocalServer::removeServer(socketPath_);
    // Should listening fail, later starts still end; they only cannot bring this window forward.
    server_.listen(socketPath_);
    return true;
}

void SingleInstance::answer()
{
    while (QLocalSocket *caller = server_.nextPendingConnection()) {
        caller->setReadBufferSize(kLineLimit);
        connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
        QTimer::singleShot(kCallerLimit, caller, &QObject::deleteLater);
        connect(caller, &QLocalSocket::readyRead, this, [this, caller] {
            if (!caller->canReadLine()) {
                if (caller->bytesAvailable() >= kLineLimit)
                    caller->deleteLater();
                return;
            }
            if (caller->readLine(kLineLimit) == kShowRequest) {
                emit showRequested();
                caller->write(kShownAnswer);
            }
            caller->disconnectFromServer();
        });
    }
}

bool SingleInstance::askRunningToShow(std::chrono::milliseconds limit) const
{
    const QDeadlineTimer deadline(limit);
    QLocalSocket running;
    running.connectToServer(socketPath_);
    if (!running.waitForConnected(millisecondsLeft(deadline)))
        return false;
    running.write(kShowRequest);
    if (!running.waitForBytesWritten(millisecondsLeft(deadline)))
        return false;
    while (!running.canReadLine())
        if (running.bytesAvailable() >= kLineLimit || !running.waitForReadyRead(millisecondsLeft(deadline)))
            return false;
    return running.readLine(kLineLimit) == kShownAnswer;
}

} // namespace zelko6
