#pragma once

class LookupSession;

// The host's shared lookup session: the one that every TADOIBQuery reads through, on the
// application server (LookupSession). The data module's three connection names (adcGeral,
// dtbGeral, ibtGeral) all denote that one session. Used from the UI thread only.
class dtmDBGeral {
public:
    dtmDBGeral() = delete;

    // Opens the session on the servers of the host values (Morvale), which must be installed;
    // contacts no server. Replaces an open session.
    static void Open();
    static void Close();
    static bool Connected();

    // The session; throws std::runtime_error with a Portuguese message when none is open.
    static LookupSession& adcGeral();
    static LookupSession& dtbGeral() { return adcGeral(); }
    static LookupSession& ibtGeral() { return adcGeral(); }
};
