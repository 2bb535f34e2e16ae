#include "storage/OrderWriter.h"

#include <cstdio>

namespace pedserver {
namespace {

sqldb::Value OrNull(const std::string& text) {
    if (text.empty())
        return std::monostate{};
    return text;
}

} // namespace

std::string OrderNumber(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%010d", number);
    return text;
}

void OrderWriter::Insert(const SeedOrder& order) {
    m_connection.Execute(
        "INSERT INTO PEDIDO (CDFILIAL, NRPEDIDO, CDCLIENTE, CDVENDEDOR, DTPEDIDO, DTENTPED, IDSITPEDIDO, "
        "IDPRIORIDADE, NREMPENHO) VALUES (:FILIAL, :PEDIDO, :CLIENTE, :VENDEDOR, :EMISSAO, :ENTREGA, "
        ":SITUACAO, "
        ":PRIORIDADE, :EMPENHO)",
        {{"FILIAL", order.filial},
         {"PEDIDO", order.number},
         {"CLIENTE", order.client},
         {"VENDEDOR", order.seller},
         {"EMISSAO", order.orderDate},
         {"ENTREGA", order.deliveryDate},
         {"SITUACAO", order.situation},
         {"PRIORIDADE", order.priority},
         {"EMPENHO", OrNull(order.commitment)}});
    int line = 0;
    for (const auto& item : order.items) {
        const auto itemNumber = OrderNumber(++line);
        m_connection.Execute(
            "INSERT INTO ITEMPEDIDO (CDFILIAL, NRPEDIDO, NRITEMPED, CDPRODUTO, QTITEMPED, VRPREUNITPED, "
            "IDSITITEMPED, IDSITANTCANC, QTATENDIDA, CDPRODESTO) VALUES (:FILIAL, :PEDIDO, :ITEM, :PRODUTO, "
            ":QUANTIDADE, :PRECO, :SITUACAO, :ANTERIOR, :ATENDIDA, :PRODUTO2)",
            {{"FILIAL", order.filial},
             {"PEDIDO", order.number},
             {"ITEM", itemNumber},
             {"PRODUTO", item.product},
             {"QUANTIDADE", item.quantity},
             {"PRECO", item.unitPrice},
             {"SITUACAO", item.situation},
             {"ANTERIOR", OrNull(item.previousSituation)},
             {"ATENDIDA", item.delivered},
             {"PRODUTO2", item.product}});
        if (item.lot.empty())
            continue;
        m_connection.Execute("INSERT INTO RESERVALOTE (CDFILIAL, NRPEDIDO, NRITEMPED, NRLOTE, QTRESERVADA) "
                             "VALUES (:FILIAL, :PEDIDO, :ITEM, :LOTE, :QUANTIDADE)",
                             {{"FILIAL", order.filial},
                              {"PEDIDO", order.number},
                              {"ITEM", itemNumber},
                              {"LOTE", item.lot},
                              {"QUANTIDADE", item.quantity}});
    }
}

} // namespace pedserver
