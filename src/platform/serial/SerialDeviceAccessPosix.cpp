// SPDX-License-Identifier: GPL-3.0-or-later
// Who may use a serial device, from the file's owner group and mode and the
// system's user and group database.

#include "platform/serial/SerialDevice.h"

#include <cerrno>
#include <cstdlib>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

std::string DeviceAccessGroup(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return {};
    // Joining a group that may not read and write the device would not help,
    // and nobody should be told to join the superuser's group.
    constexpr mode_t kReadWrite = S_IRGRP | S_IWGRP;
    if (st.st_gid == 0 || (st.st_mode & kReadWrite) != kReadWrite)
        return {};
    std::vector<char> buffer(1024);
    for (;;) {
        group entry{};
        group* found = nullptr;
        const int error = ::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 4);
            continue;
        }
        return error == 0 && found && found->gr_name ? std::string(found->gr_name) : std::string();
    }
}

std::string CurrentUserName() {
    std::vector<char> buffer(1024);
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        const int error = ::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 4);
            continue;
        }
        if (error == 0 && found && found->pw_name && *found->pw_name)
            return found->pw_name;
        break;
    }
    // A user the database does not know still has a name in the session.
    const char* name = std::getenv("USER");
    return name && *name ? std::string(name) : std::string("$USER");
}
