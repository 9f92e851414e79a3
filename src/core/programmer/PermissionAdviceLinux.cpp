// The facts behind the permission advice as Linux keeps them: the node's stat, the user and group
// databases (NSS, so LDAP and the like count too), the groups of this process, and udev's rules.

#include "core/programmer/PermissionAdvice.h"
#include "core/programmer/UdevRules.h"

#include <QFile>

#include <cerrno>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

namespace zelko6 {

namespace {

// The reentrant lookups: a port may be opened on the link's thread while another thread asks too.
std::vector<char> lookupBuffer(int which)
{
    const long size = ::sysconf(which);
    return std::vector<char>(static_cast<size_t>(size > 0 ? size : 4096));
}

std::optional<GroupEntry> groupEntry(const group *found)
{
    if (!found)
        return std::nullopt;
    GroupEntry entry{static_cast<unsigned>(found->gr_gid), QString::fromLocal8Bit(found->gr_name), {}};
    for (char **member = found->gr_mem; member && *member; ++member)
        entry.members << QString::fromLocal8Bit(*member);
    return entry;
}

std::optional<GroupEntry> groupById(gid_t id)
{
    std::vector<char> buffer = lookupBuffer(_SC_GETGR_R_SIZE_MAX);
    group entry{};
    group *found = nullptr;
    while (::getgrgid_r(id, &entry, buffer.data(), buffer.size(), &found) == ERANGE)
        buffer.resize(buffer.size() * 2);
    return groupEntry(found);
}

std::optional<GroupEntry> groupByName(const QString &name)
{
    std::vector<char> buffer = lookupBuffer(_SC_GETGR_R_SIZE_MAX);
    group entry{};
    group *found = nullptr;
    const QByteArray encoded = name.toLocal8Bit();
    while (::getgrnam_r(encoded.constData(), &entry, buffer.data(), buffer.size(), &found) == ERANGE)
        buffer.resize(buffer.size() * 2);
    return groupEntry(found);
}

// A user's name and primary group; empty name when the database has no such user.
std::pair<QString, unsigned> userById(uid_t id)
{
    std::vector<char> buffer = lookupBuffer(_SC_GETPW_R_SIZE_MAX);
    passwd entry{};
    passwd *found = nullptr;
    while (::getpwuid_r(id, &entry, buffer.data(), buffer.size(), &found) == ERANGE)
        buffer.resize(buffer.size() * 2);
    if (!found)
        return {QString(), 0};
    return {QString::fromLocal8Bit(found->pw_name), static_cast<unsigned>(found->pw_gid)};
}

std::vector<unsigned> processGroups()
{
    std::vector<unsigned> groups{static_cast<unsigned>(::getegid())};
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> listed(static_cast<size_t>(count > 0 ? count : 0));
    const int got = listed.empty() ? 0 : ::getgroups(count, listed.data());
    for (int i = 0; i < got; ++i)
        groups.push_back(static_cast<unsigned>(listed[static_cast<size_t>(i)]));
    return groups;
}

} // namespace

PermissionAdvice advisePermission(const QString &device)
{
    struct stat node {};
    if (::stat(QFile::encodeName(device).constData(), &node) != 0)
        return {};
    AccessFacts facts;
    facts.nodeOwner = node.st_uid;
    facts.nodeOwnerName = userById(node.st_uid).first;
    facts.nodeGroup = node.st_gid;
    facts.nodeMode = node.st_mode & 07777;
    facts.userId = ::geteuid();
    std::tie(facts.userName, facts.userPrimaryGroup) = userById(::geteuid());
    facts.sessionGroups = processGroups();
    // Debian's group for serial ports is there whether or not udev is (a container, a chroot).
    facts.serialGroups = serialGroupsInRuleFolders();
    if (!facts.serialGroups.contains(QStringLiteral("dialout")) && groupByName(QStringLiteral("dialout")))
        facts.serialGroups << QStringLiteral("dialout");
    if (const auto owning = groupById(node.st_gid))
        facts.groups.push_back(*owning);
    facts.udevRuleInstalled = udevRuleInstalled();
    return advise(facts);
}

} // namespace zelko6
