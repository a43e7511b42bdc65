#include "link/PortAccessText.h"

namespace vexa {

namespace {

const char* const CrLf = "\r\n";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Remedy(const std::string& name, const PortAccess& access) {
    const std::string group = Quoted(access.group);
    if (access.group.empty())
        return "Your user may not open it. \"ls -l " + name +
               "\" shows the group that owns it: join that group, then log out and log in again.";
    if (access.group == "root")
        return "Only root may open it. A udev rule that gives the device to the group \"dialout\" lets "
               "members of that group use it.";
    if (access.sessionHas)
        return "Your login already belongs to the group " + group +
               " that owns it: another program may hold the port, or the device is open to its owner only.";
    if (access.userListed)
        return "You are a member of the group " + group +
               " that owns it, but this login started before you joined: log out and log in again.";
    const std::string user = access.user.empty() ? std::string("$USER") : access.user;
    return "Only members of the group " + group + " may open it. Join the group with" + CrLf + "    sudo usermod -aG " +
           access.group + " " + user + CrLf + "then log out and log in again.";
}

} // namespace

std::string PortOpenFailureText(const std::string& name, const std::string& reason, bool accessDenied,
                                const PortAccess& access, const std::string& holder) {
    std::string text = "The serial port " + name + " could not be opened" + (reason.empty() ? "" : ": " + reason);
    if (accessDenied && !holder.empty())
        text += std::string(CrLf) + "Another program holds it: " + holder +
                ". Close that program, then choose the port again.";
    else if (accessDenied)
        text += CrLf + Remedy(name, access);
    return text;
}

} // namespace vexa
