#include "RemoteJson.h"

#include "data/DateTime.h"
#include "data/PacketCodec.h"

namespace {

struct ArgToJson {
    nlohmann::json operator()(const std::string& text) const { return text; }
    nlohmann::json operator()(const RemoteDate& date) const {
        return date.Value == 0 ? nlohmann::json(nullptr) : nlohmann::json(data::DateToIso(date.Value));
    }
    nlohmann::json operator()(const data::Packet& packet) const {
        return nlohmann::json::parse(data::SerializePacket(packet));
    }
};

} // namespace

nlohmann::json RemoteArgsToJson(const std::vector<RemoteArg>& args) {
    auto params = nlohmann::json::array();
    for (const auto& arg : args) {
        params.push_back(std::visit(ArgToJson{}, arg));
    }
    return params;
}
