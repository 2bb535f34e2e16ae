#include "data/RowPass.h"

namespace data {

RowPass::RowPass(DataSet& dataSet, std::string keyField)
    : m_dataSet(dataSet), m_keyField(std::move(keyField)) {
    if (!m_dataSet.IsEmpty()) {
        m_key = m_dataSet.FieldByName(m_keyField).GetValue();
    }
    m_dataSet.DisableControls();
}

RowPass::~RowPass() {
    if (m_restored) {
        return;
    }
    try {
        Restore();
    } catch (...) {
        // Already leaving through an exception; the display has been resumed regardless.
    }
}

void RowPass::Restore() {
    if (m_restored) {
        return;
    }
    m_restored = true;
    try {
        if (m_dataSet.Active() && !m_dataSet.IsEmpty() && !m_dataSet.Locate(m_keyField, m_key, true)) {
            m_dataSet.First();
        }
    } catch (...) {
        m_dataSet.EnableControls();
        throw;
    }
    m_dataSet.EnableControls();
}

} // namespace data
