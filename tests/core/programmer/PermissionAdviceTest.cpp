// The permission advice as data: a device node's owner and mode, a group database, the groups a
// session runs with, and the groups the system's udev rules give serial ports.

#include "core/programmer/PermissionAdvice.h"
#include "core/programmer/UdevRules.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zelko6::test {
namespace {

using Remedy = PermissionAdvice::Remedy;

constexpr unsigned kRoot = 0, kTty = 5, kDialout = 20, kPlugdev = 46, kAda = 1000, kBob = 1001,
                   kUnnamed = 4242;

// Debian's groups: root, tty, dialout, plugdev; ada's own group; bob joined dialout.
const std::vector<GroupEntry> kGroups = {
    {kRoot, QStringLiteral("root"), {}},
    {kTty, QStringLiteral("tty"), {}},
    {kDialout, QStringLiteral("dialout"), {QStringLiteral("bob")}},
    {kPlugdev, QStringLiteral("plugdev"), {QStringLiteral("ada")}},
    {kAda, QStringLiteral("ada"), {}},
};

AccessFacts facts(unsigned owner, unsigned group, unsigned mode, unsigned user, std::vector<unsigned> session)
{
    AccessFacts f;
    f.nodeOwner = owner;
    f.nodeOwnerName = owner == kRoot  ? QStringLiteral("root")
                      : owner == kAda ? QStringLiteral("ada")
                                      : QString();
    f.nodeGroup = group;
    f.nodeMode = mode;
    f.userId = user;
    f.userName = user == kAda   ? QStringLiteral("ada")
                 : user == kBob ? QStringLiteral("bob")
                                : QStringLiteral("root");
    f.userPrimaryGroup = user == kAda ? kAda : user;
    f.sessionGroups = std::move(session);
    f.groups = kGroups;
    f.serialGroups = {QStringLiteral("dialout")};
    f.udevRuleInstalled = true;
    return f;
}

AccessFacts rulesGiveSerialPorts(AccessFacts f, const char *group)
{
    f.serialGroups << QLatin1String(group);
    return f;
}

AccessFacts primaryGroup(AccessFacts f, unsigned group)
{
    f.userPrimaryGroup = group;
    return f;
}

// Each case is asked with the package's udev rule installed and without it: the missing rule is
// mentioned only beside the group to join, since that is what installing it saves the user.
TEST(PermissionAdvice, NamesAGroupOnlyWhereJoiningItHelps)
{
    const struct {
        const char *what;
        AccessFacts facts;
        Remedy remedy;
        const char *owner;
        const char *group;
    } cases[] = {
        {"a user without dialout, a dialout port: join it",
         facts(kRoot, kDialout, 0660, kAda, {kAda, kPlugdev}), Remedy::JoinGroup, "root", "dialout"},
        {"listed in dialout, but this session began before", facts(kRoot, kDialout, 0660, kBob, {kBob}),
         Remedy::LogInAgain, "root", "dialout"},
        {"a port only root may open: not for users, never \"join root\"",
         facts(kRoot, kRoot, 0600, kAda, {kAda}), Remedy::NotForUsers, "root", "root"},
        {"root's group with group rights is still not one to join", facts(kRoot, kRoot, 0660, kAda, {kAda}),
         Remedy::NotForUsers, "root", "root"},
        {"a virtual terminal: tty is no group for a serial port", facts(kRoot, kTty, 0620, kAda, {kAda}),
         Remedy::NotForUsers, "root", "tty"},
        {"dialout that the mode shuts out: joining would not help",
         facts(kRoot, kDialout, 0600, kAda, {kAda}), Remedy::NotForUsers, "root", "dialout"},
        {"a group the database has no name for is no serial group",
         facts(kRoot, kUnnamed, 0660, kAda, {kAda}), Remedy::NotForUsers, "root", "4242"},
        {"already in the group with rights: something else refused",
         facts(kRoot, kDialout, 0660, kBob, {kBob, kDialout}), Remedy::Unknown, "root", "dialout"},
        {"open to everybody: something else refused", facts(kRoot, kDialout, 0666, kAda, {kAda}),
         Remedy::Unknown, "root", "dialout"},
        {"the owner shut out by its own mode", facts(kAda, kAda, 0000, kAda, {kAda}), Remedy::Unknown, "ada",
         "ada"},
        {"root is refused by no mode", facts(kAda, kAda, 0000, kRoot, {kRoot}), Remedy::Unknown, "ada",
         "ada"},
        {"an owner without a name is given as a number", facts(4711, kRoot, 0600, kAda, {kAda}),
         Remedy::NotForUsers, "4711", "root"},
        {"plugdev, where the rules do not give it to serial ports",
         facts(kRoot, kPlugdev, 0660, kBob, {kBob}), Remedy::NotForUsers, "root", "plugdev"},
        {"plugdev, where they do: join it",
         rulesGiveSerialPorts(facts(kRoot, kPlugdev, 0660, kBob, {kBob}), "plugdev"), Remedy::JoinGroup,
         "root", "plugdev"},
        {"ada is listed in plugdev: her session only needs to begin again",
         rulesGiveSerialPorts(facts(kRoot, kPlugdev, 0660, kAda, {kAda}), "plugdev"), Remedy::LogInAgain,
         "root", "plugdev"},
        {"the port's group is the user's primary one, the session started under another",
         primaryGroup(facts(kRoot, kDialout, 0660, kAda, {kAda}), kDialout), Remedy::LogInAgain, "root",
         "dialout"},
    };
    for (const auto &c : cases) {
        for (const bool installed : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (installed ? "" : ", without the udev rule"));
            AccessFacts asked = c.facts;
            asked.udevRuleInstalled = installed;
            const PermissionAdvice advice = advise(asked);
            EXPECT_EQ(static_cast<int>(c.remedy), static_cast<int>(advice.remedy));
            EXPECT_EQ(c.owner, advice.owner.toStdString());
            EXPECT_EQ(c.group, advice.group.toStdString());
            EXPECT_EQ(!installed && c.remedy == Remedy::JoinGroup, advice.udevRuleMissing);
        }
    }
}

TEST(UdevRules, TheGroupsGivenToSerialPortsAreFoundAndNoOthers)
{
    const struct {
        const char *what;
        const char *rules;
        QStringList groups;
    } cases[] = {
        {"Debian's default rules: dialout, not tty, disk or kmem",
         R"(# do not edit this file, it will be overwritten on update
SUBSYSTEM=="tty", KERNEL=="ptmx", GROUP="tty", MODE="0666"
SUBSYSTEM=="tty", KERNEL=="tty", GROUP="tty", MODE="0666"
SUBSYSTEM=="tty", KERNEL=="tty[0-9]*|hvc[0-9]*|sclp_line[0-9]*|ttysclp[0-9]*|3270/tty[0-9]*", GROUP="tty", MODE="0620"
SUBSYSTEM=="vc", KERNEL=="vcs*|vcsa*", GROUP="tty"
KERNEL=="tty[A-Z]*[0-9]|ttymxc[0-9]*|pppox[0-9]*|ircomm[0-9]*|noz[0-9]*|rfcomm[0-9]*", GROUP="dialout"
SUBSYSTEM=="mem", KERNEL=="mem|kmem|port", GROUP="kmem", MODE="0640"
SUBSYSTEM=="block", GROUP="disk"
KERNEL=="sch[0-9]*", GROUP="cdrom"
)",
         {QStringLiteral("dialout")}},
        {"another distribution's group for the same ports",
         R"(KERNEL=="tty[A-Z]*[0-9]|ttymxc[0-9]*|pppox[0-9]*|ircomm[0-9]*|noz[0-9]*|rfcomm[0-9]*", GROUP="uucp")",
         {QStringLiteral("uucp")}},
        {"a local rule for USB adapters, continued over two lines",
         "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"0403\", \\\n    GROUP:=\"plugdev\", MODE=\"0660\"\n",
         {QStringLiteral("plugdev")}},
        {"a rule that says nothing of the device's kind is passed over",
         R"(ATTRS{idVendor}=="0403", GROUP="plugdev")",
         {}},
        {"nor one that excludes serial ports, or a commented one",
         R"(SUBSYSTEM!="tty", GROUP="video"
KERNEL!="tty*", GROUP="audio"
# KERNEL=="ttyUSB*", GROUP="serial"
KERNEL=="ttyUSB*", GROUP="$env{SERIAL_GROUP}")",
         {}},
        {"root and tty are never offered, whatever a rule says",
         R"(KERNEL=="ttyS[0-9]*", GROUP="root"
KERNEL=="ttyUSB*", GROUP="tty")",
         {}},
        {"a group matched with the rest of the rule unknown (OWNER, MODE, TAG)",
         R"(KERNEL=="ttyACM[0-9]*", OWNER="root", TAG+="uaccess", GROUP="serial")",
         {QStringLiteral("serial")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.groups.join(u','), serialGroupsInRules(QString::fromUtf8(c.rules)).join(u','));
    }
}

TEST(UdevRules, AFileInAnEarlierFolderHidesTheSameNameInALaterOne)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString etc = root.filePath(QStringLiteral("etc")), lib = root.filePath(QStringLiteral("lib"));
    ASSERT_TRUE(QDir().mkpath(etc) && QDir().mkpath(lib));
    const auto write = [](const QString &path, const QByteArray &text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write(lib + QStringLiteral("/50-udev-default.rules"), "KERNEL==\"ttyS*\", GROUP=\"dialout\"\n");
    write(lib + QStringLiteral("/60-zelko6.rules"), "SUBSYSTEM==\"tty\", TAG+=\"uaccess\"\n");
    write(lib + QStringLiteral("/70-other.rules"), "KERNEL==\"ttyUSB*\", GROUP=\"uucp\"\n");
    const QStringList folders{etc, lib};
    EXPECT_EQ(QStringLiteral("dialout,uucp"), serialGroupsInRuleFolders(folders).join(u','));
    EXPECT_TRUE(udevRuleInstalled(kOwnUdevRuleName, folders));
    EXPECT_FALSE(udevRuleInstalled(QStringLiteral("61-absent.rules"), folders));

    // The administrator's own copy replaces the default; a link to /dev/null masks a rule.
    write(etc + QStringLiteral("/50-udev-default.rules"), "KERNEL==\"ttyS*\", GROUP=\"serial\"\n");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), etc + u'/' + kOwnUdevRuleName));
    EXPECT_EQ(QStringLiteral("serial,uucp"), serialGroupsInRuleFolders(folders).join(u','));
    EXPECT_FALSE(udevRuleInstalled(kOwnUdevRuleName, folders));
}

} // namespace
} // namespace zelko6::test
