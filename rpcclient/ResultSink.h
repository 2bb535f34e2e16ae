#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>

namespace simdjson::dom {
class element;
}

namespace pedclient {

// Where one answer's "result" goes: the parser's events of it. When the answer was parsed into a
// tree first, the sink is offered the result's tree before any event: a sink that reads what it
// needs straight from the tree spares the events and the copies of every text they make.
class ResultSink : public nlohmann::json_sax<nlohmann::json> {
public:
    // Reads `value` whole and returns true, or takes nothing of it and returns false, and then
    // its events follow. A value nesting containers deeper than `levels` must be left to the
    // events, which refuse the answer.
    virtual bool TakeWhole(const simdjson::dom::element& /*value*/, std::size_t /*levels*/) { return false; }
};

} // namespace pedclient
