#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace pedserver {

// Runs `onSignal` once on its own thread when SIGINT or SIGTERM arrives. Both signals are blocked
// in the calling thread first, so every thread started afterwards leaves them to this one.
// Create it before any other thread.
class SignalStopper {
public:
    explicit SignalStopper(std::function<void()> onSignal);
    ~SignalStopper();
    SignalStopper(const SignalStopper&) = delete;
    SignalStopper& operator=(const SignalStopper&) = delete;

    // The signal that arrived, or 0.
    int Received() const { return m_received; }

private:
    std::function<void()> m_onSignal;
    std::atomic<int> m_received = 0;
    std::atomic<bool> m_finished = false;
    std::thread m_thread;
};

} // namespace pedserver
