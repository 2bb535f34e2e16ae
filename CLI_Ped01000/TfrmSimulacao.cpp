#include "CLI_Ped01000/TfrmSimulacao.h"

#include "FieldDefs.h"
#include "CLI_Ped01000/PacketFields.h"
#include "CLI_Ped01000/TextoReais.h"
#include "ui/Application.h"

#include <initializer_list>
#include <map>

namespace {

using data::FieldType;

struct GridColumn {
    const char* field;
    int width;
    const char* title;
};

// A read-only grid of `source` under its title, at `top`, with its columns.
void PlaceGrid(ui::Label& title, const char* caption, ui::DBGrid& grid, TDataSource& source, int top,
               int height, std::initializer_list<GridColumn> columns) {
    title.SetCaption(caption);
    title.SetBounds(8, top, 300, 13);
    grid.SetDataSource(&source);
    grid.SetReadOnly(true);
    grid.SetBounds(8, top + 16, 496, height);
    for (const GridColumn& definition : columns) {
        ui::Column& column = grid.Columns().Add();
        column.SetFieldName(definition.field);
        column.SetWidth(definition.width);
        column.SetTitleCaption(definition.title);
    }
}

// The situation in words: orders and items number theirs in tables of their own, so a bare code
// would read alike for both ("4" cancels an order, "5" an item).
std::string NomeSituacao(bool item, const std::string& code) {
    static const std::map<std::string, std::string> pedido = {{"1", "Pendente"},  {"2", "Em Andamento"},
                                                              {"3", "Liquidado"}, {"4", "Cancelado"},
                                                              {"5", "Liquidado"}, {"6", "Parc. Atendido"}};
    static const std::map<std::string, std::string> itemPedido = {
        {"1", "Pendente"},  {"2", "Confirmado"}, {"3", "Aprovado"},      {"4", "Liquidado"},
        {"5", "Cancelado"}, {"6", "Liquidado"},  {"7", "Parc. Atendido"}};
    const auto& table = item ? itemPedido : pedido;
    const auto found = table.find(code);
    return found == table.end() ? code : found->second;
}

data::Value TextValue(std::string text) {
    return data::Value{std::move(text)};
}

} // namespace

TfrmSimulacao::TfrmSimulacao()
    : ui::Form("frmSimulacao"), lblAviso(Add<ui::Label>("lblAviso")), lblRecusa(Add<ui::Label>("lblRecusa")),
      lblAlteracoes(Add<ui::Label>("lblAlteracoes")), dbgAlteracoes(Add<ui::DBGrid>("dbgAlteracoes")),
      lblSaldos(Add<ui::Label>("lblSaldos")), dbgSaldos(Add<ui::DBGrid>("dbgSaldos")),
      btnFecharSimulacao(Add<ui::Button>("btnFecharSimulacao")),
      cdsAlteracoes(Create<TMemDataSet>("cdsAlteracoes")), cdsSaldos(Create<TMemDataSet>("cdsSaldos")),
      dtsAlteracoes(Create<TDataSource>("dtsAlteracoes", &cdsAlteracoes)),
      dtsSaldos(Create<TDataSource>("dtsSaldos", &cdsSaldos)) {
    SetCaption("Simulação");
    SetBounds(0, 0, 520, 340);
    DefineDataSets();
    DefineLayout();
}

TfrmSimulacao::~TfrmSimulacao() {
    // The controls hold the data sources; they go before the form's members do.
    DestroyOwnedComponents();
}

void TfrmSimulacao::DefineDataSets() {
    DefineFields(cdsAlteracoes, {{"NRPEDIDO", FieldType::String, 10, "Pedido", true},
                                 {"NRITEMPED", FieldType::String, 10, "Item", true},
                                 {"IDSITANTERIOR", FieldType::String, 1, "", false},
                                 {"IDSITNOVA", FieldType::String, 1, "", false},
                                 {"DSANTES", FieldType::String, 30, "Antes", true},
                                 {"DSDEPOIS", FieldType::String, 30, "Depois", true},
                                 {"DSTIPO", FieldType::String, 6, "Linha", true}});
    DefineFields(cdsSaldos, {{"NREMPENHO", FieldType::String, 20, "Empenho", true},
                             {"VRSALDOANTERIOR", FieldType::Float, 0, "", false},
                             {"VRSALDONOVO", FieldType::Float, 0, "", false},
                             {"DSSALDOANTERIOR", FieldType::String, 30, "Saldo antes", true},
                             {"DSSALDONOVO", FieldType::String, 30, "Saldo depois", true}});
}

void TfrmSimulacao::DefineLayout() {
    lblAviso.SetCaption("Simulação: nada foi alterado.");
    lblAviso.SetBounds(8, 8, 500, 13);
    lblRecusa.SetBounds(8, 26, 500, 13);
    lblRecusa.SetFontColor(ui::clRed);
    PlaceGrid(lblAlteracoes, "Situações que mudariam", dbgAlteracoes, dtsAlteracoes, 46, 150,
              {{"DSTIPO", 50, "Linha"},
               {"NRPEDIDO", 80, "Pedido"},
               {"NRITEMPED", 80, "Item"},
               {"DSANTES", 130, "Antes"},
               {"DSDEPOIS", 130, "Depois"}});
    PlaceGrid(lblSaldos, "Saldos de empenho", dbgSaldos, dtsSaldos, 218, 60,
              {{"NREMPENHO", 140, "Empenho"},
               {"DSSALDOANTERIOR", 150, "Saldo antes"},
               {"DSSALDONOVO", 150, "Saldo depois"}});
    btnFecharSimulacao.SetCaption("Fechar");
    btnFecharSimulacao.SetBounds(424, 302, 80, 25);
    btnFecharSimulacao.SetModalResult(ui::ModalResult::Ok);
    btnFecharSimulacao.SetDefault(true);
    btnFecharSimulacao.SetCancel(true);
}

void TfrmSimulacao::Carrega(const data::Packet& resultado) {
    const PacketFields linhas(resultado, "Resposta da simulação");
    // The rows are made in the fields of the window's own datasets.
    data::Packet alteracoes{cdsAlteracoes.ToPacket().Fields, {}};
    data::Packet saldos{cdsSaldos.ToPacket().Fields, {}};
    std::string recusa;
    for (const auto& row : resultado.Rows) {
        const std::string tipo = linhas.Text(row, "TPLINHA");
        if (tipo == "R") {
            recusa = linhas.Text(row, "DSMENSAGEM");
        } else if (tipo == "E") {
            const double antes = linhas.Number(row, "VRSALDOANTERIOR"),
                         depois = linhas.Number(row, "VRSALDONOVO");
            saldos.Rows.push_back({TextValue(linhas.Text(row, "NREMPENHO")), antes, depois,
                                   TextValue(TextoReais(antes)), TextValue(TextoReais(depois))});
        } else {
            const bool item = tipo == "I";
            const std::string antes = linhas.Text(row, "IDSITANTERIOR"),
                              depois = linhas.Text(row, "IDSITNOVA");
            alteracoes.Rows.push_back(
                {TextValue(linhas.Text(row, "NRPEDIDO")), TextValue(linhas.Text(row, "NRITEMPED")),
                 TextValue(antes), TextValue(depois), TextValue(NomeSituacao(item, antes)),
                 TextValue(NomeSituacao(item, depois)), TextValue(item ? "Item" : "Pedido")});
        }
    }
    cdsAlteracoes.LoadFromPacket(alteracoes);
    cdsSaldos.LoadFromPacket(saldos);
    lblRecusa.SetCaption(recusa.empty() ? "" : "Seria recusado: " + recusa);
}

void TfrmSimulacao::Mostra(const data::Packet& resultado) {
    TfrmSimulacao& form = ui::Application::Instance().CreateForm<TfrmSimulacao>();
    try {
        form.Carrega(resultado);
        form.ShowModal();
    } catch (...) {
        form.Release();
        throw;
    }
    form.Release();
}
