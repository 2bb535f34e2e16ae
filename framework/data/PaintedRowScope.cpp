#include "data/PaintedRowScope.h"

#include "data/DataSet.h"
#include "data/DataSetError.h"

namespace data {

PaintedRowScope::PaintedRowScope(DataSet& dataSet, int displayRow)
    : m_dataSet(dataSet), m_previous(dataSet.m_paintedRow) {
    if (displayRow < 0 || displayRow >= dataSet.RecordCount()) {
        throw DataSetError("row " + std::to_string(displayRow) + " of dataset '" + dataSet.Name() +
                           "' cannot be painted: it has " + std::to_string(dataSet.RecordCount()) + " rows");
    }
    m_dataSet.m_paintedRow = displayRow;
}

PaintedRowScope::~PaintedRowScope() {
    m_dataSet.m_paintedRow = m_previous;
}

} // namespace data
