#include "RemoteJson.h"

#include "data/DateTime.h"
#include "data/PacketCodec.h"
#include "data/PacketReader.h"

#include <stdexcept>

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

bool ReturnsPacket(const std::string& method) {
    return method.size() > 3 && (method.starts_with("Get") || method.starts_with("get"));
}

} // namespace

nlohmann::json RemoteArgsToJson(const std::vector<RemoteArg>& args) {
    auto params = nlohmann::json::array();
    for (const auto& arg : args) {
        params.push_back(std::visit(ArgToJson{}, arg));
    }
    return params;
}

RemoteResult RemoteResultFromJson(const std::string& method, const nlohmann::json& result) {
    RemoteResult remote;
    if (ReturnsPacket(method)) {
        const auto packet = result.is_object() ? result.find("packet") : result.end();
        if (packet == result.end() || !packet->is_object()) {
            throw std::runtime_error(method + " não devolveu o pacote de dados");
        }
        remote.Packet = data::PacketReader::Read(*packet);
    } else {
        const auto status = result.is_object() ? result.find("status") : result.end();
        const auto rows = result.is_object() ? result.find("rows") : result.end();
        if (status == result.end() || *status != "ok" || rows == result.end() || !rows->is_number_integer()) {
            throw std::runtime_error(method + " não devolveu a situação da operação");
        }
        remote.Rows = rows->get<std::int64_t>();
    }
    remote.Ok = true;
    return remote;
}
