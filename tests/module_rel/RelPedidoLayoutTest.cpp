#include "CLI_Ped01100/RelPedidoLayout.h"

#include "CLI_Ped01100/RelPedidoResumo.h"
#include "CLI_Ped01100/RelPedidoTextos.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

report::PageHeader Header() {
    return {"Filial 0001 - MATRIZ", "PED01100", "Histórico", "filtro", "DEMO", "15/05/2024 10:00", "rodapé"};
}

PedidoRel Pedido(const std::string& nr, const std::string& sit, std::int64_t value,
                 std::int64_t cancelled = 0) {
    return {nr, "10/05/2024", sit, "000001", "CLIENTE " + nr, "0001", "JOAO SILVA", value, cancelled};
}

HistoricoRel Linha(const std::string& nr, const std::string& item, const std::string& op,
                   const std::string& just, std::optional<std::int64_t> value) {
    return {nr, item, op, "15/05/2024 09:00", "DEMO", "OPERADOR", just, "Justificativa " + just, value};
}

std::vector<std::string> AllTexts(const report::Document& document) {
    std::vector<std::string> texts;
    for (const auto& page : document.Pages) {
        const auto pageTexts = page.Texts();
        texts.insert(texts.end(), pageTexts.begin(), pageTexts.end());
    }
    return texts;
}

bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(RelPedidoTextosTest, MoneyHasThousandsAndTwoPlaces) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0,00"}, {5, "0,05"}, {123456, "1.234,56"}, {100000000, "1.000.000,00"}, {-50, "-0,50"}};
    for (const auto& [cents, text] : cases)
        EXPECT_EQ(RelPedidoTextos::Valor(cents), text);
}

TEST(RelPedidoResumoTest, CancelledValueByJustificationAndOperationsCountedAsTheOperatorDidThem) {
    RelPedidoDados dados;
    dados.pedidos = {Pedido("0000000001", "4", 0, 3000), Pedido("0000000002", "1", 500, 200)};
    dados.historico = {// An order cancellation: one line per item and one for the order.
                       Linha("0000000001", "0000000001", "CP", "0001", 1000),
                       Linha("0000000001", "0000000002", "CP", "0001", 2000),
                       Linha("0000000001", "", "CP", "0001", std::nullopt),
                       // An item cancellation later undone; the cancelled value stays in the ledger's total.
                       Linha("0000000002", "0000000001", "CI", "0003", 200),
                       Linha("0000000002", "0000000001", "DI", "0004", 200),
                       Linha("0000000002", "0000000002", "CI", "0003", 200)};
    const auto resumo = RelPedidoResumo::Calcula(dados);
    EXPECT_EQ(resumo.pedidos, 2);
    EXPECT_EQ(resumo.valorPedidos, 500);
    EXPECT_EQ(resumo.valorCancelado, 3200);
    ASSERT_EQ(resumo.porJustificativa.size(), 2u);
    EXPECT_EQ(resumo.porJustificativa[0].texto, "0001 - Justificativa 0001");
    EXPECT_EQ(resumo.porJustificativa[0].valor, 3000);
    EXPECT_EQ(resumo.porJustificativa[1].valor, 400);
    const std::vector<std::pair<std::string, int>> expected = {
        {"Cancelamento", 1}, {"Reativação", 0}, {"Cancelamento de item", 2}, {"Desfazer cancelamento", 1}};
    ASSERT_EQ(resumo.porOperacao.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(resumo.porOperacao[i].nome, expected[i].first);
        EXPECT_EQ(resumo.porOperacao[i].quantidade, expected[i].second);
    }
}

TEST(RelPedidoLayoutTest, OrdersAreGroupedBySituationWithTotalsAndLedgerLinesUnderTheirOrder) {
    RelPedidoDados dados;
    dados.pedidos = {Pedido("0000000001", "1", 1000), Pedido("0000000002", "4", 0, 2500),
                     Pedido("0000000003", "1", 234567), Pedido("0000000004", "5", 100),
                     Pedido("0000000005", "3", 50)};
    dados.historico = {Linha("0000000002", "", "CP", "0001", std::nullopt)};
    const auto document = MontaRelPedido(dados, {false, true}, Header());
    const auto texts = AllTexts(document);
    // Situation groups in code order; both liquidated codes print under one group.
    const auto at = [&](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) - texts.begin();
    };
    EXPECT_LT(at("Situação: Pendente"), at("0000000001"));
    EXPECT_LT(at("0000000003"), at("Situação: Liquidado"));
    EXPECT_LT(at("Situação: Liquidado"), at("Situação: Cancelado"));
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Situação: Liquidado"), 1);
    EXPECT_TRUE(Has(texts, "Total Pendente: 2 pedidos"));
    EXPECT_TRUE(Has(texts, "2.355,67"));
    EXPECT_TRUE(Has(texts, "Total Liquidado: 2 pedidos"));
    EXPECT_TRUE(Has(texts, "Total Cancelado: 1 pedido"));
    // The ledger line follows its order and names operation, operator and justification.
    EXPECT_LT(at("0000000002"), at("Cancelamento"));
    EXPECT_TRUE(Has(texts, "OPERADOR"));
    EXPECT_TRUE(Has(texts, "0001 Justificativa 0001"));
    EXPECT_TRUE(Has(texts, "Resumo"));
    // The order's own line carries no value, so the justification has no cancelled value to sum.
    EXPECT_FALSE(Has(texts, "0001 - Justificativa 0001"));
}

TEST(RelPedidoLayoutTest, ListModeLeavesTheLedgerOutAndAnEmptyReportSaysSo) {
    RelPedidoDados dados;
    dados.pedidos = {Pedido("0000000001", "1", 1000)};
    dados.historico = {Linha("0000000001", "", "CP", "0001", std::nullopt)};
    const auto texts = AllTexts(MontaRelPedido(dados, {false, false}, Header()));
    EXPECT_FALSE(Has(texts, "Cancelamento"));
    EXPECT_FALSE(Has(texts, "Operações"));
    const auto empty = MontaRelPedido({}, {true, true}, Header());
    ASSERT_EQ(empty.PageCount(), 1);
    const auto emptyTexts = empty.Pages[0].Texts();
    EXPECT_TRUE(Has(emptyTexts, "Nenhum pedido no período."));
    EXPECT_TRUE(Has(emptyTexts, "Página 1 de 1"));
    EXPECT_FALSE(Has(emptyTexts, "Resumo"));
}

TEST(RelPedidoLayoutTest, ManyOrdersWithItemsSpreadOverNumberedPagesWithEveryRowInsideTheBody) {
    RelPedidoDados dados;
    for (int i = 1; i <= 120; ++i) {
        const std::string nr = std::to_string(1000000000 + i);
        dados.pedidos.push_back(Pedido(nr, i % 3 == 0 ? "4" : "1", 100 * i));
        for (int j = 1; j <= 2; ++j)
            dados.itens.push_back(
                {nr, "000000000" + std::to_string(j), "000101", "PRODUTO", "1", "UN", "1,00", 50 * i, "1"});
    }
    const auto document = MontaRelPedido(dados, {true, false}, Header());
    ASSERT_GT(document.PageCount(), 4);
    const int bodyTop = 36 + report::PageHeader::Height;
    const int bodyBottom = 842 - 36 - report::PageHeader::FooterHeight;
    int orders = 0;
    for (int p = 0; p < document.PageCount(); ++p) {
        const auto& page = document.Pages[static_cast<std::size_t>(p)];
        const auto texts = page.Texts();
        EXPECT_EQ(
            std::count(texts.begin(), texts.end(), report::PageHeader::PageText(p + 1, document.PageCount())),
            2);
        for (const auto& element : page.Elements()) {
            const auto* text = std::get_if<report::TextElement>(&element);
            if (!text || text->Text.size() != 10 || text->Text.rfind("10000", 0) != 0)
                continue;
            ++orders;
            EXPECT_GE(text->Box.Top, bodyTop);
            EXPECT_LE(text->Box.Bottom, bodyBottom);
        }
    }
    EXPECT_EQ(orders, 120);
}

} // namespace
