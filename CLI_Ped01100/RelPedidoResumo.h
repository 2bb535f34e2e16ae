#pragma once

#include "CLI_Ped01100/RelPedidoDados.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The closing summary of the order report.
struct RelPedidoResumo {
    struct Justificativa {
        std::string texto; // "0001 - Cliente desistiu"
        std::int64_t valor = 0;
    };
    struct Operacao {
        std::string nome; // "Cancelamento"
        int quantidade = 0;
    };

    int pedidos = 0;
    std::int64_t valorPedidos = 0;
    std::int64_t valorCancelado = 0;
    // The value of the items each justification cancelled (order and item cancellations), by code.
    std::vector<Justificativa> porJustificativa;
    // How many times each operation was done: an order's cancellation or reinstatement once per
    // order, an item's cancellation or its undoing once per item.
    std::vector<Operacao> porOperacao;

    static RelPedidoResumo Calcula(const RelPedidoDados& dados);
};
