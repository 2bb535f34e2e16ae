#pragma once

#include <sys/types.h>

namespace benchserver {

// User plus system CPU seconds a process has used so far, from /proc/<pid>/stat.
double ProcessCpuSeconds(pid_t pid);

} // namespace benchserver
