// The report itself: the server's data for the filter, laid out and handed to the host's
// print service for preview, printing or PDF.
#include "CLI_Ped01100/RelPedidoLayout.h"
#include "CLI_Ped01100/TfrmRelPedido.h"
#include "Consiste.h"
#include "Morvale.h"
#include "Showavi.h"
#include "data/Clock.h"
#include "data/Format.h"
#include "ui/Application.h"

#include <cmath>

namespace {

std::int64_t Centavos(const data::Field& field) {
    return std::llround(field.AsFloat() * 100);
}

std::string Text(const data::DataSet& dataSet, const char* field) {
    return dataSet.FieldByName(field).AsString();
}

// Walks every row of the dataset from the first.
template <typename Visit> void ForEachRow(data::DataSet& dataSet, Visit visit) {
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
        visit(dataSet);
}

PedidoRel ReadPedido(const data::DataSet& row) {
    return {Text(row, "NRPEDIDO"),
            data::FormatDate(row.FieldByName("DTPEDIDO").AsDateTime()),
            Text(row, "IDSITPEDIDO"),
            Text(row, "CDCLIENTE"),
            Text(row, "NMFANTCLIE"),
            Text(row, "CDVENDEDOR"),
            Text(row, "NMFANVEN"),
            Centavos(row.FieldByName("VRPEDIDO")),
            Centavos(row.FieldByName("VRCANCELADO"))};
}

ItemRel ReadItem(const data::DataSet& row) {
    return {Text(row, "NRPEDIDO"),
            Text(row, "NRITEMPED"),
            Text(row, "CDPRODUTO"),
            Text(row, "NMPRODUTO"),
            data::FormatFloat("0.####", row.FieldByName("QTITEMPED").AsFloat()),
            Text(row, "SGUNIDADE"),
            data::FormatFloat("0.00##", row.FieldByName("VRPREUNITPED").AsFloat()),
            Centavos(row.FieldByName("VRITEMPED")),
            Text(row, "IDSITITEMPED")};
}

HistoricoRel ReadHistorico(const data::DataSet& row) {
    const data::Field& value = row.FieldByName("VRITEMPED");
    // Minutes are what an auditor reads; the seconds stay in the database.
    std::string when = data::FormatDateTime(row.FieldByName("DTOPERACAO").AsDateTime());
    if (when.size() > 16)
        when.resize(16);
    return {Text(row, "NRPEDIDO"),
            Text(row, "NRITEMPED"),
            Text(row, "IDOPERACAO"),
            when,
            Text(row, "CDOPERADOR"),
            Text(row, "NMOPERADOR"),
            Text(row, "CDJUSTEXCHIS"),
            Text(row, "DSJUSTEXCHIS"),
            value.IsNull() ? std::nullopt : std::optional<std::int64_t>(Centavos(value))};
}

} // namespace

std::string TfrmRelPedido::Situacoes() const {
    std::string codes;
    const std::pair<const ui::CheckBox*, const char*> boxes[] = {{&chbPendente, "1"},
                                                                 {&chbAndamento, "2"},
                                                                 {&chbLiquidado, "35"},
                                                                 {&chbCancelado, "4"},
                                                                 {&chbParcial, "6"}};
    for (const auto& [box, code] : boxes) {
        if (box->Checked())
            codes += code;
    }
    return codes;
}

RdmRelPedido::Filtro TfrmRelPedido::FiltroAtual() const {
    return {medCdFilial.Text(),      Morvale::Operador(), depDeEmissao.GetDate(),
            depAteEmissao.GetDate(), Situacoes(),         edtCdVendedor.Text()};
}

std::string TfrmRelPedido::TextoFiltro() const {
    std::string situacoes;
    std::size_t checked = 0;
    const ui::CheckBox* boxes[] = {&chbPendente, &chbAndamento, &chbParcial, &chbLiquidado, &chbCancelado};
    for (const ui::CheckBox* box : boxes) {
        if (box->Checked()) {
            situacoes += (situacoes.empty() ? "" : ", ") + box->Caption();
            ++checked;
        }
    }
    if (checked == std::size(boxes))
        situacoes = "todas";
    const std::string vendedor =
        edtCdVendedor.Text().empty() ? "todos" : edtCdVendedor.Text() + " " + edtNmVendedor.Text();
    return "Emissão de " + depDeEmissao.Text() + " a " + depAteEmissao.Text() + " | Situações: " + situacoes +
           " | Vendedor: " + vendedor;
}

RelPedidoDados TfrmRelPedido::Carrega(const RdmRelPedido::Filtro& filtro) {
    if (!netRelPedido.Connected())
        netRelPedido.Open();
    RdmRelPedido rdm(netRelPedido);
    RelPedidoDados dados;
    Showavi::Guard busy(ui::Application::Instance().MainForm(), Showavi::Fetching);
    cdsRelPedido.LoadFromPacket(Consiste::CheckResultServ(rdm.GetRelPedido(filtro), true, 0));
    ForEachRow(cdsRelPedido, [&](data::DataSet& row) { dados.pedidos.push_back(ReadPedido(row)); });
    if (chbItens.Checked()) {
        cdsRelItem.LoadFromPacket(Consiste::CheckResultServ(rdm.GetRelItemPedido(filtro), true, 0));
        ForEachRow(cdsRelItem, [&](data::DataSet& row) { dados.itens.push_back(ReadItem(row)); });
    }
    if (chbHistorico.Checked()) {
        cdsRelHistorico.LoadFromPacket(Consiste::CheckResultServ(rdm.GetRelHistorico(filtro), true, 0));
        ForEachRow(cdsRelHistorico,
                   [&](data::DataSet& row) { dados.historico.push_back(ReadHistorico(row)); });
    }
    return dados;
}

void TfrmRelPedido::Emite(report::PrintAction action) {
    Vd_CdFilial();
    Vd_Emissao();
    Vd_Situacao();
    Vd_Vendedor();
    const RelPedidoDados dados = Carrega(FiltroAtual());
    if (dados.pedidos.empty())
        ui::Application::Instance().Platform().ShowMessage(ui::MessageKind::Information,
                                                           msgPadrao.Msg("SEM_PEDIDO"));
    std::string printedAt = data::FormatDateTime(data::Clock::Now());
    if (printedAt.size() > 16)
        printedAt.resize(16);
    const report::PageHeader header{"Filial " + medCdFilial.Text() + " - " + edtNmFilial.Text(),
                                    "PED01100 - Impressão de Pedidos",
                                    lblModo.Caption(),
                                    TextoFiltro(),
                                    Morvale::Operador(),
                                    printedAt,
                                    "PED01100 - " + lblModo.Caption()};
    const auto document = MontaRelPedido(dados, {chbItens.Checked(), chbHistorico.Checked()}, header);
    report::CurrentPrintService().Output(document, action, "PED01100.pdf");
}
