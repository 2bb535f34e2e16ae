#pragma once

namespace data {

enum class FieldType { String, Float, Integer, Date, DateTime, Boolean };

enum class Alignment { Left, Right, Center };

} // namespace data
