#pragma once

#include "ui/Color.h"

#include <optional>
#include <string>

// How an order or item situation code shows on the screen: the message key of its abbreviation
// (empty when the code has none) and the colour of the row's text (none: the column's own).
struct Situacao {
    std::string Sigla;
    std::optional<ui::Color> Cor;

    bool operator==(const Situacao&) const = default;
};

// IDSITPEDIDO: "1" Pendente, "2" Em Andamento, "3" and "5" Liquidado, "4" Cancelado,
// "6" Parc. Atendido; any other code has no abbreviation and shows in red.
Situacao SituacaoPedido(const std::string& idSitPedido);
// IDSITITEMPED: "1" Pendente, "2" Confirmado, "3" Aprovado, "4" and "6" Liquidado, "5" Cancelado,
// "7" Parc. Atendido; any other code has no abbreviation and keeps the column's colour.
Situacao SituacaoItemPedido(const std::string& idSitItemPed);
