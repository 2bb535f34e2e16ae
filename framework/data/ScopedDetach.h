#pragma once

#include <utility>

namespace data {

// Detaches an event for a scope: saves and clears the member, restores it on every path.
//     ScopedDetach detach(ds.AfterScroll);
template <class F> class ScopedDetach {
public:
    explicit ScopedDetach(F& slot) : m_slot(slot), m_saved(std::move(slot)) { m_slot = nullptr; }
    ~ScopedDetach() { m_slot = std::move(m_saved); }
    ScopedDetach(const ScopedDetach&) = delete;
    ScopedDetach& operator=(const ScopedDetach&) = delete;

private:
    F& m_slot;
    F m_saved;
};

} // namespace data
