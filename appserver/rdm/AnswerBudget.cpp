#include "rdm/AnswerBudget.h"

#include "rdm/RpcError.h"
#include "rdm/Thousands.h"

namespace pedserver {

void AnswerBudget::Charge(std::size_t bytes) {
    if (m_exceeded.load() || m_used.fetch_add(bytes) + bytes > m_limit) {
        m_exceeded = true;
        throw RpcError(RpcCode::AnswerTooLarge, Refusal(m_limit));
    }
}

std::string AnswerBudget::Refusal(std::size_t limit) {
    return "A resposta passaria de " + SizeText(limit) +
           ", o limite do servidor: restrinja o filtro ou consulte em partes.";
}

} // namespace pedserver
