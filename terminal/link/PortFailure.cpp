#include "PortFailure.h"

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A port opened by another program is refused too; only a missing right calls for the group.
bool AccessDenied(const std::string& path)
{
    return ::faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

std::string AccessHint(const std::string& path)
{
    struct stat status
    {
    };
    group owner{};
    group* found = nullptr;
    passwd user{};
    passwd* me = nullptr;
    char groupText[4096];
    char userText[4096];
    if (::stat(path.c_str(), &status) != 0 ||
        ::getgrgid_r(status.st_gid, &owner, groupText, sizeof groupText, &found) != 0 || !found)
        return ". Ask the administrator for access to it.";
    ::getpwuid_r(::geteuid(), &user, userText, sizeof userText, &me);
    const std::string name = owner.gr_name;
    return ". Access needs membership of the group \"" + name +
           "\" that owns it: sudo usermod -a -G " + name + " " + (me ? me->pw_name : "USER") +
           ", then log in again.";
}

} // namespace

std::string PortFailureReason(const std::string& path, QSerialPort::SerialPortError error,
                              const QString& systemText)
{
    std::string reason = path + ": " + systemText.toStdString();
    if (error == QSerialPort::PermissionError && AccessDenied(path))
        reason += AccessHint(path);
    return reason;
}
