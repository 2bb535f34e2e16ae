#pragma once

#include <atomic>
#include <cstddef>
#include <string>

namespace pedserver {

// The bytes one request's answer may hold, shared by every call of the request (the calls of a
// read batch run on several threads). Packets charge each row as it is added, so an answer that
// would pass the limit stops growing at once instead of being built and then thrown away.
class AnswerBudget {
public:
    explicit AnswerBudget(std::size_t limit) : m_limit(limit) {}
    AnswerBudget(const AnswerBudget&) = delete;
    AnswerBudget& operator=(const AnswerBudget&) = delete;

    // Throws RpcError(RpcCode::AnswerTooLarge) when the answer would pass the limit; from then on
    // every charge throws.
    void Charge(std::size_t bytes);
    bool Exceeded() const { return m_exceeded.load(); }
    std::size_t Limit() const { return m_limit; }
    // The operator's message for an answer past `limit` bytes.
    static std::string Refusal(std::size_t limit);

private:
    std::size_t m_limit;
    std::atomic<std::size_t> m_used = 0;
    std::atomic<bool> m_exceeded = false;
};

} // namespace pedserver
