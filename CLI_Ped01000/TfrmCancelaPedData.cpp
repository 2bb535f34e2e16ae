// The form definition of the order-cancellation screen, continued: datasets, lookup queries and
// the message table.
#include "FieldDefs.h"
#include "CLI_Ped01000/TfrmCancelaPed.h"
#include "protocol/LookupCatalogue.h"

using data::FieldType;

void TfrmCancelaPed::DefineDataSets() {
    DefineFields(cdsParamPedido, {{"IDUTCTRELANP", FieldType::String, 1, "", true},
                                  {"IDUTCTREMPEN", FieldType::String, 1, "", true},
                                  {"IDEXIBPEDIDO", FieldType::String, 1, "", true},
                                  {"IDMENSVEND", FieldType::String, 1, "", true},
                                  {"IDUTRESELOTE", FieldType::String, 1, "", true}});
    DefineFields(cdsPedido, {{"IDCHECK", FieldType::String, 1, "", true},
                             {"NRPEDIDO", FieldType::String, 10, "Nº Pedido", true},
                             {"IDSITPEDIDO", FieldType::String, 1, "Sit.", true},
                             {"NMFANTCLIE", FieldType::String, 50, "Cliente", true},
                             {"CDCLIENTE", FieldType::String, 21, "", false},
                             {"DTENTPED", FieldType::DateTime, 0, "Data da Entrega", true},
                             {"DTPEDIDO", FieldType::DateTime, 0, "Data do Pedido", true},
                             {"CDFILIAL", FieldType::String, 4, "", false},
                             {"NREMPENHO", FieldType::String, 20, "Nr. Empenho", true},
                             {"CDVENDEDOR", FieldType::String, 4, "", false},
                             {"INFPED", FieldType::String, 63, "", false}});
    cdsPedido.SetFilter("IDCHECK = 'S'");
    DefineFields(cdsItemPedido, {{"NRITEMPED", FieldType::String, 10, "Nº Item Pedido", true},
                                 {"IDCHECK", FieldType::String, 1, "", true},
                                 {"IDSITITEMPED", FieldType::String, 1, "", true},
                                 {"CDPRODUTO", FieldType::String, 10, "Produto", false},
                                 {"NMPRODUTO", FieldType::String, 50, "Nome do Produto", true},
                                 {"QTITEMPED", FieldType::Float, 0, "", true},
                                 {"SGUNIDADE", FieldType::String, 10, "", true},
                                 {"VRPREUNITPED", FieldType::Float, 0, "", true},
                                 {"VrTotal", FieldType::Float, 0, "", true},
                                 {"NRPEDIDO", FieldType::String, 10, "", false},
                                 {"CDFILIAL", FieldType::String, 4, "", false},
                                 {"CDARVPROD", FieldType::String, 20, "Produto", true},
                                 {"CDJUSTEXCHIS", FieldType::String, 4, "", false},
                                 {"CDOPERADOR", FieldType::String, 12, "", false},
                                 {"CDPRODESTO", FieldType::String, 10, "", false}});
    cdsItemPedido.FieldByName("VrTotal").SetCalculated(true);
    cdsItemPedido.SetFilter("IDCHECK = 'S'");
    DefineFields(cdsItemPedidoSemFiltro2, {{"IDSITITEMPED", FieldType::String, 1, "", true}});
    DefineFields(cdsItemPedidoSemFiltro, {{"IDSITITEMPED", FieldType::String, 1, "", true}});
    DefineFields(cdsOperTPed, {{"CDOPERADOR", FieldType::String, 32, "", true}});
}

void TfrmCancelaPed::DefineQueries() {
    DefineQuery(qryFilial, lookups::Filiais.sql, "CDFILIAL", 8, "NMFILIAL", 30, "Nome");
    DefineQuery(qryPesqFilial, lookups::Filial.sql, "CDFILIAL", 8, "NMFILIAL", 30, "Nome");
    DefineQuery(qryJustExcl, lookups::Justificativas.sql, "CDJUSTEXCHIS", 4, "DSJUSTEXCHIS", 40, "Descrição");
    DefineQuery(qryPesqJust, lookups::Justificativa.sql, "CDJUSTEXCHIS", 4, "DSJUSTEXCHIS", 40, "Descrição");
}

void TfrmCancelaPed::DefineMessages() {
    msgPadrao.SetLines({
        "Excl|Confirma exclusão?",
        "FILIAL|Filial deve ser informada.",
        "FILIAL_NAO_CAD|Filial não cadastrada.",
        "PE|PE",
        "AN|AN",
        "LQ|LQ",
        "CN|CN",
        "CF|CF",
        "AP|AP",
        "PA|PA",
        "PedidoXXCN|Esta operação cancelará o(s) item(s) do(s) pedido(s) selecionado(s). Deseja continuar?",
        "ItemPedidoXXCN|Esta operação cancelará o(s) item(s) selecionado(s). Deseja continuar?",
        "ItemPedidoCNPE|Esta operação excluirá o cancelamento do(s) item(s) selecionado(s). Deseja "
        "continuar?",
        "NENHUM_CHECK_PEDIDO|Pedidos devem ser informados.",
        "NENHUM_CHECK_ITEMPEDIDO|Itens do pedido devem ser informados.",
        "CANCELAR|Cancelar operação?",
        "PedXXCN|Confirma operação?",
        "ItemPedXXCN|Confirma cancelamento dos itens informados?",
        "CDJUST_NULL|Justificativa deve ser informada.",
        "JUST_N_CAD|Justificativa de exclusão do historico não cadastrada.",
        "OperBloq|Operação bloqueada. Pedido em alteração por outro usuário.",
        "SALDO_EMP|Operação Bloqueada! Valor do pedido é maior que o saldo do empenho.",
    });
}
