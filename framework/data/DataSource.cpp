#include "data/DataSource.h"

#include "data/DataSet.h"

#include <algorithm>

namespace data {

DataSource::~DataSource() {
    if (m_dataSet) {
        m_dataSet->Unsubscribe(m_dataSetSubscription);
        m_dataSet->DetachSource(this);
    }
}

void DataSource::SetName(std::string name) {
    if (name == m_name) {
        return;
    }
    m_name = std::move(name);
}

void DataSource::SetDataSet(DataSet* dataSet) {
    if (dataSet == m_dataSet) {
        return;
    }
    if (m_dataSet) {
        m_dataSet->Unsubscribe(m_dataSetSubscription);
        m_dataSet->DetachSource(this);
    }
    m_dataSet = dataSet;
    m_dataSetSubscription = 0;
    if (m_dataSet) {
        m_dataSet->AttachSource(this);
        m_dataSetSubscription = m_dataSet->Subscribe([this](DataSetChange change) { Forward(change); });
    }
    m_lastState = m_dataSet ? m_dataSet->State() : DataSetState::Inactive;
    Broadcast(DataSetChange::DataChanged);
    if (OnStateChange) {
        OnStateChange(*this);
    }
}

int DataSource::Subscribe(std::function<void(DataSetChange)> listener) {
    const int id = m_nextListenerId++;
    m_listeners.emplace_back(id, std::move(listener));
    return id;
}

void DataSource::Unsubscribe(int id) {
    std::erase_if(m_listeners, [id](const auto& listener) { return listener.first == id; });
}

void DataSource::Forward(DataSetChange change) {
    Broadcast(change);
    CheckState();
}

void DataSource::Broadcast(DataSetChange change) {
    std::vector<int> ids;
    ids.reserve(m_listeners.size());
    for (const auto& listener : m_listeners) {
        ids.push_back(listener.first);
    }
    for (int id : ids) {
        const auto it = std::find_if(m_listeners.begin(), m_listeners.end(),
                                     [id](const auto& listener) { return listener.first == id; });
        if (it != m_listeners.end()) {
            const auto listener = it->second;
            listener(change);
        }
    }
}

// The state is compared rather than taken from StateChanged alone, because a dataset whose
// controls were disabled reports its changes as one DataChanged.
void DataSource::CheckState() {
    const DataSetState state = m_dataSet ? m_dataSet->State() : DataSetState::Inactive;
    if (state == m_lastState) {
        return;
    }
    m_lastState = state;
    if (OnStateChange) {
        OnStateChange(*this);
    }
}

void DataSource::DataSetDestroyed() {
    m_dataSet = nullptr;
    m_dataSetSubscription = 0;
    m_lastState = DataSetState::Inactive;
    Broadcast(DataSetChange::DataChanged);
    if (OnStateChange) {
        OnStateChange(*this);
    }
}

} // namespace data
