#include "testkit/ChildProcess.h"

#include "testkit/TempDir.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace testkit {

namespace {

int DecodeStatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// This process's environment with the given "NAME=VALUE" entries put in, replacing their names.
std::vector<std::string> Environment(const std::vector<std::string>& added) {
    std::vector<std::string> variables(added);
    const auto replaced = [&](std::string_view variable) {
        const std::string_view name = variable.substr(0, variable.find('=') + 1);
        return std::any_of(added.begin(), added.end(), [&](const std::string& entry) { return entry.starts_with(name); });
    };
    for (char** variable = environ; *variable; ++variable) {
        if (!replaced(*variable))
            variables.emplace_back(*variable);
    }
    return variables;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& stderrFile,
                           const std::vector<std::string>& environment) {
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    const std::vector<std::string> variables = Environment(environment);
    std::vector<char*> envp;
    for (const std::string& variable : variables) {
        envp.push_back(const_cast<char*>(variable.c_str()));
    }
    envp.push_back(nullptr);
    const std::string errPath = stderrFile.string();
    int pipeFds[2];
    int inputFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0 || pipe2(inputFds, O_CLOEXEC) != 0) {
        throw std::system_error(errno, std::generic_category(), "pipe");
    }
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid < 0) {
        throw std::system_error(errno, std::generic_category(), "fork");
    }
    if (m_pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) {
            _exit(127);
        }
        const int errFd = open(errPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        dup2(inputFds[0], STDIN_FILENO);
        dup2(pipeFds[1], STDOUT_FILENO);
        dup2(errFd, STDERR_FILENO);
        execve(args[0], args.data(), envp.data());
        _exit(127);
    }
    close(pipeFds[1]);
    close(inputFds[0]);
    m_stdout = pipeFds[0];
    m_stdin = inputFds[1];
}

void ChildProcess::Input(const std::string& text) {
    // A child that ended without reading must fail the write, not end the test.
    std::signal(SIGPIPE, SIG_IGN);
    for (std::size_t written = 0; m_stdin >= 0 && written < text.size();) {
        const ssize_t n = write(m_stdin, text.data() + written, text.size() - written);
        if (n <= 0)
            return;
        written += static_cast<std::size_t>(n);
    }
}

void ChildProcess::CloseInput() {
    if (m_stdin >= 0)
        close(m_stdin);
    m_stdin = -1;
}

ChildProcess::~ChildProcess() {
    if (!m_status) {
        kill(m_pid, SIGKILL);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
    close(m_stdout);
    CloseInput();
}

bool ChildProcess::IsRunning() {
    return !Wait(std::chrono::milliseconds(0));
}

bool ChildProcess::Fill(std::chrono::steady_clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd fd{m_stdout, POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(std::max<long>(left.count(), 0))) <= 0) {
        return false;
    }
    char chunk[4096];
    const ssize_t got = read(m_stdout, chunk, sizeof chunk);
    if (got <= 0) {
        return false;
    }
    m_buffer.append(chunk, static_cast<std::size_t>(got));
    return true;
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (const std::size_t newline = m_buffer.find('\n'); newline != std::string::npos) {
            std::string line = m_buffer.substr(0, newline);
            m_buffer.erase(0, newline + 1);
            return line;
        }
        if (!Fill(deadline)) {
            return std::nullopt;
        }
    }
}

std::string ChildProcess::ReadAll(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (Fill(deadline)) {
    }
    return std::exchange(m_buffer, {});
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!m_status) {
        int status = 0;
        rusage usage{};
        if (wait4(m_pid, &status, WNOHANG, &usage) == m_pid) {
            m_status = DecodeStatus(status);
            m_peakResidentKb = usage.ru_maxrss;
        } else if (std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    return m_status;
}

int ChildProcess::Stop(std::chrono::milliseconds grace) {
    if (!m_status) {
        kill(m_pid, SIGTERM);
        if (!Wait(grace)) {
            kill(m_pid, SIGKILL);
            Wait(std::chrono::seconds(10));
        }
    }
    return m_status.value_or(-1);
}

ProcessResult ChildProcess::Run(const std::vector<std::string>& argv, std::chrono::milliseconds timeout,
                                const std::vector<std::string>& environment, const std::string& input) {
    TempDir folder("pedrun");
    const std::filesystem::path errFile = folder.Path() / "stderr";
    ProcessResult result;
    {
        ChildProcess child(argv, errFile, environment);
        child.Input(input);
        child.CloseInput();
        result.out = child.ReadAll(timeout);
        // End of output normally means the child is exiting; give it a moment to do so.
        const std::optional<int> status = child.Wait(std::chrono::seconds(10));
        result.exitStatus = status ? *status : child.Stop(std::chrono::seconds(1));
        result.peakResidentKb = child.PeakResidentKb();
    }
    result.err = ReadTextFile(errFile);
    return result;
}

} // namespace testkit
