#pragma once

#include "data/DataSetState.h"
#include "data/ListenerList.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace data {

class DataSet;

// Binds data-aware controls to a dataset. Controls subscribe here once; the subscription
// follows whichever dataset is bound. Either side may be destroyed first.
class DataSource {
public:
    DataSource() = default;
    explicit DataSource(std::string name) : m_name(std::move(name)) {}
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    const std::string& Name() const { return m_name; }
    void SetName(std::string name);

    DataSet* GetDataSet() const { return m_dataSet; }
    void SetDataSet(DataSet* dataSet);

    // Runs when the bound dataset's state changes and when the binding changes.
    std::function<void(DataSource&)> OnStateChange;

    // Listeners hear the bound dataset's changes, and DataChanged when the binding changes.
    int Subscribe(std::function<void(DataSetChange)> listener);
    void Unsubscribe(int id);

private:
    friend class DataSet;

    void Forward(DataSetChange change);
    void CheckState();
    void DataSetDestroyed();

    std::string m_name;
    DataSet* m_dataSet = nullptr;
    int m_dataSetSubscription = 0;
    DataSetState m_lastState = DataSetState::Inactive;
    ListenerList<DataSetChange> m_listeners;
};

} // namespace data
