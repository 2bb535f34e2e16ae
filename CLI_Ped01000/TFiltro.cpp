#include "CLI_Ped01000/TFiltro.h"

void TFiltro::Reset() {
    NrPedido = TNrPedido{};
    boNormal = boAlta = boUrgente = true;
    boPPendente = boPAndamento = boPLiquidado = boPCancelado = boPParcialmente = true;
    boIPendente = boIConfirmado = boIAprovado = boILiquidado = boICancelado = boIParcialmente = true;
    Produto = TProduto{true, {}};
    Vendedor = TVendedor{true, {}};
    Cliente = TCliente{true, {}};
    dtDeEntrega = dtAteEntrega = dtDeEmissao = dtAteEmissao = 0;
}

void TFiltro::ReleaseTexts() {
    for (std::string* text : {&NrPedido.stDe, &NrPedido.stAte, &NrPedido.stLista, &Produto.stLista,
                              &Vendedor.stLista, &Cliente.stLista, &stReservado})
        std::string().swap(*text);
}
