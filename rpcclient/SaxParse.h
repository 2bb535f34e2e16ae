#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace simdjson::dom {
class element;
}

namespace pedclient {

// Offered the value of each object member of a text parsed as a tree, right after the member's
// key event and before the value's events: true when it took the value, whose events are then
// not given.
class MemberValueTaker {
public:
    virtual bool TakeMemberValue(const simdjson::dom::element& value) = 0;

protected:
    ~MemberValueTaker() = default;
};

// Gives the events of the JSON `text` to `sink` exactly as nlohmann's strict SAX parse would, and
// returns whether the whole text was read. A valid text is parsed by simdjson, several times
// faster than nlohmann's lexer on the large answers of a load, and its tree replayed as events
// (offering members' values to `taker` first, when there is one); any text simdjson refuses (bad
// JSON, numbers it does not hold) goes to nlohmann's parser, so that what is accepted and
// refused, and how, never changes.
bool SaxParse(const std::string& text, nlohmann::json_sax<nlohmann::json>& sink,
              MemberValueTaker* taker = nullptr);

} // namespace pedclient
