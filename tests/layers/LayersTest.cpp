// The layers of src/ as the includes show them: every folder includes only itself and the folders
// below it, and nothing but the windows reaches for Qt's Gui or Widgets headers. The checker reads
// the sources as they are in the tree, so a wrong include fails here before anyone builds on it.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

// The folders of src/, lowest first. The two faces stand side by side at the top.
struct Layer {
    const char *folder;
    int rank;
};
constexpr Layer kLayers[] = {
    {"core/base", 0},
    {"core/text", 1},
    {"core/devices", 2},
    {"core/buffer", 3},
    {"core/files", 4},
    {"core/programmer", 5},
    {"core/operations", 6},
    {"messages", 7},
    {"gui", 8},
    {"cli", 8},
};

std::optional<Layer> layerOf(const QString &pathInSrc)
{
    for (const Layer &layer : kLayers)
        if (pathInSrc.startsWith(QLatin1String(layer.folder) + u'/'))
            return layer;
    return std::nullopt;
}

// The headers Qt's Gui and Widgets modules install, by the names an #include gives them.
QStringList windowHeaders(const QStringList &includeDirectories)
{
    QStringList names;
    for (const QString &dir : includeDirectories) {
        const QString module = QFileInfo(dir).fileName();
        if (module != QStringLiteral("QtGui") && module != QStringLiteral("QtWidgets"))
            continue;
        for (const QString &name : QDir(dir).entryList(QDir::Files))
            names << name << module + u'/' + name;
    }
    return names;
}

// Every include in `srcRoot` that points up a layer, across to the other face, or (outside the
// windows) at a Gui or Widgets header: "file: include".
QStringList layerViolations(const QString &srcRoot, const QStringList &forbiddenQtHeaders)
{
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"));
    QStringList violations;
    QDirIterator files(srcRoot, {QStringLiteral("*.h"), QStringLiteral("*.cpp"), QStringLiteral("*.in")},
                       QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString inSrc = QDir(srcRoot).relativeFilePath(path);
        const auto from = layerOf(inSrc);
        if (!from) {
            violations << inSrc + QStringLiteral(": in no layer");
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            violations << inSrc + QStringLiteral(": unreadable");
            continue;
        }
        const bool window = QLatin1String(from->folder) == QLatin1String("gui");
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            const auto match = include.match(line);
            if (!match.hasMatch())
                continue;
            const QString target = match.captured(2);
            if (match.captured(1) == QStringLiteral("<")) {
                if (!window && forbiddenQtHeaders.contains(target))
                    violations << inSrc + QStringLiteral(": <") + target + u'>';
                continue;
            }
            const auto to = layerOf(target);
            if (!to)
                continue; // beside the file itself, or generated
            const bool up = to->rank > from->rank;
            const bool across = to->rank == from->rank &&
                                QLatin1String(to->folder) != QLatin1String(from->folder) && from->rank == 8;
            if (up || across)
                violations << inSrc + QStringLiteral(": \"") + target + u'"';
        }
    }
    return violations;
}

QStringList qtWindowIncludeDirectories()
{
    return QString::fromUtf8(ZELKO6_QT_GUI_INCLUDES "|" ZELKO6_QT_WIDGETS_INCLUDES)
        .split(u'|', Qt::SkipEmptyParts);
}

void writeFile(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

TEST(Layers, TheCheckerFindsEveryKindOfWrongInclude)
{
    QTemporaryDir tree;
    writeFile(tree.filePath("core/base/Fine.h"), "#include <QString>\n#include \"core/base/Other.h\"\n");
    writeFile(tree.filePath("core/buffer/Up.cpp"), "#include \"core/files/IntelHex.h\"\n");
    writeFile(tree.filePath("core/text/Window.h"), "#include <QWidget>\n#include <QtGui/QColor>\n");
    writeFile(tree.filePath("cli/Across.cpp"), "#include \"gui/MainWindow.h\"\n");
    writeFile(tree.filePath("gui/Fine.cpp"), "#include <QWidget>\n#include \"messages/StatusTexts.h\"\n");
    writeFile(tree.filePath("stray/Nowhere.h"), "\n");
    QStringList found = layerViolations(tree.path(), windowHeaders(qtWindowIncludeDirectories()));
    found.sort();
    EXPECT_EQ(found,
              QStringList({"cli/Across.cpp: \"gui/MainWindow.h\"",
                           "core/buffer/Up.cpp: \"core/files/IntelHex.h\"", "core/text/Window.h: <QWidget>",
                           "core/text/Window.h: <QtGui/QColor>", "stray/Nowhere.h: in no layer"}));
}

TEST(Layers, DependenciesOfTheSourcesOnlyPointDown)
{
    const QStringList forbidden = windowHeaders(qtWindowIncludeDirectories());
    ASSERT_TRUE(forbidden.contains(QStringLiteral("QWidget"))) << "Qt's Widgets headers were not found";
    EXPECT_EQ(layerViolations(QStringLiteral(ZELKO6_SOURCE_DIR "/src"), forbidden), QStringList());
}

} // namespace
