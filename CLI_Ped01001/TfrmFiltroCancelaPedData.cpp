// The form definition of the filter dialog, continued: lookup queries, the order-number list and
// the message table.
#include "FieldDefs.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "protocol/LookupCatalogue.h"

using data::FieldType;

void TfrmFiltroCancelaPed::DefineQueries() {
    qryVendLog.SetSQL(std::string(lookups::VendedorDoOperador.sql));
    DefineFields(qryVendLog, {{"CDVENDEDOR", FieldType::String, 4, "", true}});

    DefineQuery(qryVendedor, lookups::Vendedores.sql, "CDVENDEDOR", 4, "NMFANVEN", 50, "Nome");
    qryVendedor.FieldByName("CDVENDEDOR").SetRequired(true);

    qryCliente.SetSQL(std::string(lookups::Clientes.sql));
    DefineFields(qryCliente, {{"CDCLIENTE", FieldType::String, 21, "", false},
                              {"IDTPIJURCLIE", FieldType::String, 1, "", false},
                              {"NRINSJURCLIE", FieldType::String, 20, "Número da Inscrição", true},
                              {"NMFANTCLIE", FieldType::String, 50, "Nome Fantasia", true},
                              {"NMRAZSOCCLIE", FieldType::String, 50, "Razão Social", true},
                              {"DSENDECLIE", FieldType::String, 50, "Endereço", true},
                              {"NMMUNICIPIO", FieldType::String, 30, "Município", true},
                              {"SGESTADO", FieldType::String, 2, "Estado", true},
                              {"NMPAIS", FieldType::String, 30, "País", true}});
    qryCliente.FieldByName("CDCLIENTE").SetRequired(true);
    qryCliente.FieldByName("SGESTADO").SetRequired(true);

    qryProduto.SetSQL(std::string(lookups::ProdutosDoNivel.sql));
    DefineFields(qryProduto, {{"CDARVPROD", FieldType::String, 20, "Código", true},
                              {"NMPRODUTO", FieldType::String, 50, "Nome", true},
                              {"CDPRODUTO", FieldType::String, 10, "", false}});

    DefineFields(cdsNrPedido, {{"IDMARCADO", FieldType::String, 1, "", true},
                               {"NRPEDIDO", FieldType::String, 10, "Nr.Pedido", true},
                               {"NMFANTCLIE", FieldType::String, 50, "Cliente", true}});
    cdsNrPedido.FieldByName("NRPEDIDO").SetDisplayWidth(14);
}

void TfrmFiltroCancelaPed::DefineMessages() {
    msgPadrao.SetLines({
        "DTINI_ENTREGA|Data de entrega inicial deve ser informada.",
        "DTFIN_ENTREGA|Data de entrega final deve ser informada.",
        "CODVERS|Versão não cadastrada.",
        "GRUP_SIST|Grupo de Sistemas",
        "SISTEMA|Sistema",
        "ASSUNTO|Assunto da Solicitação",
        "FASE_TRAM|Fase de Tramitação",
        "FUNC_SOLI|Funcionário Solicitante",
        "FUNC_RESP|Funcionário Responsável",
        "CLIENTE|Cliente",
        "INTERLOC|Interlocutor",
        "NRINI>NRFIN|Número pedido inicial deve ser menor ou igual ao número pedido final.",
        "VENDEDOR|Vendedor",
        "REPRESENTANTE|Representante",
        "PRODUTO|Produto",
        "NRINI|Intervalo inicial deve ser informado.",
        "NRFIN|Intervalo final deve ser informado.",
        "PEDIDO|Pedido",
        "STATUSPED|Situação do pedido deve ser informada.",
        "STATUSITEMPED|Situação do item deve ser informada.",
        "PRIO|Prioridade deve ser informada.",
        "LNrPedido|Número pedido deve ser informado.",
        "LRepresentante|Representante deve ser informado.",
        "LVendedor|Vendedor deve ser informado.",
        "LProduto|Produto deve ser informado.",
        "LCliente|Cliente deve ser informado.",
        "DATA_INV|não é uma data válida.",
        "DTINI>DTFIN_PEDIDO|Data do pedido inicial deve ser menor ou igual a data do pedido final.",
        "DTINI>DTFIN_ENTREGA|Data de entrega inicial deve ser menor ou igual a data de entrega final.",
        "DTINI_PEDIDO|Data do pedido inicial deve ser informada.",
        "DTFIN_PEDIDO|Data do pedido final deve ser informada.",
        "VEND|Não há vendedor cadastrado.",
        "CLIE|Não há cliente cadastrado.",
        "PROD|Não há produto cadastrado.",
        "N_PED_CAD|Não há pedido cadastrado.",
    });
}
