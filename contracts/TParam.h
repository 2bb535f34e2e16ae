#pragma once

#include "data/Value.h"

#include <cstdint>
#include <string>

// A :NAME parameter of a lookup query. A parameter nobody assigned makes the query's Open fail,
// so a forgotten assignment shows up instead of silently matching nothing.
class TParam {
public:
    explicit TParam(std::string name) : m_name(std::move(name)) {}

    const std::string& Name() const { return m_name; }
    bool Assigned() const { return m_assigned; }
    const data::Value& Value() const { return m_value; }

    void SetAsString(std::string text);
    void SetAsInteger(std::int64_t number);
    // Binds SQL NULL.
    void Clear();

private:
    std::string m_name;
    data::Value m_value;
    bool m_assigned = false;
};
