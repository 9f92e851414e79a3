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
            report_(QCoreApplication::translate("zelko6::GuardedApplication", "不明なエラー"));
    }
    return false;
}

} // namespace zelko6
