#pragma once

namespace data {

enum class DataSetState { Inactive, Browse, Edit, CalcFields };

// What a data-aware control is told about its dataset.
enum class DataSetChange {
    DataChanged,   // rows loaded, closed or reordered
    RecordChanged, // a row was posted
    Scrolled,      // the cursor moved
    StateChanged,  // Browse/Edit/Inactive changed
};

} // namespace data
