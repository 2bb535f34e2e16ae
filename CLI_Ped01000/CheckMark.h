#pragma once

#include "data/DataSet.h"
#include "data/RowPass.h"

#include <string>
#include <string_view>

// The check mark of a grid row, the field IDCHECK: "S" checked, "N" unchecked but selectable,
// anything else (the module writes only the empty text) disabled.
namespace CheckMark {

inline constexpr std::string_view Checked = "S";
inline constexpr std::string_view Unchecked = "N";
inline constexpr std::string_view Disabled = "";

std::string Of(const data::DataSet& dataSet);
// One row edit: the row goes into edit state, gets the mark and is posted; nothing else changes.
void Set(data::DataSet& dataSet, std::string_view mark);

// The current item's situation, IDSITITEMPED.
std::string ItemSituation(const data::DataSet& items);
// Liquidated and partly delivered items: no click ever selects them.
bool IsLockedItemSituation(const std::string& situation);
// The first of the two situation groups of an item selection: pending and confirmed items.
bool IsPendingItemSituation(const std::string& situation);

// Visits the rows in dataset order until `stop` returns true, keeping the operator's place:
// the current row's key is noted in keyMemory, the display is suspended, and on every path the
// key is located again (the first row when it is gone) and the display resumed. True when a
// visit stopped the pass.
template <class Stop>
bool FindRow(data::DataSet& dataSet, const std::string& keyField, std::string& keyMemory, Stop stop) {
    if (!dataSet.Active())
        return false;
    keyMemory = dataSet.FieldByName(keyField).AsString();
    data::RowPass pass(dataSet, keyField);
    bool found = false;
    for (dataSet.First(); !found && !dataSet.Eof(); dataSet.Next())
        found = stop();
    pass.Restore();
    return found;
}

template <class Visit>
void ForEachRow(data::DataSet& dataSet, const std::string& keyField, std::string& keyMemory, Visit visit) {
    FindRow(dataSet, keyField, keyMemory, [&] {
        visit();
        return false;
    });
}

} // namespace CheckMark
