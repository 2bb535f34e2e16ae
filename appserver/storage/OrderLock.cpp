#include "storage/OrderLock.h"

#include "storage/Timestamps.h"

#include <stdexcept>

namespace pedserver {
namespace {

void SetEditor(sqldb::Connection& connection, const std::string& filial, const std::string& pedido,
               const sqldb::Value& editor, const sqldb::Value& since) {
    connection.Execute("UPDATE PEDIDO SET CDOPERALTE = :OPERADOR, DTOPERALTE = :DESDE "
                       "WHERE CDFILIAL = :FILIAL AND NRPEDIDO = :PEDIDO",
                       {{"OPERADOR", editor}, {"DESDE", since}, {"FILIAL", filial}, {"PEDIDO", pedido}});
    if (connection.Changes() == 0)
        throw std::invalid_argument("pedido " + filial + "/" + pedido + " não cadastrado");
}

} // namespace

void LockOrder(sqldb::Connection& connection, const std::string& filial, const std::string& pedido,
               const std::string& operatorCode) {
    SetEditor(connection, filial, pedido, operatorCode, NowTimestamp());
}

void UnlockOrder(sqldb::Connection& connection, const std::string& filial, const std::string& pedido) {
    SetEditor(connection, filial, pedido, std::monostate{}, std::monostate{});
}

} // namespace pedserver
