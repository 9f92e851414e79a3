#pragma once
// One running program per user. The first start holds a lock file in the user's runtime folder
// and listens on a local socket beside it; a later start finds the lock taken, asks the running
// one through the socket to show its main window (what a click on the launcher is for) and ends.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <chrono>

namespace zelko6 {

class SingleInstance final : public QObject {
    Q_OBJECT
  public:
    // The socket is the lock's name with the ending ".socket", in the lock's folder.
    explicit SingleInstance(const QString &lockPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when no other instance runs: this one then holds the lock and listens for later starts.
    bool claim();
    // From a later start: asks the running instance to show its window. True once it says it has;
    // false when it does not answer within `limit` (the later start ends all the same).
    bool askRunningToShow(std::chrono::milliseconds limit) const;

    QString socketPath() const { return socketPath_; }

  signals:
    // A later start asked for the main window.
    void showRequested();

  private:
    void answer();

    QLockFile lock_;
    QString socketPath_;
    QLocalServer server_;
};

} // namespace zelko6
