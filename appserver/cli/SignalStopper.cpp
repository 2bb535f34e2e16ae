#include "SignalStopper.h"

#include <pthread.h>
#include <signal.h>

namespace pedserver {

namespace {

sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

} // namespace

SignalStopper::SignalStopper(std::function<void()> onSignal) : m_onSignal(std::move(onSignal)) {
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    m_thread = std::thread([this, signals] {
        int signal = 0;
        sigwait(&signals, &signal);
        if (m_finished) {
            return;
        }
        m_received = signal;
        m_onSignal();
    });
}

SignalStopper::~SignalStopper() {
    // Wake the waiting thread when no signal came; it sees m_finished and returns.
    if (m_received == 0) {
        m_finished = true;
        pthread_kill(m_thread.native_handle(), SIGTERM);
    }
    m_thread.join();
}

} // namespace pedserver
