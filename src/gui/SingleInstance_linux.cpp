#include "gui/SingleInstanceChannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
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

class LocalSocketChannel final : public SingleInstanceChannel {
  public:
    LocalSocketChannel(const QString &lockPath, QObject *context, std::function<void()> show)
        : socketPath_(socketPathFor(lockPath)), show_(std::move(show))
    {
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        QObject::connect(&server_, &QLocalServer::newConnection, context, [this] { answer(); });
    }

    QString name() const override { return socketPath_; }

    void listen() override
    {
        // A socket left behind by an instance that did not end cleanly: holding the lock, it is ours.
        QLocalServer::removeServer(socketPath_);
        server_.listen(socketPath_);
    }

    bool askToShow(std::chrono::milliseconds limit) const override
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
            if (running.bytesAvailable() >= kLineLimit ||
                !running.waitForReadyRead(millisecondsLeft(deadline)))
                return false;
        return running.readLine(kLineLimit) == kShownAnswer;
    }

  private:
    void answer()
    {
        while (QLocalSocket *caller = server_.nextPendingConnection()) {
            caller->setReadBufferSize(kLineLimit);
            QObject::connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
            QTimer::singleShot(kCallerLimit, caller, &QObject::deleteLater);
            QObject::connect(caller, &QLocalSocket::readyRead, caller, [this, caller] {
                if (!caller->canReadLine()) {
                    if (caller->bytesAvailable() >= kLineLimit)
                        caller->deleteLater();
                    return;
                }
                if (caller->readLine(kLineLimit) == kShowRequest) {
                    show_();
                    caller->write(kShownAnswer);
                }
                caller->disconnectFromServer();
            });
        }
    }

    QString socketPath_;
    std::function<void()> show_;
    QLocalServer server_;
};

} // namespace

std::unique_ptr<SingleInstanceChannel> makeSingleInstanceChannel(const QString &lockPath, QObject *context,
                                                                 std::function<void()> show)
{
    return std::make_unique<LocalSocketChannel>(lockPath, context, std::move(show));
}

} // namespace zelko6
