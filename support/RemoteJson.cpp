#include "RemoteJson.h"

#include "data/DateTime.h"
#include "data/PacketCodec.h"
#include "protocol/JsonText.h"

#include <nlohmann/json.hpp>

namespace {

// Appends one argument's JSON text; the calls of a load are texts, written without a JSON value.
struct ArgWriter {
    std::string& json;

    void operator()(const std::string& text) const { protocol::AppendJsonString(json, text); }
    void operator()(const RemoteDate& date) const {
        if (date.Value == 0)
            json += "null";
        else
            protocol::AppendJsonString(json, data::DateToIso(date.Value));
    }
    // Read back as JSON first: a packet text that is not UTF-8 is refused here, as a call's own
    // failure, rather than sent.
    void operator()(const data::Packet& packet) const {
        json += protocol::JsonText(nlohmann::json::parse(data::SerializePacket(packet)));
    }
};

} // namespace

std::string RemoteArgsToText(const std::vector<RemoteArg>& args) {
    std::string json = "[";
    for (const auto& arg : args) {
        if (json.size() > 1)
            json += ',';
        std::visit(ArgWriter{json}, arg);
    }
    json += ']';
    return json;
}
