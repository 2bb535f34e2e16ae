#include "TParams.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

} // namespace

const TParam* TParams::FindParam(std::string_view name) const {
    const auto found = std::find_if(m_params.begin(), m_params.end(),
                                    [&](const TParam& param) { return SameName(param.Name(), name); });
    return found == m_params.end() ? nullptr : &*found;
}

TParam* TParams::FindParam(std::string_view name) {
    return const_cast<TParam*>(std::as_const(*this).FindParam(name));
}

TParam& TParams::ParamByName(std::string_view name) {
    if (TParam* param = FindParam(name)) {
        return *param;
    }
    throw std::invalid_argument("Parâmetro " + std::string(name) + " não encontrado.");
}

void TParams::Reset(const std::vector<std::string>& names) {
    m_params.clear();
    for (const auto& name : names) {
        if (!FindParam(name)) {
            m_params.emplace_back(name);
        }
    }
}
