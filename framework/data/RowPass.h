#pragma once

#include "data/DataSet.h"
#include "data/Value.h"

#include <string>

namespace data {

// A pass over a dataset's rows that keeps the operator's place: remembers the current row's
// key, suspends the display, and at the end locates the key again without regard to case (the
// first row when the key is gone) and resumes the display.
//
// Call Restore() at the end of the normal path so that an exception from the scroll event
// reaches the caller; the destructor restores on the other paths and swallows such errors.
class RowPass {
public:
    RowPass(DataSet& dataSet, std::string keyField);
    ~RowPass();
    RowPass(const RowPass&) = delete;
    RowPass& operator=(const RowPass&) = delete;

    const Value& Key() const { return m_key; }
    void Restore();

private:
    DataSet& m_dataSet;
    std::string m_keyField;
    Value m_key;
    bool m_restored = false;
};

} // namespace data
