#pragma once

#include <string>

namespace sqldb {
class Connection;
}

// The host's shared lookup database: one session that every TADOIBQuery reads through. The data
// module's three connection names (adcGeral, dtbGeral, ibtGeral) all denote that one session.
// Used from the UI thread only.
class dtmDBGeral {
public:
    dtmDBGeral() = delete;

    // "sqlite:PATH" or "postgresql://..."; replaces an open session. Throws std::runtime_error
    // with a Portuguese message when the database cannot be opened.
    static void Open(const std::string& url);
    static void Close();
    static bool Connected();
    // The URL of the open session; empty when closed.
    static const std::string& Url();

    // The session; throws std::runtime_error with a Portuguese message when none is open.
    static sqldb::Connection& adcGeral();
    static sqldb::Connection& dtbGeral() { return adcGeral(); }
    static sqldb::Connection& ibtGeral() { return adcGeral(); }
};
