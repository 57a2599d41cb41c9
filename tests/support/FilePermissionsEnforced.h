#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace skyloom::test {

// While alive, the calling thread is held to file permissions even when it runs as root (as CI
// does): the capabilities that override them leave its effective set, and come back after.
class FilePermissionsEnforced {
public:
    FilePermissionsEnforced() {
        if (::geteuid() != 0 || !Get(m_saved))
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_active = Set(reduced);
    }
    ~FilePermissionsEnforced() {
        if (m_active)
            Set(m_saved);
    }
    FilePermissionsEnforced(const FilePermissionsEnforced&) = delete;
    FilePermissionsEnforced& operator=(const FilePermissionsEnforced&) = delete;

private:
    static bool Get(__user_cap_data_struct* data) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(SYS_capget, &header, data) == 0;
    }
    static bool Set(__user_cap_data_struct* data) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(SYS_capset, &header, data) == 0;
    }

    __user_cap_data_struct m_saved[2] = {};
    bool m_active = false;
};

} // namespace skyloom::test
