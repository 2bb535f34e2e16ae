#include "rdm/CodeList.h"

#include "rdm/RpcError.h"
#include "rdm/Thousands.h"
#include "rdm/CharCount.h"

#include <algorithm>

namespace pedserver {

std::vector<std::string> SplitCodes(const std::string& list, std::size_t maxChars, std::size_t maxEntries,
                                    std::string_view what) {
    if (list.empty())
        return {};
    const auto entries = static_cast<std::size_t>(std::count(list.begin(), list.end(), '_')) + 1;
    if (entries > maxEntries)
        throw RpcError(RpcCode::ListTooLong, "Lista de " + std::string(what) + " com mais de " +
                                                 Thousands(maxEntries) +
                                                 " códigos, o limite do servidor: selecione menos códigos.");
    std::vector<std::string> codes;
    codes.reserve(entries);
    for (std::size_t start = 0; start <= list.size();) {
        auto end = list.find('_', start);
        if (end == std::string::npos)
            end = list.size();
        std::string code = list.substr(start, end - start);
        if (code.empty() || CharCount(code) > maxChars)
            throw RpcError(RpcCode::InvalidParams, "Lista de " + std::string(what) + " inválida: código \"" +
                                                       CutToChars(code, 40) + "\".");
        codes.push_back(std::move(code));
        start = end + 1;
    }
    return codes;
}

} // namespace pedserver
