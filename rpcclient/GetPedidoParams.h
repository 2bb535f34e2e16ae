#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace pedclient {

// The twenty parameters of GetPedido, in their order on the wire. The defaults ask for every
// order of the branch. "T" in a T... member lifts that criterion; dates are "YYYY-MM-DD" or none.
struct GetPedidoParams {
    std::string cdFilial = {};
    std::string vendedor = {};
    std::string tVendedor = "T";
    std::string cliente = {};
    std::string tCliente = "T";
    std::string produto = {};
    std::string tProduto = "T";
    std::string prioridade = "321";
    std::string sitPedido = "1246";
    std::optional<std::string> deEmissao = {};
    std::optional<std::string> ateEmissao = {};
    std::string tEmissao = "T";
    std::optional<std::string> deEntrega = {};
    std::optional<std::string> ateEntrega = {};
    std::string tEntrega = "T";
    std::string deNrPedido = {};
    std::string ateNrPedido = {};
    std::string nrPedido = {};
    std::string tNrPedido = "T";
    std::string sitItemPedido = "1234657";

    nlohmann::json ToJson() const;
};

} // namespace pedclient
