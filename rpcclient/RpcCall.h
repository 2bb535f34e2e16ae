#pragma once

#include "protocol/JsonText.h"

#include <nlohmann/json.hpp>
#include <string>
#include <utility>

namespace pedclient {

// One call to send: its method and its parameters, kept as the JSON text the request carries, so
// that a large batch is not also held as JSON values.
class RpcCall {
public:
    RpcCall(std::string method, const nlohmann::json& params) // NOLINT(google-explicit-constructor)
        : m_method(std::move(method)), m_params(protocol::JsonText(params)) {}

    // Parameters the caller wrote as JSON text itself: an array, as protocol::JsonText writes it.
    static RpcCall WithParamsText(std::string method, std::string params) {
        return RpcCall(std::move(method), std::move(params), AsText{});
    }

    const std::string& Method() const { return m_method; }
    const std::string& ParamsText() const { return m_params; }

private:
    // Tagged, so that a braced list of two texts still means a method and a JSON value.
    struct AsText {};
    RpcCall(std::string method, std::string params, AsText)
        : m_method(std::move(method)), m_params(std::move(params)) {}

    std::string m_method;
    std::string m_params;
};

} // namespace pedclient
