#include "link/qt/DeviceAccess.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace vexa {

namespace {

bool ProcessHasGroup(gid_t gid) {
    if (getegid() == gid)
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = getgroups(count, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<std::size_t>(i)] == gid)
            return true;
    return false;
}

} // namespace

PortAccess DeviceAccess(const std::string& path) {
    PortAccess access;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return access;
    const passwd* user = getpwuid(getuid());
    if (user && user->pw_name)
        access.user = user->pw_name;
    const gid_t userGroup = user ? user->pw_gid : static_cast<gid_t>(-1);
    const group* owner = getgrgid(info.st_gid);
    if (!owner || !owner->gr_name)
        return access;
    access.group = owner->gr_name;
    access.sessionHas = ProcessHasGroup(info.st_gid);
    access.userListed = userGroup == info.st_gid;
    for (char** member = owner->gr_mem; member && *member && !access.user.empty(); ++member)
        if (access.user == *member)
            access.userListed = true;
    return access;
}

} // namespace vexa
