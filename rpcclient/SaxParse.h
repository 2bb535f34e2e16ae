#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace pedclient {

// Gives the events of the JSON `text` to `sink` exactly as nlohmann's strict SAX parse would, and
// returns whether the whole text was read. A valid text is parsed by simdjson, several times
// faster than nlohmann's lexer on the large answers of a load, and its tree replayed as events;
// any text simdjson refuses (bad JSON, numbers it does not hold) goes to nlohmann's parser, so
// that what is accepted and refused, and how, never changes.
bool SaxParse(const std::string& text, nlohmann::json_sax<nlohmann::json>& sink);

} // namespace pedclient
