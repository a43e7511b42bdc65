#include "link/qt/DeviceAccess.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
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

// The name of the lock file of a device, as serial programs make it: "LCK.." and the device's
// name below /dev with '/' as '_' (LCK..ttyUSB0, LCK..pts_3).
std::string LockFileName(const std::string& path) {
    std::string name = path.rfind("/dev/", 0) == 0 ? path.substr(5) : path;
    for (char& c : name)
        if (c == '/')
            c = '_';
    return "LCK.." + name;
}

bool Running(long pid) {
    return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// "process 4711 (minicom)", or without the name where the system does not show it.
std::string ProcessText(long pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return "process " + std::to_string(pid) + (name.empty() ? "" : " (" + name + ")");
}

// The first number of a lock file: the process that made it (as text, or a binary int of old
// programs is not read).
long LockOwner(const std::filesystem::path& lock) {
    std::ifstream in(lock);
    long pid = 0;
    return in >> pid ? pid : 0;
}

// A process, as far as this user may look, that has the device open.
std::string OpenedBy(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path device = fs::canonical(path, error);
    if (error)
        return {};
    for (const fs::directory_entry& process : fs::directory_iterator("/proc", error)) {
        const std::string pid = process.path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::error_code denied;
        for (const fs::directory_entry& fd : fs::directory_iterator(process.path() / "fd", denied)) {
            std::error_code unreadable;
            if (fs::read_symlink(fd.path(), unreadable) == device)
                return ProcessText(std::stol(pid));
        }
    }
    return {};
}

} // namespace

std::vector<std::string> SerialLockFolders() {
    return {"/run/lock",  "/var/lock", "/var/lock/lockdev", "/var/spool/locks", "/var/spool/uucp",
            "/etc/locks", "/tmp",      "/var/tmp"};
}

std::string PortHolder(const std::string& path, const std::vector<std::string>& lockFolders) {
    const std::string file = LockFileName(path);
    for (const std::string& folder : lockFolders) {
        const std::filesystem::path lock = std::filesystem::path(folder) / file;
        std::error_code error;
        if (!std::filesystem::is_regular_file(lock, error))
            continue;
        if (const long pid = LockOwner(lock); Running(pid))
            return ProcessText(pid) + ", lock file " + lock.string();
    }
    return OpenedBy(path);
}

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
