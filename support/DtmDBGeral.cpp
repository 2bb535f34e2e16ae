#include "DtmDBGeral.h"

#include "sqldb/Connection.h"

#include <memory>
#include <stdexcept>

namespace {

struct SharedSession {
    std::unique_ptr<sqldb::Connection> connection;
    std::string url;
};

SharedSession& Session() {
    static SharedSession session;
    return session;
}

} // namespace

void dtmDBGeral::Open(const std::string& url) {
    std::unique_ptr<sqldb::Connection> connection;
    try {
        connection = sqldb::Connection::Open(url);
    } catch (const std::exception& error) {
        throw std::runtime_error("Não foi possível conectar ao banco de dados: " + std::string(error.what()));
    }
    Session().connection = std::move(connection);
    Session().url = url;
}

void dtmDBGeral::Close() {
    Session().connection.reset();
    Session().url.clear();
}

bool dtmDBGeral::Connected() {
    return Session().connection != nullptr;
}

const std::string& dtmDBGeral::Url() {
    return Session().url;
}

sqldb::Connection& dtmDBGeral::adcGeral() {
    if (!Session().connection) {
        throw std::runtime_error("Não há conexão com o banco de dados.");
    }
    return *Session().connection;
}
