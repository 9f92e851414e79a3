#include "gui/StartArguments.h"

#include "core/base/Version.h"
#include "messages/Translations.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <cstdio>

namespace zelko6 {

namespace {

bool isXcb(const QString &platform)
{
    return platform == QLatin1String("xcb");
}

bool isWayland(const QString &platform)
{
    return platform.startsWith(QLatin1String("wayland"));
}

// A Linux (or other Unix) desktop: its windows come from an X server or a Wayland compositor.
bool hasDisplayServers()
{
    const QString kernel = QSysInfo::kernelType();
    return kernel != QLatin1String("winnt") && kernel != QLatin1String("darwin");
}

QString text(const QByteArray &value)
{
    return QString::fromLocal8Bit(value);
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(qPrintable(text + u'\n'), stream);
}

} // namespace

StartRequest startRequest(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help"))
            return StartRequest::Help;
        if (argument == QLatin1String("--version"))
            return StartRequest::Version;
    }
    return StartRequest::Window;
}

QStringList platformsToTry(const QStringList &arguments, const Environment &environment)
{
    QString chosen = text(environment("QT_QPA_PLATFORM"));
    // Qt reads -platform and --platform alike, and the command line wins over the environment.
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i)
        if (arguments[i] == QLatin1String("-platform") || arguments[i] == QLatin1String("--platform"))
            chosen = arguments[i + 1];
    QStringList platforms;
    for (const QString &entry : chosen.split(u';', Qt::SkipEmptyParts))
        platforms << entry.section(u':', 0, 0);
    if (platforms.isEmpty() && hasDisplayServers())
        platforms = {QStringLiteral("xcb"), QStringLiteral("wayland")};
    return platforms;
}

bool canOpenWindows(const QStringList &platforms, const Environment &environment)
{
    if (platforms.isEmpty())
        return true;
    for (const QString &platform : platforms) {
        if (isXcb(platform)) {
            if (!environment("DISPLAY").isEmpty())
                return true;
        } else if (isWayland(platform)) {
            // Without WAYLAND_DISPLAY, a Wayland client looks for "wayland-0" in the runtime folder.
            QString socket = text(environment("WAYLAND_DISPLAY"));
            if (socket.isEmpty())
                socket = QStringLiteral("wayland-0");
            const QString path =
                QDir::isAbsolutePath(socket) ? socket : text(environment("XDG_RUNTIME_DIR")) + u'/' + socket;
            if (QFileInfo::exists(path))
                return true;
        } else {
            return true;
        }
    }
    return false;
}

QString StartTexts::usage()
{
    return tr("使い方: zelko6 [-h | --help | --version] [Qt のオプション]\n"
              "シリアルＥＥＰＲＯＭプログラマーのウィンドウを開きます。"
              "すでに開いていれば、そのウィンドウを前面に出します。\n"
              "  -h, --help   この説明\n"
              "  --version    プログラムのバージョン\n"
              "Qt のオプション (-platform など) はそのまま Qt に渡ります。"
              "ディスプレイのない所では zelko6-cli を使ってください。\n"
              "読み書きするファイルは zelko6(1) にあります。");
}

QString StartTexts::version()
{
    return QStringLiteral("zelko6 ") + versionText();
}

QString StartTexts::noDisplay(const QStringList &platforms)
{
    QStringList lacks;
    for (const QString &platform : platforms) {
        if (isXcb(platform))
            lacks << tr("%1: DISPLAY が設定されていません").arg(platform);
        else if (isWayland(platform))
            lacks << tr("%1: Wayland のコンポジターがありません (WAYLAND_DISPLAY)").arg(platform);
    }
    return tr("zelko6: ウィンドウを開くディスプレイがありません (%1)。"
              "デスクトップのセッションで起動するか、zelko6-cli を使ってください。")
        .arg(lacks.join(QStringLiteral("; ")));
}

int answerWithoutWindow(StartRequest request, const QStringList &platforms, int &argc, char **argv)
{
    const QCoreApplication app(argc, argv);
    useLanguage(localeLanguage([](const char *name) { return qgetenv(name); }),
                QCoreApplication::applicationDirPath());
    switch (request) {
    case StartRequest::Help:
        print(stdout, StartTexts::usage());
        return 0;
    case StartRequest::Version:
        print(stdout, StartTexts::version());
        return 0;
    case StartRequest::Window:
        break;
    }
    print(stderr, StartTexts::noDisplay(platforms));
    return kNoDisplayExitCode;
}

} // namespace zelko6
