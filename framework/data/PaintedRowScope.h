#pragma once

namespace data {

class DataSet;

// While alive, field reads on the dataset return the given display row (0-based) without
// moving the cursor or running any event. Scopes nest.
class PaintedRowScope {
public:
    PaintedRowScope(DataSet& dataSet, int displayRow);
    ~PaintedRowScope();
    PaintedRowScope(const PaintedRowScope&) = delete;
    PaintedRowScope& operator=(const PaintedRowScope&) = delete;

private:
    DataSet& m_dataSet;
    int m_previous;
};

} // namespace data
