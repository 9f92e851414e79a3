#include "gui/GuardedApplication.h"

#include <cstdio>
#include <cstdlib>
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

namespace {

QtMessageHandler qtHandler = nullptr;

void endInsteadOfAbort(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (qtHandler)
        qtHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    if (type != QtFatalMsg)
        return;
    // Both languages: this can come before the program's translations are loaded.
    std::fputs("zelko6: ウィンドウシステムが使えないため終了します。 / " // untranslated: both, always
               "zelko6: ending, the window system cannot be used.\n",
               stderr);
    std::fflush(nullptr);
    std::_Exit(kWindowSystemFailedExitCode); // Qt's state is beyond a clean shutdown here
}

} // namespace

void endFatalFailuresWithoutAbort()
{
    qtHandler = qInstallMessageHandler(endInsteadOfAbort);
}

} // namespace zelko6
