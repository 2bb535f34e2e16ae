#pragma once

#include "ResultSink.h"

#include <nlohmann/json.hpp>
#include <vector>

namespace pedclient {

// Parser events of one JSON value made back into its tree (for the small parts of an answer
// that are kept whole, such as an error).
class JsonTreeBuilder : public ResultSink {
public:
    // The value built; the builder is empty again afterwards.
    nlohmann::json Take();

    bool null() override { return Put(nullptr); }
    bool boolean(bool value) override { return Put(value); }
    bool number_integer(number_integer_t value) override { return Put(value); }
    bool number_unsigned(number_unsigned_t value) override { return Put(value); }
    bool number_float(number_float_t value, const string_t&) override { return Put(value); }
    bool string(string_t& value) override { return Put(std::move(value)); }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override { return Open(nlohmann::json::object()); }
    bool start_array(std::size_t) override { return Open(nlohmann::json::array()); }
    bool key(string_t& name) override;
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    bool Put(nlohmann::json value);
    bool Open(nlohmann::json container);
    bool Close();

    nlohmann::json m_root;
    // The open containers, innermost last; an object's slot for the next value is its last key.
    std::vector<nlohmann::json*> m_open;
    std::vector<std::string> m_keys;
};

} // namespace pedclient
