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

} // namespace zelko6
