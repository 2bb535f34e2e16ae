#include "DtmDBGeral.h"

#include "LookupSession.h"

#include <memory>
#include <stdexcept>

namespace {

std::unique_ptr<LookupSession>& Session() {
    static std::unique_ptr<LookupSession> session;
    return session;
}

} // namespace

void dtmDBGeral::Open() {
    Session() = std::make_unique<LookupSession>();
}

void dtmDBGeral::Close() {
    Session().reset();
}

bool dtmDBGeral::Connected() {
    return Session() != nullptr;
}

LookupSession& dtmDBGeral::adcGeral() {
    if (!Session())
        throw std::runtime_error("Não há conexão com o banco de dados.");
    return *Session();
}
