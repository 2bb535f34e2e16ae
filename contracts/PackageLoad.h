#pragma once

#include "PackageInfo.h"

#include <array>
#include <cstddef>

// Runs a package's unit routines for its load hooks: each unit's initialisation once per load,
// in table order, and the finalisations of the initialised units in reverse order, which ends
// the load, so an Initialize after it starts a new one.
template <std::size_t N> class PackageLoad {
public:
    explicit constexpr PackageLoad(const std::array<PackageUnitEntry, N>& units) : m_units(units) {}

    void Initialize() {
        for (std::size_t i = 0; i < N; ++i) {
            if (m_initialised[i])
                continue;
            if (m_units[i].Init)
                m_units[i].Init();
            m_initialised[i] = true;
        }
    }

    void Finalize() {
        for (std::size_t i = N; i-- > 0;) {
            if (!m_initialised[i])
                continue;
            m_initialised[i] = false;
            if (m_units[i].FInit)
                m_units[i].FInit();
        }
    }

private:
    const std::array<PackageUnitEntry, N>& m_units;
    std::array<bool, N> m_initialised{};
};
