// The form definition of the order print screen, continued: the message table, the lookup
// queries and the report's datasets.
#include "FieldDefs.h"
#include "CLI_Ped01100/TfrmRelPedido.h"
#include "protocol/LookupCatalogue.h"

using data::FieldType;

void TfrmRelPedido::DefineMessages() {
    msgPadrao.SetLines({
        "FILIAL|Filial deve ser informada.",
        "FILIAL_NAO_CAD|Filial não cadastrada.",
        "DTINI_NULL|Data inicial de emissão deve ser informada.",
        "DTFIN_NULL|Data final de emissão deve ser informada.",
        "DTINI_INV|Data inicial de emissão inválida.",
        "DTFIN_INV|Data final de emissão inválida.",
        "DTINI>DTFIN|Data inicial de emissão maior que a data final.",
        "SITUACAO|Pelo menos uma situação do pedido deve ser informada.",
        "VENDEDOR_NAO_CAD|Vendedor não cadastrado.",
        "SEM_PEDIDO|Nenhum pedido encontrado para o filtro informado.",
        "MODO_M|Histórico de cancelamentos de pedidos",
        "MODO_L|Relação de pedidos",
    });
}

void TfrmRelPedido::DefineData() {
    DefineQuery(qryFilial, lookups::Filiais.sql, "CDFILIAL", 8, "NMFILIAL", 30, "Nome");
    DefineQuery(qryPesqFilial, lookups::Filial.sql, "CDFILIAL", 8, "NMFILIAL", 30, "Nome");
    DefineQuery(qryVendedor, lookups::Vendedores.sql, "CDVENDEDOR", 4, "NMFANVEN", 50, "Nome");
    DefineQuery(qryPesqVendedor, lookups::Vendedor.sql, "CDVENDEDOR", 4, "NMFANVEN", 50, "Nome");
    qryOperTPed.SetSQL(std::string(lookups::OperadorTodosPedidos.sql));
    DefineFields(qryOperTPed, {{"CDOPERADOR", FieldType::String, 12, "", true}});
    qryVendLog.SetSQL(std::string(lookups::VendedoresDoOperador.sql));
    DefineFields(qryVendLog, {{"CDVENDEDOR", FieldType::String, 4, "", true},
                              {"NMFANVEN", FieldType::String, 50, "", true}});
    DefineFields(cdsRelPedido, {{"NRPEDIDO", FieldType::String, 10, "", true},
                                {"DTPEDIDO", FieldType::DateTime, 0, "", true},
                                {"IDSITPEDIDO", FieldType::String, 1, "", true},
                                {"CDCLIENTE", FieldType::String, 21, "", true},
                                {"NMFANTCLIE", FieldType::String, 50, "", true},
                                {"CDVENDEDOR", FieldType::String, 4, "", true},
                                {"NMFANVEN", FieldType::String, 50, "", true},
                                {"VRPEDIDO", FieldType::Float, 0, "", true},
                                {"VRCANCELADO", FieldType::Float, 0, "", true}});
    DefineFields(cdsRelItem, {{"NRPEDIDO", FieldType::String, 10, "", true},
                              {"NRITEMPED", FieldType::String, 10, "", true},
                              {"CDPRODUTO", FieldType::String, 10, "", true},
                              {"NMPRODUTO", FieldType::String, 50, "", true},
                              {"QTITEMPED", FieldType::Float, 0, "", true},
                              {"SGUNIDADE", FieldType::String, 10, "", true},
                              {"VRPREUNITPED", FieldType::Float, 0, "", true},
                              {"VRITEMPED", FieldType::Float, 0, "", true},
                              {"IDSITITEMPED", FieldType::String, 1, "", true}});
    DefineFields(cdsRelHistorico, {{"NRPEDIDO", FieldType::String, 10, "", true},
                                   {"NRITEMPED", FieldType::String, 10, "", true},
                                   {"IDOPERACAO", FieldType::String, 2, "", true},
                                   {"DTOPERACAO", FieldType::DateTime, 0, "", true},
                                   {"CDOPERADOR", FieldType::String, 12, "", true},
                                   {"NMOPERADOR", FieldType::String, 50, "", true},
                                   {"CDJUSTEXCHIS", FieldType::String, 4, "", true},
                                   {"DSJUSTEXCHIS", FieldType::String, 40, "", true},
                                   {"VRITEMPED", FieldType::Float, 0, "", true}});
}
