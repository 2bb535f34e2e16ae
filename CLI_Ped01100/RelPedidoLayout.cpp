#include "CLI_Ped01100/RelPedidoLayout.h"

#include "CLI_Ped01100/RelPedidoResumo.h"
#include "CLI_Ped01100/RelPedidoTextos.h"
#include "report/ReportBuilder.h"
#include "report/ReportFonts.h"

#include <map>

namespace {

using report::Align;
using report::Page;

std::string Texto(std::int64_t centavos) {
    return RelPedidoTextos::Valor(centavos);
}

constexpr int RowHeight = 11;
constexpr int LineHeight = 10;

// A column: its left and right edge in points and its alignment.
struct Col {
    int left;
    int right;
    Align align = Align::Left;
};

void Cell(Page& page, const Col& col, int top, const std::string& text, const ui::Font& font) {
    page.AddText({col.left, top, col.right, top + font.Size + 2}, text, font, col.align);
}

namespace Order {
constexpr Col Numero{36, 94}, Data{96, 146}, Cliente{148, 318}, Vendedor{320, 438},
    Valor{440, 498, Align::Right}, Cancelado{500, 559, Align::Right};
}
namespace Item {
constexpr Col Numero{60, 108}, Produto{110, 300}, Quantidade{302, 350, Align::Right}, Unidade{354, 380},
    Preco{382, 438, Align::Right}, Valor{440, 498, Align::Right}, Situacao{504, 559};
}
namespace Ledger {
constexpr Col Data{60, 124}, Operacao{126, 210}, Item{212, 262}, Operador{264, 390}, Justificativa{392, 559};
}

class Layout {
public:
    Layout(const RelPedidoDados& dados, const RelPedidoOpcoes& opcoes, const report::PageHeader& cabecalho)
        : m_dados(dados), m_opcoes(opcoes), m_builder(cabecalho) {
        for (const auto& item : dados.itens)
            m_itens.emplace(item.nrPedido, &item);
        for (const auto& linha : dados.historico)
            m_historico.emplace(linha.nrPedido, &linha);
    }

    report::Document Build() {
        m_builder.SetPageBand(14, [](Page& page, int top) { Titles(page, top); });
        std::map<std::string, std::vector<const PedidoRel*>> groups;
        for (const auto& pedido : m_dados.pedidos)
            groups[RelPedidoTextos::GrupoSituacao(pedido.idSitPedido)].push_back(&pedido);
        for (const auto& [code, pedidos] : groups)
            Group(code, pedidos);
        if (!m_dados.pedidos.empty())
            Summary();
        return m_builder.Finish("Nenhum pedido no período.");
    }

private:
    static void Titles(Page& page, int top) {
        const auto font = report::Bold(7);
        Cell(page, Order::Numero, top, "Pedido", font);
        Cell(page, Order::Data, top, "Emissão", font);
        Cell(page, Order::Cliente, top, "Cliente", font);
        Cell(page, Order::Vendedor, top, "Vendedor", font);
        Cell(page, Order::Valor, top, "Valor", font);
        Cell(page, Order::Cancelado, top, "Cancelado", font);
        page.AddLine(36, 559, top + 11, 1, ui::clGray);
    }

    void Group(const std::string& code, const std::vector<const PedidoRel*>& pedidos) {
        // The group's title stays with its first order.
        m_builder.KeepTogether(16 + RowHeight);
        const std::string name = RelPedidoTextos::SituacaoPedido(code);
        m_builder.AddRow(16, [&](Page& page, int top) {
            Cell(page, {36, 559}, top + 3, "Situação: " + name, report::Bold(9));
        });
        std::int64_t total = 0, cancelado = 0;
        for (const PedidoRel* pedido : pedidos) {
            OrderRow(*pedido);
            total += pedido->vrPedido;
            cancelado += pedido->vrCancelado;
        }
        const std::string count =
            std::to_string(pedidos.size()) + (pedidos.size() == 1 ? " pedido" : " pedidos");
        m_builder.AddRow(18, [&, count](Page& page, int top) {
            page.AddLine(300, 559, top + 1, 1, ui::clGray);
            Cell(page, {148, 438}, top + 4, "Total " + name + ": " + count, report::Bold(8));
            Cell(page, Order::Valor, top + 4, Texto(total), report::Bold(8));
            Cell(page, Order::Cancelado, top + 4, Texto(cancelado), report::Bold(8));
        });
    }

    void OrderRow(const PedidoRel& pedido) {
        // An order stays on one page with its items and history lines, so that no line is read
        // apart from its order; only a block taller than a page flows on.
        std::size_t lines = 0;
        if (m_opcoes.itens)
            lines += m_itens.count(pedido.nrPedido);
        if (m_opcoes.historico)
            lines += m_historico.count(pedido.nrPedido);
        m_builder.KeepTogether(RowHeight + static_cast<int>(lines) * LineHeight);
        m_builder.AddRow(RowHeight, [&](Page& page, int top) {
            const auto font = report::Regular(8);
            Cell(page, Order::Numero, top, pedido.nrPedido, font);
            Cell(page, Order::Data, top, pedido.dtPedido, font);
            Cell(page, Order::Cliente, top, pedido.nmCliente, font);
            Cell(page, Order::Vendedor, top, pedido.cdVendedor + " " + pedido.nmVendedor, font);
            Cell(page, Order::Valor, top, Texto(pedido.vrPedido), font);
            Cell(page, Order::Cancelado, top, Texto(pedido.vrCancelado), font);
        });
        if (m_opcoes.itens)
            Items(pedido.nrPedido);
        if (m_opcoes.historico)
            History(pedido.nrPedido);
    }

    void Items(const std::string& nrPedido) {
        const auto [first, last] = m_itens.equal_range(nrPedido);
        for (auto it = first; it != last; ++it) {
            const ItemRel& item = *it->second;
            m_builder.AddRow(LineHeight, [&](Page& page, int top) {
                const auto font = report::Regular(7);
                Cell(page, Item::Numero, top, item.nrItem, font);
                Cell(page, Item::Produto, top, item.cdProduto + " " + item.nmProduto, font);
                Cell(page, Item::Quantidade, top, item.quantidade, font);
                Cell(page, Item::Unidade, top, item.unidade, font);
                Cell(page, Item::Preco, top, item.preco, font);
                Cell(page, Item::Valor, top, Texto(item.vrItem), font);
                Cell(page, Item::Situacao, top, RelPedidoTextos::SituacaoItem(item.idSitItem), font);
            });
        }
    }

    void History(const std::string& nrPedido) {
        const auto [first, last] = m_historico.equal_range(nrPedido);
        for (auto it = first; it != last; ++it) {
            const HistoricoRel& linha = *it->second;
            m_builder.AddRow(LineHeight, [&](Page& page, int top) {
                const auto font = report::Regular(7);
                Cell(page, Ledger::Data, top, linha.dtOperacao, font);
                Cell(page, Ledger::Operacao, top, RelPedidoTextos::Operacao(linha.idOperacao), font);
                Cell(page, Ledger::Item, top, linha.nrItem, font);
                Cell(page, Ledger::Operador, top,
                     linha.nmOperador.empty() ? linha.cdOperador : linha.nmOperador, font);
                Cell(page, Ledger::Justificativa, top, linha.cdJust + " " + linha.dsJust, font);
            });
        }
    }

    void SummaryLine(const std::string& label, const std::string& value, bool bold = false) {
        m_builder.AddRow(RowHeight, [=](Page& page, int top) {
            const auto font = bold ? report::Bold(8) : report::Regular(8);
            Cell(page, {60, 438}, top, label, font);
            Cell(page, {440, 559, Align::Right}, top, value, font);
        });
    }

    void Summary() {
        const auto resumo = RelPedidoResumo::Calcula(m_dados);
        m_builder.KeepTogether(22 + 3 * RowHeight);
        m_builder.AddRow(22, [](Page& page, int top) {
            page.AddLine(36, 559, top + 4, 1);
            Cell(page, {36, 559}, top + 8, "Resumo", report::Bold(10));
        });
        SummaryLine("Pedidos: " + std::to_string(resumo.pedidos), "");
        SummaryLine("Valor dos pedidos", Texto(resumo.valorPedidos));
        SummaryLine("Valor cancelado", Texto(resumo.valorCancelado));
        if (!m_opcoes.historico)
            return;
        SummaryLine("Valor cancelado por justificativa", "", true);
        for (const auto& entry : resumo.porJustificativa)
            SummaryLine(entry.texto, Texto(entry.valor));
        SummaryLine("Operações", "", true);
        for (const auto& entry : resumo.porOperacao)
            SummaryLine(entry.nome, std::to_string(entry.quantidade));
    }

    const RelPedidoDados& m_dados;
    RelPedidoOpcoes m_opcoes;
    report::ReportBuilder m_builder;
    std::multimap<std::string, const ItemRel*> m_itens;
    std::multimap<std::string, const HistoricoRel*> m_historico;
};

} // namespace

report::Document MontaRelPedido(const RelPedidoDados& dados, const RelPedidoOpcoes& opcoes,
                                const report::PageHeader& cabecalho) {
    return Layout(dados, opcoes, cabecalho).Build();
}
