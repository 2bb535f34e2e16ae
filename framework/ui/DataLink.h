#pragma once

#include "data/DataSetState.h"

#include <functional>
#include <memory>

namespace data {
class DataSet;
class DataSource;
} // namespace data

namespace ui {

// A data-aware control's connection to its data source. It hears the source's changes and
// survives the source going away first: the source then simply counts as unset.
class DataLink {
public:
    explicit DataLink(std::function<void(data::DataSetChange)> onChange) : m_onChange(std::move(onChange)) {}
    ~DataLink();
    DataLink(const DataLink&) = delete;
    DataLink& operator=(const DataLink&) = delete;

    data::DataSource* Source() const { return m_source; }
    // Returns false when the source is already the given one.
    bool SetSource(data::DataSource* source);
    // The bound, open dataset; nullptr otherwise.
    data::DataSet* ActiveDataSet() const;

private:
    struct Token {
        DataLink* Link = nullptr;
        ~Token();
    };

    void Detach();

    std::function<void(data::DataSetChange)> m_onChange;
    data::DataSource* m_source = nullptr;
    int m_subscription = 0;
    std::weak_ptr<Token> m_token;
};

} // namespace ui
