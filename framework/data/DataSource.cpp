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
    m_listeners.Notify(DataSetChange::DataChanged);
    if (OnStateChange) {
        OnStateChange(*this);
    }
}

int DataSource::Subscribe(std::function<void(DataSetChange)> listener) {
    return m_listeners.Add(std::move(listener));
}

void DataSource::Unsubscribe(int id) {
    m_listeners.Remove(id);
}

void DataSource::Forward(DataSetChange change) {
    m_listeners.Notify(change);
    CheckState();
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
    m_listeners.Notify(DataSetChange::DataChanged);
    if (OnStateChange) {
        OnStateChange(*this);
    }
}

} // namespace data
