#include "CLI_Ped01000/TextoStatus.h"

std::string TextoQuantidade(int quantidade, const std::string& singular, const std::string& plural) {
    return std::to_string(quantidade) + " " + (quantidade == 1 ? singular : plural);
}

std::string TextoResumo(bool carregados, int pedidos, int pedidosMarcados, int itensMarcados) {
    if (!carregados)
        return "";
    std::string texto = pedidos == 0 ? "Nenhum pedido carregado"
                                     : TextoQuantidade(pedidos, "pedido carregado", "pedidos carregados");
    if (pedidosMarcados > 0)
        texto += "; " + TextoQuantidade(pedidosMarcados, "pedido marcado", "pedidos marcados");
    else if (itensMarcados > 0)
        texto += "; " + TextoQuantidade(itensMarcados, "item marcado", "itens marcados");
    return texto;
}
