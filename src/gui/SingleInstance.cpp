#include "gui/SingleInstance.h"

#include "gui/SingleInstanceChannel.h"

namespace zelko6 {

SingleInstance::SingleInstance(const QString &lockPath, QObject *parent)
    : QObject(parent), lock_(lockPath),
      channel_(makeSingleInstanceChannel(lockPath, this, [this] { emit showRequested(); }))
{
    lock_.setStaleLockTime(0); // only a live process holds it
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    if (!lock_.tryLock(0))
        return false;
    // Should listening fail, later starts still end; they only cannot bring this window forward.
    channel_->listen();
    return true;
}

bool SingleInstance::askRunningToShow(std::chrono::milliseconds limit) const
{
    return channel_->askToShow(limit);
}

QString SingleInstance::channelName() const
{
    return channel_->name();
}

} // namespace zelko6
