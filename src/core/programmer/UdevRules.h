#pragma once
// What the system's udev rules say about serial devices: which groups they give the device nodes
// of serial ports (dialout on Debian, uucp elsewhere), and whether our own rule is installed.

#include <QString>
#include <QStringList>

namespace zelko6 {

// Where udev reads rules, first the folders whose file hides a file of the same name in a later one.
inline const QStringList kUdevRuleFolders = {
    QStringLiteral("/etc/udev/rules.d"),           QStringLiteral("/run/udev/rules.d"),
    QStringLiteral("/usr/local/lib/udev/rules.d"), QStringLiteral("/usr/lib/udev/rules.d"),
    QStringLiteral("/lib/udev/rules.d"),
};

// The rule the package installs (packaging/60-zelko6.rules).
inline const QString kOwnUdevRuleName = QStringLiteral("60-zelko6.rules");

// The groups that the rules of one file give to the nodes of serial ports: a rule that assigns
// GROUP and whose KERNEL and SUBSYSTEM matches (where it has them) take a serial port's node
// (ttyS0, ttyUSB0, ttyACM0, ttyAMA0 of the tty subsystem). A rule with neither says nothing about
// serial ports and is passed over; root and tty are never among them (nobody joins those for a
// serial port).
QStringList serialGroupsInRules(const QString &rules);

// The same over every rules file in `folders`, each file name read once, from the first folder
// that has it.
QStringList serialGroupsInRuleFolders(const QStringList &folders = kUdevRuleFolders);

// Whether a rules file of this name is in one of the folders (and is not masked by an empty file
// or a link to /dev/null of the same name in an earlier one).
bool udevRuleInstalled(const QString &name = kOwnUdevRuleName, const QStringList &folders = kUdevRuleFolders);

} // namespace zelko6
