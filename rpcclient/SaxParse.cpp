#include "SaxParse.h"

#include <cstdint>
#include <simdjson.h>
#include <string_view>

namespace pedclient {

namespace {

using Json = nlohmann::json;
using Sink = nlohmann::json_sax<Json>;

// nlohmann does not know a container's size while it parses, and says so.
constexpr std::size_t UnknownSize = static_cast<std::size_t>(-1);

bool Replay(const simdjson::dom::element& element, Sink& sink, MemberValueTaker* taker) {
    switch (element.type()) {
    case simdjson::dom::element_type::ARRAY: {
        if (!sink.start_array(UnknownSize))
            return false;
        const simdjson::dom::array items = element.get_array().value_unsafe();
        for (const simdjson::dom::element item : items) {
            if (!Replay(item, sink, taker))
                return false;
        }
        return sink.end_array();
    }
    case simdjson::dom::element_type::OBJECT: {
        if (!sink.start_object(UnknownSize))
            return false;
        const simdjson::dom::object members = element.get_object().value_unsafe();
        for (const simdjson::dom::key_value_pair member : members) {
            std::string key(member.key);
            if (!sink.key(key))
                return false;
            if (taker && taker->TakeMemberValue(member.value))
                continue;
            if (!Replay(member.value, sink, taker))
                return false;
        }
        return sink.end_object();
    }
    case simdjson::dom::element_type::STRING: {
        std::string text(element.get_string().value_unsafe());
        return sink.string(text);
    }
    case simdjson::dom::element_type::INT64: {
        // nlohmann gives every integer without a sign as unsigned.
        const std::int64_t value = element.get_int64().value_unsafe();
        return value < 0 ? sink.number_integer(value)
                         : sink.number_unsigned(static_cast<Json::number_unsigned_t>(value));
    }
    case simdjson::dom::element_type::UINT64:
        return sink.number_unsigned(element.get_uint64().value_unsafe());
    case simdjson::dom::element_type::DOUBLE:
        return sink.number_float(element.get_double().value_unsafe(), std::string());
    case simdjson::dom::element_type::BOOL:
        return sink.boolean(element.get_bool().value_unsafe());
    case simdjson::dom::element_type::NULL_VALUE:
        return sink.null();
    }
    return false;
}

// Whether the text holds the number -0, which nlohmann reads as a signed integer and simdjson's
// tree cannot tell from 0. Only a number's own text counts: "2024-05-15" is a date.
bool HasNegativeZero(std::string_view text) {
    for (std::size_t at = text.find("-0"); at != std::string_view::npos; at = text.find("-0", at + 1)) {
        const bool starts =
            at == 0 || std::string_view("[,: \t\r\n").find(text[at - 1]) != std::string_view::npos;
        const std::size_t next = at + 2;
        const bool ends = next == text.size() ||
                          std::string_view(".eE0123456789").find(text[next]) == std::string_view::npos;
        if (starts && ends)
            return true;
    }
    return false;
}

} // namespace

bool SaxParse(const std::string& text, Sink& sink, MemberValueTaker* taker) {
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (!HasNegativeZero(text) && parser.parse(text).get(root) == simdjson::SUCCESS)
        return Replay(root, sink, taker);
    return Json::sax_parse(text, &sink, nlohmann::detail::input_format_t::json, true);
}

} // namespace pedclient
