#include "core/programmer/UdevRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <algorithm>

namespace zelko6 {

namespace {

// Node names that every serial port driver of note gives its ports.
const QStringList kSerialNodeNames = {QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0"),
                                      QStringLiteral("ttyACM0"), QStringLiteral("ttyAMA0")};
const QString kSerialSubsystem = QStringLiteral("tty");

// A udev match value: alternatives separated by "|", each a shell pattern.
bool matches(const QString &pattern, const QString &name)
{
    for (const QString &alternative : pattern.split(u'|')) {
        const QRegularExpression glob(QRegularExpression::wildcardToRegularExpression(alternative));
        if (glob.isValid() && glob.match(name).hasMatch())
            return true;
    }
    return false;
}

struct Condition {
    QString pattern;
    bool equal = true; // "==", else "!="
    bool holdsFor(const QString &name) const { return matches(pattern, name) == equal; }
};

struct Rule {
    std::vector<Condition> kernel;
    std::vector<Condition> subsystem;
    QString group;

    bool givesSerialPorts() const
    {
        if (group.isEmpty() || (kernel.empty() && subsystem.empty()))
            return false;
        for (const Condition &c : subsystem)
            if (!c.holdsFor(kSerialSubsystem))
                return false;
        return std::any_of(kSerialNodeNames.begin(), kSerialNodeNames.end(), [this](const QString &node) {
            return std::all_of(kernel.begin(), kernel.end(),
                               [&](const Condition &c) { return c.holdsFor(node); });
        });
    }
};

// The lines of a rules file, a line ending in a backslash joined with the next.
QStringList logicalLines(const QString &text)
{
    QStringList lines;
    QString pending;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.endsWith(u'\\')) {
            line.chop(1);
            pending += line;
            continue;
        }
        lines << pending + line;
        pending.clear();
    }
    if (!pending.isEmpty())
        lines << pending;
    return lines;
}

Rule parseRule(const QString &line)
{
    static const QRegularExpression pair(
        QStringLiteral(R"re(([A-Za-z_]+)(?:\{[^}]*\})?\s*(==|!=|\+=|-=|:=|=)\s*"((?:[^"\\]|\\.)*)")re"));
    Rule rule;
    for (auto it = pair.globalMatch(line); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString key = m.captured(1);
        const QString op = m.captured(2);
        const QString value = m.captured(3);
        if ((key == QLatin1String("KERNEL") || key == QLatin1String("SUBSYSTEM")) &&
            (op == QLatin1String("==") || op == QLatin1String("!="))) {
            (key == QLatin1String("KERNEL") ? rule.kernel : rule.subsystem)
                .push_back({value, op == QLatin1String("==")});
        } else if (key == QLatin1String("GROUP") && (op == QLatin1String("=") || op == QLatin1String(":="))) {
            rule.group = value;
        }
    }
    return rule;
}

// Each rules file name once, from the first folder that has it, as udev reads them.
QMap<QString, QString> effectiveRuleFiles(const QStringList &folders)
{
    QMap<QString, QString> files;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &name : dir.entryList({QStringLiteral("*.rules")}, QDir::Files | QDir::System))
            if (!files.contains(name))
                files.insert(name, dir.filePath(name));
    }
    return files;
}

} // namespace

QStringList serialGroupsInRules(const QString &rules)
{
    static const QStringList kNeverForSerialPorts = {QStringLiteral("root"), QStringLiteral("tty")};
    QStringList groups;
    for (const QString &line : logicalLines(rules)) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        const Rule rule = parseRule(trimmed);
        // A substitution ("$env{...}") is decided per device: no name to offer.
        if (rule.givesSerialPorts() && !rule.group.contains(u'$') &&
            !kNeverForSerialPorts.contains(rule.group) && !groups.contains(rule.group))
            groups << rule.group;
    }
    return groups;
}

QStringList serialGroupsInRuleFolders(const QStringList &folders)
{
    QStringList groups;
    for (const QString &path : effectiveRuleFiles(folders)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QString &group : serialGroupsInRules(QString::fromUtf8(file.readAll())))
            if (!groups.contains(group))
                groups << group;
    }
    return groups;
}

bool udevRuleInstalled(const QString &name, const QStringList &folders)
{
    const QString path = effectiveRuleFiles(folders).value(name);
    // An empty file or a link to /dev/null of the same name masks the rule.
    return !path.isEmpty() && QFileInfo(path).size() > 0;
}

} // namespace zelko6
