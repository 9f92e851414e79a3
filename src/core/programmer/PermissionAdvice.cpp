#include "core/programmer/PermissionAdvice.h"

#include <algorithm>

namespace zelko6 {

namespace {

constexpr unsigned kGroupReadWrite = 0060;
constexpr unsigned kOtherReadWrite = 0006;

const GroupEntry *findGroup(const AccessFacts &facts, unsigned id)
{
    const auto found = std::find_if(facts.groups.begin(), facts.groups.end(),
                                    [id](const GroupEntry &g) { return g.id == id; });
    return found == facts.groups.end() ? nullptr : &*found;
}

} // namespace

PermissionAdvice advise(const AccessFacts &facts)
{
    PermissionAdvice advice;
    const GroupEntry *group = findGroup(facts, facts.nodeGroup);
    advice.group = group ? group->name : QString::number(facts.nodeGroup);
    advice.owner = facts.nodeOwnerName.isEmpty() ? QString::number(facts.nodeOwner) : facts.nodeOwnerName;

    const auto &session = facts.sessionGroups;
    const bool sessionHasGroup = std::find(session.begin(), session.end(), facts.nodeGroup) != session.end();
    const bool groupMayOpen = (facts.nodeMode & kGroupReadWrite) == kGroupReadWrite;
    // Root is refused by no mode, and neither is a user the mode lets in: something else refused
    // (an access list, a security module), and a group would not help.
    if (facts.userId == 0 || facts.userId == facts.nodeOwner ||
        (facts.nodeMode & kOtherReadWrite) == kOtherReadWrite || (sessionHasGroup && groupMayOpen))
        return advice;

    if (!groupMayOpen || !group || !facts.serialGroups.contains(group->name)) {
        advice.remedy = PermissionAdvice::Remedy::NotForUsers;
        return advice;
    }
    const bool listed = facts.userPrimaryGroup == facts.nodeGroup || group->members.contains(facts.userName);
    advice.remedy = listed ? PermissionAdvice::Remedy::LogInAgain : PermissionAdvice::Remedy::JoinGroup;
    advice.udevRuleMissing = !listed && !facts.udevRuleInstalled;
    return advice;
}

} // namespace zelko6
