#include "LookupSession.h"

#include "Morvale.h"
#include "TNetConnection.h"
#include "protocol/LookupCatalogue.h"
#include "data/Utf8.h"

#include <algorithm>
#include <stdexcept>

namespace {

// The parameters as the server takes them: a packet of one row, a text field per parameter.
data::Packet ParameterPacket(const LookupRequest& request) {
    data::Packet packet;
    auto& row = packet.Rows.emplace_back();
    for (const auto& [name, value] : request.Params) {
        const int size = value ? static_cast<int>(std::max<std::size_t>(1, data::utf8::Length(*value))) : 1;
        packet.Fields.push_back({name, data::FieldType::String, size});
        row.push_back(value ? data::Value(*value) : data::Value{});
    }
    return packet;
}

RemoteCall CallOf(const LookupRequest& request) {
    return {std::string(lookups::Method), {request.Sql, ParameterPacket(request)}};
}

} // namespace

LookupSession::LookupSession() : m_connection(std::make_unique<TNetConnection>("dtmDBGeral")) {
    m_connection->SetServerName(std::string(lookups::ModuleName));
    // Lookups are the host's, not the module's calls: the call log that scripts read leaves them out.
    m_connection->SetRecordsCalls(false);
    Connection();
}

LookupSession::~LookupSession() = default;

TNetConnection& LookupSession::Connection() {
    if (!m_connection->Connected()) {
        m_connection->SetHost(Morvale::WebURL());
        m_connection->SetPort(Morvale::WebPort());
        m_connection->Open();
    }
    return *m_connection;
}

data::Packet LookupSession::Query(const LookupRequest& request) {
    const RemoteCall call = CallOf(request);
    const RemoteResult result = Connection().Call(call.Method, call.Args);
    if (!result.Ok)
        throw std::runtime_error(result.Message);
    return result.Packet.value_or(data::Packet{});
}

std::vector<RemoteResult> LookupSession::QueryAll(const std::vector<LookupRequest>& requests) {
    std::vector<RemoteCall> calls;
    for (const LookupRequest& request : requests)
        calls.push_back(CallOf(request));
    return Connection().CallBatch(calls);
}
