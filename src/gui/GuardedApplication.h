#pragma once
#include <QApplication>
#include <functional>

namespace zelko6 {

// A failure that escapes an event handler is reported instead of ending the program.
class GuardedApplication final : public QApplication {
  public:
    using QApplication::QApplication;
    void setFailureReporter(std::function<void(const QString &description)> report)
    {
        report_ = std::move(report);
    }
    bool notify(QObject *receiver, QEvent *event) override;

  private:
    std::function<void(const QString &)> report_;
};

// A failure that Qt itself gives up on (no window system plugin could start, the display's
// connection was lost) ends the program with Qt's message, a line of ours and exit status 1,
// instead of an abort and a core dump. Installed before the application object is made.
void endFatalFailuresWithoutAbort();
inline constexpr int kWindowSystemFailedExitCode = 1;

} // namespace zelko6
