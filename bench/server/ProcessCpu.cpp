#include "ProcessCpu.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace benchserver {

double ProcessCpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(in, stat);
    // The command name is in parentheses and may hold spaces; the fields after it are plain.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        throw std::runtime_error("cannot read /proc/" + std::to_string(pid) + "/stat");
    }
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    // After the name come state (field 3) ... utime (14) and stime (15).
    for (int i = 3; i < 14; ++i) {
        fields >> field;
    }
    unsigned long long user = 0;
    unsigned long long system = 0;
    fields >> user >> system;
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

} // namespace benchserver
