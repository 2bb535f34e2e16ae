#pragma once

#include <cstdint>
#include <string>

// The report's names for codes and its money format.
namespace RelPedidoTextos {

// "1.234,56" (and "-0,50").
std::string Valor(std::int64_t centavos);
// Order situations: "Pendente", "Em andamento", "Liquidado", "Cancelado", "Parcial".
std::string SituacaoPedido(const std::string& code);
// The group an order situation prints under: both "liquidated" codes share one.
std::string GrupoSituacao(const std::string& code);
std::string SituacaoItem(const std::string& code);
// "Cancelamento", "Reativação", "Cancelamento de item", "Desfazer cancelamento".
std::string Operacao(const std::string& code);

} // namespace RelPedidoTextos
