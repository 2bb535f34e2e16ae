#include "rdm/OrderFilter.h"

#include "rdm/CodeList.h"
#include "rdm/RpcError.h"
#include "rdm/CharCount.h"

namespace pedserver {

std::string OrderFilter::Bind(const std::string& value) {
    const std::string name = "P" + std::to_string(m_next++);
    m_params[name] = value;
    return ":" + name;
}

void OrderFilter::Equals(const std::string& column, const std::string& value) {
    m_where += " AND " + column + " = " + Bind(value);
}

void OrderFilter::InList(const std::string& column, const std::string& list, std::size_t maxChars,
                         std::size_t maxEntries, std::string_view what) {
    const std::vector<std::string> codes = SplitCodes(list, maxChars, maxEntries, what);
    if (codes.empty())
        return MatchNothing();
    std::string placeholders;
    for (const std::string& code : codes)
        placeholders += (placeholders.empty() ? "" : ", ") + Bind(code);
    m_where += " AND " + column + " IN (" + placeholders + ")";
}

void OrderFilter::InCodes(const std::string& column, const std::string& codes, std::string_view allowed,
                          std::string_view what) {
    if (codes.empty())
        return MatchNothing();
    std::string placeholders;
    for (char code : codes) {
        if (allowed.find(code) == std::string_view::npos)
            throw RpcError(RpcCode::InvalidParams, "Código de " + std::string(what) + " inválido: \"" +
                                                       CutToChars(codes, 40) + "\".");
        placeholders += (placeholders.empty() ? "" : ", ") + Bind(std::string(1, code));
    }
    m_where += " AND " + column + " IN (" + placeholders + ")";
}

void OrderFilter::Between(const std::string& column, const std::string& low, const std::string& high) {
    m_where += " AND " + column + " BETWEEN " + Bind(low) + " AND " + Bind(high);
}

void OrderFilter::AtLeast(const std::string& column, const std::string& low) {
    m_where += " AND " + column + " >= " + Bind(low);
}

void OrderFilter::AtMost(const std::string& column, const std::string& high) {
    m_where += " AND " + column + " <= " + Bind(high);
}

void OrderFilter::ItemExists(const std::function<void(OrderFilter&)>& build) {
    auto outer = std::move(m_where);
    m_where.clear();
    build(*this);
    m_where = outer +
              " AND EXISTS (SELECT 1 FROM ITEMPEDIDO IT WHERE IT.CDFILIAL = P.CDFILIAL AND IT.NRPEDIDO = " +
              "P.NRPEDIDO" + m_where + ")";
}

} // namespace pedserver
