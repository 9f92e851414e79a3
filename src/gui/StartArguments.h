#pragma once
// What the window's command line asks for, settled before any window system is touched: the
// usage and the version are printed without a display, and a start without a display ends with
// a message rather than Qt's abort.

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <functional>

namespace zelko6 {

enum class StartRequest { Window, Help, Version };

using Environment = std::function<QByteArray(const char *name)>;

// -h/--help or --version anywhere before "--"; anything else (Qt's own -platform, -style,
// -session…) is left to Qt.
StartRequest startRequest(const QStringList &arguments);

// The window system plugins Qt will try: -platform, else QT_QPA_PLATFORM (a list separated by
// ";", each perhaps with ":options"), else those of a Linux desktop session. Empty where the
// system has one window system of its own, which needs no check.
QStringList platformsToTry(const QStringList &arguments, const Environment &environment);

// Whether one of `platforms` can open a window here (true for none at all). xcb needs DISPLAY,
// Wayland a compositor's socket; other plugins (offscreen, vnc, eglfs…) are left to Qt, which
// says itself why one fails.
bool canOpenWindows(const QStringList &platforms, const Environment &environment);

class StartTexts {
    Q_DECLARE_TR_FUNCTIONS(StartTexts)
  public:
    static QString usage();
    static QString version();
    // Says what each of the platforms that were tried lacks.
    static QString noDisplay(const QStringList &platforms);
};

inline constexpr int kNoDisplayExitCode = 1;

// Prints the usage or the version (exit status 0), or, for a window that cannot be opened, what
// `platforms` lack (kNoDisplayExitCode), in the locale's language. Makes the QCoreApplication
// that this needs, so it runs before any other application object.
int answerWithoutWindow(StartRequest request, const QStringList &platforms, int &argc, char **argv);

} // namespace zelko6
