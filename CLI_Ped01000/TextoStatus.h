#pragma once

#include <string>

// "1 pedido cancelado." / "2 pedidos cancelados.": a count with the word that follows it in the
// singular or the plural; "Nenhum ..." is left to the caller.
std::string TextoQuantidade(int quantidade, const std::string& singular, const std::string& plural);

// The status bar's summary of the orders screen: how many orders are loaded and how many orders
// or items are checked; "" while no orders are loaded (the branch code has the focus).
std::string TextoResumo(bool carregados, int pedidos, int pedidosMarcados, int itensMarcados);
