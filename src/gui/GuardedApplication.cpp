#include "gui/GuardedApplication.h"

#include <exception>

namespace zelko6 {

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &failure) {
        if (report_)
            report_(QString::fromLocal8Bit(failure.what()));
    } catch (...) {
        if (report_)
            report_(QStringLiteral("unknown failure"));
    }
    return false;
}

} // namespace zelko6
