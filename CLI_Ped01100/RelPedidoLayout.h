#pragma once

#include "CLI_Ped01100/RelPedidoDados.h"
#include "report/Document.h"
#include "report/PageHeader.h"

// Lays the order report out: orders grouped by situation, each with its items and its
// cancellation history when asked for, a total per group and a closing summary. Rows never
// split across pages; an empty report says "Nenhum pedido no período.".
report::Document MontaRelPedido(const RelPedidoDados& dados, const RelPedidoOpcoes& opcoes,
                                const report::PageHeader& cabecalho);
