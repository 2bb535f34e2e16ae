#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>

namespace pedserver {

// Slows down guessing: every client address has a bucket of `burst` tries that refills at
// `perMinute`, and each failed credential (a bearer token the database does not know, a refused
// sign-in) takes one. An address with an empty bucket has its credentials refused unchecked until
// it refills. Per process: with N servers an address gets N times the rate (operations.md).
// Safe to use from every thread.
class GuessLimiter {
public:
    using Clock = std::chrono::steady_clock;

    GuessLimiter(int burst, int perMinute, std::size_t capacity = 100'000)
        : m_burst(burst), m_perSecond(perMinute / 60.0), m_capacity(capacity) {}

    // Whether the address may have a credential checked now.
    bool Allows(const std::string& address, Clock::time_point now = Clock::now());
    // A failed credential of the address; true when this one emptied its bucket.
    bool Failed(const std::string& address, Clock::time_point now = Clock::now());

private:
    struct Bucket {
        double tries;
        Clock::time_point refilled;
    };

    Bucket& Refilled(const std::string& address, Clock::time_point now);
    // Forgets full buckets, which hold nothing an address would not get back anyway; every bucket
    // when more than half the capacity is still in use.
    void Forget(Clock::time_point now);

    const int m_burst;
    const double m_perSecond;
    const std::size_t m_capacity;
    std::mutex m_mutex;
    std::unordered_map<std::string, Bucket> m_buckets;
};

} // namespace pedserver
