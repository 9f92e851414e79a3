#pragma once
// One running program per user. The first start holds a lock file in the user's runtime folder
// and listens on a channel named after it; a later start finds the lock taken, asks the running
// one through the channel to show its main window (what a click on the launcher is for) and ends.
// The channel is the platform's (SingleInstanceChannel.h); the lock is the same everywhere.

#include <QLockFile>
#include <QObject>
#include <QString>
#include <chrono>
#include <memory>

namespace zelko6 {

class SingleInstanceChannel;

class SingleInstance final : public QObject {
    Q_OBJECT
  public:
    // On Linux the channel is a socket: the lock's name with the ending ".socket", in the lock's
    // folder.
    explicit SingleInstance(const QString &lockPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when no other instance runs: this one then holds the lock and listens for later starts.
    bool claim();
    // From a later start: asks the running instance to show its window. True once it says it has;
    // false when it does not answer within `limit` (the later start ends all the same).
    bool askRunningToShow(std::chrono::milliseconds limit) const;

    // The channel as the system names it (the socket's path on Linux).
    QString channelName() const;

  signals:
    // A later start asked for the main window.
    void showRequested();

  private:
    QLockFile lock_;
    std::unique_ptr<SingleInstanceChannel> channel_;
};

} // namespace zelko6
