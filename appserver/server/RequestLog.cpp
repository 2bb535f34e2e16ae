#include "server/RequestLog.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <pthread.h>

namespace pedserver {

namespace {

// Appends the time as 2024-05-10T14:03:07.412Z. A line is written per call, thousands a second:
// the date and time of day are formatted once a second per thread, the milliseconds each time.
void AppendTimestamp(std::string& out) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    thread_local std::time_t formattedSecond = -1;
    thread_local char secondText[64];
    if (seconds != formattedSecond) {
        std::tm utc{};
        gmtime_r(&seconds, &utc);
        std::snprintf(secondText, sizeof secondText, "%04d-%02d-%02dT%02d:%02d:%02d.", utc.tm_year + 1900,
                      utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
        formattedSecond = seconds;
    }
    out += secondText;
    out += static_cast<char>('0' + millis / 100);
    out += static_cast<char>('0' + millis / 10 % 10);
    out += static_cast<char>('0' + millis % 10);
    out += 'Z';
}

bool IsBare(std::string_view value) {
    if (value.empty()) {
        return false;
    }
    for (const char c : value) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == '=' || c == '\\' || c == 0x7f) {
            return false;
        }
    }
    return true;
}

} // namespace

RequestLog::RequestLog(std::ostream& out, std::chrono::milliseconds flushDelay)
    : m_out(out), m_flushDelay(flushDelay) {
    // The writer starts with every signal blocked: signals are for the thread that waits for them
    // (the server stops on SIGTERM), and a thread that could take one would end the process.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &previous);
    m_writer = std::thread([this] { WriteOut(); });
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

RequestLog::~RequestLog() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_writer.join();
}

void RequestLog::WriteOut() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_stopping || !m_pending.empty(); });
        // Lines that come soon after the first go out with it, in one write.
        if (!m_stopping)
            m_wake.wait_for(lock, m_flushDelay, [this] { return m_stopping; });
        std::string lines;
        lines.swap(m_pending);
        lock.unlock();
        m_out << lines << std::flush;
        lock.lock();
        if (m_stopping && m_pending.empty())
            return;
    }
}

std::string RequestLog::Quote(std::string_view value) {
    std::string quoted;
    AppendQuoted(quoted, value);
    return quoted;
}

void RequestLog::AppendQuoted(std::string& out, std::string_view value) {
    if (IsBare(value)) {
        out += value;
        return;
    }
    out += '"';
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < ' ' || byte == 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    out += '"';
}

void RequestLog::Write(const RpcOutcome& outcome, double milliseconds) {
    std::string line;
    line.reserve(160);
    line += "ts=";
    AppendTimestamp(line);
    AppendField(line, " client=", outcome.client);
    AppendField(line, " method=", outcome.method);
    AppendField(line, " operator=", outcome.operatorCode);
    char ms[32];
    std::snprintf(ms, sizeof ms, " ms=%.1f", milliseconds);
    line += ms;
    line += " outcome=";
    line += outcome.outcome;
    line += " status=";
    line += std::to_string(outcome.httpStatus);
    if (outcome.outcome != "ok")
        AppendField(line, " error=", std::string_view(outcome.detail).substr(0, 500));
    Append(std::move(line));
}

void RequestLog::WriteEvent(const RpcOutcome& outcome) {
    std::string line = "ts=";
    AppendTimestamp(line);
    AppendField(line, " event=", outcome.event);
    AppendField(line, " client=", outcome.client);
    AppendField(line, " operator=", outcome.operatorCode);
    if (!outcome.detail.empty())
        AppendField(line, " detail=", std::string_view(outcome.detail).substr(0, 500));
    Append(std::move(line));
}

void RequestLog::AppendField(std::string& line, std::string_view key, std::string_view value) {
    line += key;
    AppendQuoted(line, value);
}

void RequestLog::Append(std::string line) {
    line += '\n';
    bool first = false;
    {
        std::lock_guard lock(m_mutex);
        first = m_pending.empty();
        m_pending += line;
    }
    // The writer waits for the first line only; waking it for every line would cost a thread switch
    // per request while it gathers the lines that follow.
    if (first)
        m_wake.notify_one();
}

} // namespace pedserver
