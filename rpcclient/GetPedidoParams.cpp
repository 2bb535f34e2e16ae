#include "GetPedidoParams.h"

namespace pedclient {

namespace {

nlohmann::json Date(const std::optional<std::string>& date) {
    return date ? nlohmann::json(*date) : nullptr;
}

} // namespace

nlohmann::json GetPedidoParams::ToJson() const {
    return nlohmann::json::array({cdFilial,        vendedor,         tVendedor,        cliente,
                                  tCliente,        produto,          tProduto,         prioridade,
                                  sitPedido,       Date(deEmissao),  Date(ateEmissao), tEmissao,
                                  Date(deEntrega), Date(ateEntrega), tEntrega,         deNrPedido,
                                  ateNrPedido,     nrPedido,         tNrPedido,        sitItemPedido});
}

} // namespace pedclient
