#pragma once

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace data {

// Subscribers to a change notification, each known by the id Add returned. A subscriber may
// remove itself or others while it is being told, so each one is looked up again just before
// it is called: a removed subscriber is never called afterwards.
template <class... Args> class ListenerList {
public:
    using Listener = std::function<void(Args...)>;

    int Add(Listener listener) {
        const int id = m_nextId++;
        m_items.emplace_back(id, std::move(listener));
        return id;
    }

    void Remove(int id) {
        std::erase_if(m_items, [id](const auto& item) { return item.first == id; });
    }

    void Notify(Args... args) {
        std::vector<int> ids;
        ids.reserve(m_items.size());
        for (const auto& item : m_items)
            ids.push_back(item.first);
        for (int id : ids) {
            const auto it = std::find_if(m_items.begin(), m_items.end(),
                                         [id](const auto& item) { return item.first == id; });
            if (it == m_items.end())
                continue;
            // A copy, because the listener may remove itself while it runs.
            const Listener listener = it->second;
            listener(args...);
        }
    }

private:
    int m_nextId = 1;
    std::vector<std::pair<int, Listener>> m_items;
};

} // namespace data
