#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testkit {

struct ProcessResult {
    int exitStatus = -1; // the exit code, or 128 + signal number
    std::string out;
    std::string err;
    long peakResidentKb = 0; // the child's peak resident memory, once it has ended
};

// A child process with its stdin and stdout on pipes and its stderr in a file. The child dies with the
// test process (PR_SET_PDEATHSIG) and the destructor kills and reaps it, so no test leaves a
// process behind.
class ChildProcess {
public:
    // `environment` ("NAME=VALUE" entries) is added to this process's own, replacing its names:
    // the way secrets reach a child without showing on its command line.
    ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& stderrFile,
                 const std::vector<std::string>& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return m_pid; }
    // Writes to the child's standard input; CloseInput ends it.
    void Input(const std::string& text);
    void CloseInput();
    bool IsRunning();

    // The next line of stdout without its newline; nothing at end of output or after the timeout.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // All remaining stdout up to end of output or the timeout.
    std::string ReadAll(std::chrono::milliseconds timeout);
    // The exit status once the child has ended, or nothing when it still runs after the timeout.
    std::optional<int> Wait(std::chrono::milliseconds timeout);
    // SIGTERM, then SIGKILL after `grace`; returns the exit status.
    int Stop(std::chrono::milliseconds grace);
    // The child's peak resident memory in KiB, known once it has been reaped.
    long PeakResidentKb() const { return m_peakResidentKb; }

    // Runs a command to its end (killed after `timeout`) and collects its output.
    static ProcessResult Run(const std::vector<std::string>& argv,
                             std::chrono::milliseconds timeout = std::chrono::seconds(120),
                             const std::vector<std::string>& environment = {}, const std::string& input = {});

private:
    // Reads what the pipe has within the timeout; false at end of output or timeout.
    bool Fill(std::chrono::steady_clock::time_point deadline);

    pid_t m_pid = -1;
    int m_stdout = -1;
    int m_stdin = -1;
    std::string m_buffer;
    std::optional<int> m_status;
    long m_peakResidentKb = 0;
};

} // namespace testkit
