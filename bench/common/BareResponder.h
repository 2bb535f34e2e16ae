#pragma once

#include <memory>
#include <string>

namespace benchcommon {

// The anchor of the throughput figures: an HTTP/1.1 server on the same library as pedserver
// (Boost.Beast), on loopback, that answers every POST at once with a JSON-RPC answer carrying the
// request's id and a fixed result, with no database and no JSON tree. One thread per connection.
class BareResponder {
public:
    // `result` is the JSON text every answer carries as its "result".
    explicit BareResponder(std::string result);
    ~BareResponder();
    BareResponder(const BareResponder&) = delete;
    BareResponder& operator=(const BareResponder&) = delete;

    int Port() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace benchcommon
