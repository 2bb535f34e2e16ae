#pragma once

#include "data/FieldType.h"
#include "data/Value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace data {

// A packet's cell as its field holds it, by the kind of JSON scalar the cell arrives as; nullopt
// when the field's type refuses it. Every reader of packets converts through these, so a cell
// reads the same whichever way its text was parsed.
std::optional<Value> CellFromString(std::string& text, FieldType type); // moves the text only when accepted
std::optional<Value> CellFromInteger(std::int64_t number, FieldType type);
std::optional<Value> CellFromUnsigned(std::uint64_t number, FieldType type);
std::optional<Value> CellFromFloat(double number, FieldType type);
std::optional<Value> CellFromBoolean(bool flag, FieldType type);

// The type a field's "type" names ("string", "float", ...), or nullopt for an unknown name.
std::optional<FieldType> FieldTypeNamed(std::string_view name);

} // namespace data
