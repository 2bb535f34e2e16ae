#include "CLI_Ped01000/CheckMark.h"

namespace CheckMark {

std::string Of(const data::DataSet& dataSet) {
    return dataSet.FieldByName("IDCHECK").AsString();
}

void Set(data::DataSet& dataSet, std::string_view mark) {
    dataSet.Edit();
    dataSet.FieldByName("IDCHECK").SetAsString(mark);
    dataSet.Post();
}

std::string ItemSituation(const data::DataSet& items) {
    return items.FieldByName("IDSITITEMPED").AsString();
}

bool IsLockedItemSituation(const std::string& situation) {
    return situation == "4" || situation == "6" || situation == "7";
}

bool IsPendingItemSituation(const std::string& situation) {
    return situation == "1" || situation == "2";
}

} // namespace CheckMark
