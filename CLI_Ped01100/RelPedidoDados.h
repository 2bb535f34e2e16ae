#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the order report prints, as the server gave it: texts ready to show, money in centavos
// so that totals are exact.
struct PedidoRel {
    std::string nrPedido;
    std::string dtPedido; // "10/05/2024"
    std::string idSitPedido;
    std::string cdCliente;
    std::string nmCliente;
    std::string cdVendedor;
    std::string nmVendedor;
    std::int64_t vrPedido = 0;
    std::int64_t vrCancelado = 0;
};

struct ItemRel {
    std::string nrPedido;
    std::string nrItem;
    std::string cdProduto;
    std::string nmProduto;
    std::string quantidade; // "2,5"
    std::string unidade;
    std::string preco; // "12,3400"
    std::int64_t vrItem = 0;
    std::string idSitItem;
};

struct HistoricoRel {
    std::string nrPedido;
    std::string nrItem; // empty on the order's own line
    std::string idOperacao;
    std::string dtOperacao; // "10/05/2024 14:30"
    std::string cdOperador;
    std::string nmOperador;
    std::string cdJust;
    std::string dsJust;
    std::optional<std::int64_t> vrItem;
};

struct RelPedidoDados {
    std::vector<PedidoRel> pedidos;
    std::vector<ItemRel> itens;
    std::vector<HistoricoRel> historico;
};

// What the operator chose to print besides the orders.
struct RelPedidoOpcoes {
    bool itens = false;
    bool historico = false;
};
