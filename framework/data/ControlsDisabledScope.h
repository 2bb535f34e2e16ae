#pragma once

#include "data/DataSet.h"

namespace data {

// DisableControls for a scope; EnableControls on every path.
class ControlsDisabledScope {
public:
    explicit ControlsDisabledScope(DataSet& dataSet) : m_dataSet(dataSet) { m_dataSet.DisableControls(); }
    ~ControlsDisabledScope() { m_dataSet.EnableControls(); }
    ControlsDisabledScope(const ControlsDisabledScope&) = delete;
    ControlsDisabledScope& operator=(const ControlsDisabledScope&) = delete;

private:
    DataSet& m_dataSet;
};

} // namespace data
