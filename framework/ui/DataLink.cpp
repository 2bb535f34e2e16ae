#include "ui/DataLink.h"

#include "data/DataSet.h"
#include "data/DataSource.h"

namespace ui {

DataLink::Token::~Token() {
    // The subscription died with the source, not through Detach: the source is gone.
    if (Link)
        Link->m_source = nullptr;
}

DataLink::~DataLink() {
    Detach();
}

bool DataLink::SetSource(data::DataSource* source) {
    if (source == m_source)
        return false;
    Detach();
    if (!source)
        return true;
    auto token = std::make_shared<Token>();
    token->Link = this;
    m_token = token;
    m_source = source;
    m_subscription = source->Subscribe([this, token](data::DataSetChange change) {
        if (token->Link)
            m_onChange(change);
    });
    return true;
}

data::DataSet* DataLink::ActiveDataSet() const {
    data::DataSet* dataSet = m_source ? m_source->GetDataSet() : nullptr;
    return dataSet && dataSet->Active() ? dataSet : nullptr;
}

void DataLink::Detach() {
    if (auto token = m_token.lock())
        token->Link = nullptr;
    if (m_source)
        m_source->Unsubscribe(m_subscription);
    m_source = nullptr;
    m_subscription = 0;
    m_token.reset();
}

} // namespace ui
