#include "JsonTreeBuilder.h"

#include <utility>

namespace pedclient {

nlohmann::json JsonTreeBuilder::Take() {
    m_open.clear();
    m_keys.clear();
    return std::exchange(m_root, nlohmann::json());
}

bool JsonTreeBuilder::key(string_t& name) {
    m_keys.back() = std::move(name);
    return true;
}

bool JsonTreeBuilder::Put(nlohmann::json value) {
    if (m_open.empty()) {
        m_root = std::move(value);
        return true;
    }
    nlohmann::json& container = *m_open.back();
    if (container.is_object())
        container[m_keys.back()] = std::move(value);
    else
        container.push_back(std::move(value));
    return true;
}

bool JsonTreeBuilder::Open(nlohmann::json container) {
    nlohmann::json* slot = nullptr;
    if (m_open.empty()) {
        m_root = std::move(container);
        slot = &m_root;
    } else if (m_open.back()->is_object()) {
        slot = &((*m_open.back())[m_keys.back()] = std::move(container));
    } else {
        m_open.back()->push_back(std::move(container));
        slot = &m_open.back()->back();
    }
    m_open.push_back(slot);
    m_keys.emplace_back();
    return true;
}

bool JsonTreeBuilder::Close() {
    m_open.pop_back();
    m_keys.pop_back();
    return true;
}

} // namespace pedclient
