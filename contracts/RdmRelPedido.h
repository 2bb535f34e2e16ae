#pragma once

#include "RemoteResult.h"
#include "TNetConnection.h"

#include <string>

// The methods of the remote data module "Ped01100.rdmRelPedido" (the order report) over an open
// TNetConnection whose server name is TNetConnection::ReportServerName. Each takes the same
// period filter and returns the server's answer unchecked, for Consiste::CheckResultServ.
class RdmRelPedido {
public:
    // Dates are date values; situacoes holds one code character per order situation; an empty
    // vendedor means every seller the operator may see.
    struct Filtro {
        std::string cdFilial;
        std::string operador;
        double deEmissao = 0;
        double ateEmissao = 0;
        std::string situacoes;
        std::string vendedor;
    };

    explicit RdmRelPedido(TNetConnection& connection) : m_connection(connection) {}

    RemoteResult GetRelPedido(const Filtro& filtro);
    RemoteResult GetRelItemPedido(const Filtro& filtro);
    RemoteResult GetRelHistorico(const Filtro& filtro);

private:
    RemoteResult Call(const std::string& method, const Filtro& filtro);

    TNetConnection& m_connection;
};
