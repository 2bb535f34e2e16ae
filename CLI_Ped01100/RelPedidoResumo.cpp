#include "CLI_Ped01100/RelPedidoResumo.h"

#include "CLI_Ped01100/RelPedidoTextos.h"

namespace {

bool IsCancellation(const std::string& operation) {
    return operation == "CP" || operation == "CI";
}

// An order's operations are its own line; an item's are the item lines.
bool CountsAsOperation(const HistoricoRel& line) {
    const bool itemOperation = line.idOperacao == "CI" || line.idOperacao == "DI";
    return itemOperation == !line.nrItem.empty();
}

} // namespace

RelPedidoResumo RelPedidoResumo::Calcula(const RelPedidoDados& dados) {
    RelPedidoResumo resumo;
    for (const auto& pedido : dados.pedidos) {
        ++resumo.pedidos;
        resumo.valorPedidos += pedido.vrPedido;
        resumo.valorCancelado += pedido.vrCancelado;
    }
    std::map<std::string, Justificativa> justificativas;
    std::map<std::string, int> operacoes;
    for (const auto& linha : dados.historico) {
        if (IsCancellation(linha.idOperacao) && linha.vrItem) {
            auto& entry = justificativas[linha.cdJust];
            entry.texto = linha.cdJust + " - " + linha.dsJust;
            entry.valor += *linha.vrItem;
        }
        if (CountsAsOperation(linha))
            ++operacoes[linha.idOperacao];
    }
    for (auto& [code, entry] : justificativas)
        resumo.porJustificativa.push_back(std::move(entry));
    for (const char* code : {"CP", "RP", "CI", "DI"})
        resumo.porOperacao.push_back({RelPedidoTextos::Operacao(code), operacoes[code]});
    return resumo;
}
