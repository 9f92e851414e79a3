#include "core/programmer/Pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

namespace zelko6 {

QtPump::QtPump()
{
    elapsed_.start();
    wakeUp_.setSingleShot(true);
    // A coarse timer may fire up to 5 % late, which only lengthens a wait that is already idle;
    // a precise one would cost a wake-up of its own for nothing.
    wakeUp_.setTimerType(Qt::CoarseTimer);
}

void QtPump::pause(std::chrono::milliseconds duration)
{
    if (duration.count() > 0)
        QThread::msleep(static_cast<unsigned long>(duration.count()));
}

void QtPump::idleWait(std::chrono::milliseconds longest)
{
    // processEvents with WaitForMoreEvents returns after handling the first batch of events; the
    // timer makes sure there is one by `longest` at the latest. A byte arriving on the port wakes
    // the loop through the port's socket notifier long before that.
    wakeUp_.start(longest);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wakeUp_.stop();
}

double QtPump::clock()
{
    return static_cast<double>(elapsed_.nsecsElapsed()) / 1e9;
}

} // namespace zelko6
