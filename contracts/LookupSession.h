#pragma once

#include "RemoteResult.h"
#include "data/Packet.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TNetConnection;

// A lookup statement of the catalogue and its parameters (name as the text spells it, and the
// value as text, or none for null).
struct LookupRequest {
    std::string Sql;
    std::vector<std::pair<std::string, std::optional<std::string>>> Params;
};

// The desktop's shared lookup session: catalogued statements that the application server runs
// for the operator of the host's token, on the servers of the host values. The desktop holds no
// database address or credentials. Opening contacts no server; each query is one exchange.
class LookupSession {
public:
    LookupSession();
    ~LookupSession();
    LookupSession(const LookupSession&) = delete;
    LookupSession& operator=(const LookupSession&) = delete;

    // The rows as a packet of the result's columns (texts, integers, reals). Throws
    // std::runtime_error with the Portuguese message of the server or of the connection.
    data::Packet Query(const LookupRequest& request);
    // Several statements in one exchange; one result each, in order, failing on its own.
    std::vector<RemoteResult> QueryAll(const std::vector<LookupRequest>& requests);

private:
    // Open, on the host values' servers.
    TNetConnection& Connection();

    std::unique_ptr<TNetConnection> m_connection;
};
