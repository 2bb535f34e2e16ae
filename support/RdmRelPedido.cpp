#include "RdmRelPedido.h"

RemoteResult RdmRelPedido::Call(const std::string& method, const Filtro& filtro) {
    return m_connection.Call(method, {filtro.cdFilial, filtro.operador, RemoteDate{filtro.deEmissao},
                                      RemoteDate{filtro.ateEmissao}, filtro.situacoes, filtro.vendedor});
}

RemoteResult RdmRelPedido::GetRelPedido(const Filtro& filtro) {
    return Call("GetRelPedido", filtro);
}

RemoteResult RdmRelPedido::GetRelItemPedido(const Filtro& filtro) {
    return Call("GetRelItemPedido", filtro);
}

RemoteResult RdmRelPedido::GetRelHistorico(const Filtro& filtro) {
    return Call("GetRelHistorico", filtro);
}
