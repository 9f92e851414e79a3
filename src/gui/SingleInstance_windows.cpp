// The channel between starts on Windows: a named event of the user's session, named after the
// socket's path. A later start sets it; the running one wakes on it and shows its window. The
// event carries no answer, so a later start knows only that the request was delivered.

#include "gui/SingleInstance.h"

#include <QCryptographicHash>
#include <QWinEventNotifier>
#include <windows.h>

namespace zelko6 {

namespace {

std::wstring eventNameFor(const QString &socketPath)
{
    const QByteArray digest = QCryptographicHash::hash(socketPath.toUtf8(), QCryptographicHash::Sha1).toHex();
    return (QStringLiteral("Local\\zelko6-show-") + QString::fromLatin1(digest)).toStdWString();
}

} // namespace

struct SingleInstance::Channel {
    HANDLE event = nullptr;
    QWinEventNotifier notifier;
    ~Channel()
    {
        notifier.setEnabled(false);
        if (event)
            ::CloseHandle(event);
    }
};

void SingleInstance::ChannelEnd::operator()(Channel *channel) const
{
    delete channel;
}

bool SingleInstance::listen()
{
    channel_.reset(new Channel);
    channel_->event = ::CreateEventW(nullptr, FALSE, FALSE, eventNameFor(socketPath_).c_str());
    if (!channel_->event)
        return false;
    channel_->notifier.setHandle(channel_->event);
    connect(&channel_->notifier, &QWinEventNotifier::activated, this, &SingleInstance::showRequested);
    channel_->notifier.setEnabled(true);
    return true;
}

bool SingleInstance::askRunningToShow(std::chrono::milliseconds) const
{
    HANDLE event = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, eventNameFor(socketPath_).c_str());
    if (!event)
        return false;
    const bool delivered = ::SetEvent(event);
    ::CloseHandle(event);
    return delivered;
}

} // namespace zelko6
