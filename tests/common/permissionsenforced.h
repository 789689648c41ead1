#pragma once

// File permissions that hold also for a test that runs as root, so that a read-only file or
// folder can stand for a full disk or a protected place.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// Makes file permissions apply to the calling thread even when it runs as root, by dropping
// the capabilities that override them; threads started meanwhile inherit the drop. Restores
// them when destroyed.
class PermissionsEnforced
{
public:
    PermissionsEnforced()
    {
        if (geteuid() != 0) {
            m_active = true;
            return;
        }
        if (syscall(SYS_capget, &m_header, m_saved) != 0) {
            return;
        }
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_active = syscall(SYS_capset, &m_header, reduced) == 0;
        m_dropped = m_active;
    }
    ~PermissionsEnforced()
    {
        if (m_dropped) {
            syscall(SYS_capset, &m_header, m_saved);
        }
    }
    PermissionsEnforced(const PermissionsEnforced &) = delete;
    PermissionsEnforced &operator=(const PermissionsEnforced &) = delete;

    bool isActive() const { return m_active; }

private:
    __user_cap_header_struct m_header = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2] = {};
    bool m_active = false;
    bool m_dropped = false;
};
