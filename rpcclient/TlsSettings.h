#pragma once

#include <string>

namespace pedclient {

// Whether the client speaks HTTPS to a server, and whom it trusts: the system's certificate
// store (/etc/ssl/certs) unless a CA file is named. The server's name is always checked.
struct TlsSettings {
    bool enabled = false;
    std::string caFile; // PEM certificates of the authorities to trust; empty: the system store
};

} // namespace pedclient
