#pragma once

#include "TParam.h"

#include <string>
#include <string_view>
#include <vector>

// The parameter list of a lookup query, one entry per distinct name in order of appearance.
// Names compare without regard to letter case.
class TParams {
public:
    int Count() const { return static_cast<int>(m_params.size()); }
    TParam& Items(int index) { return m_params.at(static_cast<std::size_t>(index)); }
    const TParam& Items(int index) const { return m_params.at(static_cast<std::size_t>(index)); }
    TParam* FindParam(std::string_view name);
    const TParam* FindParam(std::string_view name) const;
    // Throws std::invalid_argument naming the missing parameter.
    TParam& ParamByName(std::string_view name);

    // Replaces the list by unassigned parameters of these names.
    void Reset(const std::vector<std::string>& names);

    std::vector<TParam>::const_iterator begin() const { return m_params.begin(); }
    std::vector<TParam>::const_iterator end() const { return m_params.end(); }

private:
    std::vector<TParam> m_params;
};
