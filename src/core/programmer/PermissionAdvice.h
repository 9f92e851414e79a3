#pragma once
// What to tell a user whom the system refused a device. The facts are the device node's owner,
// group and mode, who is asking and in which groups this session runs, and the group database.
// A group is named only when it is one made for serial devices that ordinary users join: joining
// any other (root, tty, another user's own) is no help, and some are harmful.

#include <QString>
#include <QStringList>
#include <vector>

namespace zelko6 {

struct PermissionAdvice {
    enum class Remedy {
        Unknown,     // nothing in the node's owner and mode explains the refusal
        JoinGroup,   // `group` is made for serial devices, and the user is not in it
        LogInAgain,  // the user was added to `group`, but this session started before that
        NotForUsers, // the node is for `owner` alone, or for a group that is not for users
    };
    Remedy remedy = Remedy::Unknown;
    QString owner; // the node's owner, by name (its number when it has none)
    QString group; // the node's group, likewise
    // JoinGroup: the rule that gives the common USB serial adapters to the user logged in at the
    // seat, without a group, is not where the system's udev reads rules.
    bool udevRuleMissing = false;

    bool operator==(const PermissionAdvice &) const = default;
};

// One group of the group database.
struct GroupEntry {
    unsigned id = 0;
    QString name;
    QStringList members; // the users listed in it (a user's primary group lists nobody)
};

// Everything the advice is decided on; the system gathers it, tests write it down.
struct AccessFacts {
    // The device node, links followed.
    unsigned nodeOwner = 0;
    QString nodeOwnerName;
    unsigned nodeGroup = 0;
    unsigned nodeMode = 0; // permission bits, 0660
    // Who asks, and the groups this session runs with.
    unsigned userId = 0;
    QString userName;
    unsigned userPrimaryGroup = 0;
    std::vector<unsigned> sessionGroups;
    // The groups of the database that matter here (the node's group at least).
    std::vector<GroupEntry> groups;
    // Names of the groups made for serial devices on this system.
    QStringList serialGroups;
    bool udevRuleInstalled = false;
};

PermissionAdvice advise(const AccessFacts &facts);

// The advice for `device`, a node the system refused to open, from what this system says about it.
// Each platform has its own (PermissionAdviceLinux.cpp).
PermissionAdvice advisePermission(const QString &device);

} // namespace zelko6
