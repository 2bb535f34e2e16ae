#pragma once

#include <stdexcept>
#include <string>

namespace data {

// A dataset operation that cannot be carried out (wrong state, unknown field, bad value).
class DataSetError : public std::runtime_error {
public:
    explicit DataSetError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace data
