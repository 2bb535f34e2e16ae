#include "TParam.h"

void TParam::SetAsString(std::string text) {
    m_value = std::move(text);
    m_assigned = true;
}

void TParam::SetAsInteger(std::int64_t number) {
    m_value = number;
    m_assigned = true;
}

void TParam::Clear() {
    m_value = data::Value{};
    m_assigned = true;
}
