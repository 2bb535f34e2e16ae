#include "CLI_Ped01000/OrderInfoLine.h"
#include "CLI_Ped01000/TextoReais.h"
#include "CLI_Ped01000/TfrmSimulacao.h"
#include "RemoteCallLog.h"
#include "SelectionFixture.h"
#include "data/Clock.h"
#include "data/DateTime.h"

#include <algorithm>

TEST(TextoReais, MoneyReadsWithThousandsDotsCommaAndCentavos) {
    const std::pair<double, const char*> cases[] = {
        {0, "R$ 0,00"},        {10, "R$ 10,00"},           {999.99, "R$ 999,99"},
        {1000, "R$ 1.000,00"}, {74154.93, "R$ 74.154,93"}, {1234567.891, "R$ 1.234.567,89"},
        {-0.1, "-R$ 0,10"},    {-0.001, "R$ 0,00"},        {0.3 * 3, "R$ 0,90"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(TextoReais(value), text) << value;
}

// Demo data of branch 0001: order 4 (commitment 2024NE000102, R$ 80.000,00) is being edited by
// SUPERV since 08:00 of the demo day; order 108 is under 2024NE000105 (R$ 10,00); order 2 has
// neither. Nothing here changes the database.
class BeforeActingTest : public SelectionTest {
protected:
    static double Day(int d) { return data::EncodeDate(2024, 5, d); }

    void TearDown() override {
        data::Clock::Reset();
        SelectionTest::TearDown();
    }

    void MakeCurrent(int order) {
        ASSERT_TRUE(app.Dispatch([&] { screen->cdsPedido.Locate("NRPEDIDO", Order(order), false); }));
    }
};

TEST_F(BeforeActingTest, TheLineTellsTheCurrentOrdersEditorAndCommitmentBalance) {
    const std::pair<int, const char*> cases[] = {
        {4, "Em edição por SUPERV - SUPERVISOR DE VENDAS desde 08:00 | Empenho 2024NE000102: saldo R$ "
            "80.000,00"},
        {108, "Empenho 2024NE000105: saldo R$ 10,00"},
        {2, ""},
    };
    data::Clock::SetSource([] { return Day(15) + 0.5; });
    for (const auto& [order, text] : cases) {
        MakeCurrent(order);
        EXPECT_EQ(screen->lblInfoPedido.Caption(), text) << "order " << order;
    }
    MakeCurrent(4);
    // Entering the branch panel closes the orders; the line goes with them.
    ASSERT_TRUE(app.Dispatch([this] { screen->panFilialEnter(screen->panFilial); }));
    EXPECT_EQ(screen->lblInfoPedido.Caption(), "");
}

TEST_F(BeforeActingTest, ALockOfAnotherDayShowsItsDateAndAnUnknownCommitmentNoBalance) {
    OrderInfoLine line;
    line.Read(screen->netCancelaPed, "0001",
              {{Order(4), "2024NE000102"}, {Order(2), ""}, {Order(108), "2024NE000105"}});
    EXPECT_EQ(line.Text(Order(4), "", Day(16)),
              "Em edição por SUPERV - SUPERVISOR DE VENDAS desde 15/05/2024 08:00");
    EXPECT_EQ(line.Text(Order(2), "NAO-EXISTE", Day(15)), "");
    EXPECT_EQ(line.Text(Order(108), "2024NE000105", Day(15)), "Empenho 2024NE000105: saldo R$ 10,00");
}

TEST_F(BeforeActingTest, AReadThatFailsLeavesTheLineEmptyAndThrowsNothing) {
    OrderInfoLine line;
    line.Read(screen->netCancelaPed, "0001", {{Order(4), "2024NE000102"}});
    ASSERT_NE(line.Text(Order(4), "2024NE000102", Day(15)), "");
    TNetConnection closed("closed"); // never opened: every call fails
    EXPECT_NO_THROW(line.Read(closed, "0001", {{Order(4), "2024NE000102"}}));
    EXPECT_EQ(line.Text(Order(4), "2024NE000102", Day(15)), "") << "nothing of the earlier read is kept";
}

TEST_F(BeforeActingTest, TheLineIsReadInOneExchangeForAllOrdersAndTheScreensCountIsUntouched) {
    RemoteCallLog::Instance().Reset();
    ASSERT_TRUE(app.Dispatch([this] { screen->sbtVerificarClick(screen->sbtVerificar); }));
    EXPECT_EQ(RemoteCallLog::Instance().Count("GetBloqueioPedido"), 1);
    EXPECT_EQ(RemoteCallLog::Instance().Count("GetSaldoEmpenho"), 1);
    EXPECT_EQ(RemoteCallLog::Instance().Count("*"),
              RemoteCallLog::Instance().Count("GetPedido") +
                  RemoteCallLog::Instance().Count("GetItemPedido") +
                  RemoteCallLog::Instance().Count("GetItemPedidoSemFiltro2"));
    const auto orders = RemoteCallLog::Instance().LastArgs("GetBloqueioPedido").at(1);
    EXPECT_EQ(static_cast<int>(std::count(orders.begin(), orders.end(), '_')) + 1,
              screen->cdsPedido.RecordCount());
}

TEST_F(BeforeActingTest, SimularIsEnabledExactlyWhileConfirmIsWhoeverChangesIt) {
    const auto agree = [this](const char* step) {
        EXPECT_EQ(screen->sbtSimular.Enabled(), screen->sbtConfirmar.Enabled()) << step;
        EXPECT_EQ(screen->mnuSimular.Enabled(), screen->sbtConfirmar.Enabled()) << step;
    };
    agree("nothing checked");
    EXPECT_FALSE(screen->sbtSimular.Enabled());
    ASSERT_TRUE(ClickOrder(1));
    agree("an order checked");
    EXPECT_TRUE(screen->sbtSimular.Enabled());
    ASSERT_TRUE(ClickOrder(1));
    agree("unchecked again");
    screen->sbtConfirmar.SetEnabled(true);
    agree("confirm enabled from code");
    screen->sbtConfirmar.SetEnabled(false);
    agree("confirm disabled from code");
}

TEST_F(BeforeActingTest, SimularSendsWhatConfirmWouldAndKeepsTheSelection) {
    ASSERT_TRUE(ClickOrder(1));
    ASSERT_TRUE(ClickOrder(13));
    ASSERT_TRUE(user.ClickMenu(screen->mnuJustExcl));
    ASSERT_TRUE(user.Type(screen->edtCdJust, "1"));
    const auto marks = OrderMarks();
    std::size_t changes = 0;
    std::string refusal = "-";
    platform.QueueModalAction([&] {
        auto* window = dynamic_cast<TfrmSimulacao*>(app.ActiveForm());
        ASSERT_NE(window, nullptr);
        changes = static_cast<std::size_t>(window->cdsAlteracoes.RecordCount());
        refusal = window->lblRecusa.Caption();
        user.Click(window->btnFecharSimulacao);
    });
    RemoteCallLog::Instance().Reset();

    ASSERT_TRUE(user.Click(screen->sbtSimular)) << testing::PrintToString(platform.Errors());

    EXPECT_TRUE(platform.Questions().empty()) << "a dry run asks nothing";
    EXPECT_EQ(refusal, "");
    EXPECT_GE(changes, 4u) << "two orders with their items";
    const auto args = RemoteCallLog::Instance().LastArgs("GetSimulaCancelaPed");
    EXPECT_EQ(args, (std::vector<std::string>{
                        "DEMO", "0001", std::to_string(screen->cdsPedido.RecordCount()),
                        "Operação bloqueada. Pedido em alteração por outro usuário.", "0001",
                        "Operação Bloqueada! Valor do pedido é maior que o saldo do empenho."}));
    EXPECT_EQ(RemoteCallLog::Instance().Count("*"), 1) << "no command, no reload";
    EXPECT_EQ(OrderMarks(), marks);
    EXPECT_EQ(inContPedidoCh, 2);
    EXPECT_EQ(QueryText("SELECT IDSITPEDIDO FROM PEDIDO WHERE CDFILIAL = '0001' AND NRPEDIDO = '0000000001'"),
              "1");
}

// The dry run's situations read in words, with a word for what each row is: orders and items
// number their situations in tables of their own, so bare codes would mislead.
TEST(SimulacaoTest, SituationsReadInWordsAndEachRowSaysWhetherItIsTheOrderOrAnItem) {
    ui::HeadlessPlatform platform;
    ui::Application app;
    app.SetPlatform(platform);
    TfrmSimulacao& window = app.CreateForm<TfrmSimulacao>();
    using data::FieldType;
    const data::Packet answer{
        {{"TPLINHA", FieldType::String, 1},
         {"NRPEDIDO", FieldType::String, 10},
         {"NRITEMPED", FieldType::String, 10},
         {"IDSITANTERIOR", FieldType::String, 1},
         {"IDSITNOVA", FieldType::String, 1}},
        {{std::string("I"), std::string("0000000025"), std::string("0000000001"), std::string("1"),
          std::string("5")},
         {std::string("P"), std::string("0000000025"), std::string(""), std::string("1"), std::string("4")},
         {std::string("P"), std::string("0000000020"), std::string(""), std::string("4"), std::string("6")}}};
    window.Carrega(answer);
    const std::vector<std::vector<std::string>> rows = {{"Item", "Pendente", "Cancelado"},
                                                        {"Pedido", "Pendente", "Cancelado"},
                                                        {"Pedido", "Cancelado", "Parc. Atendido"}};
    ASSERT_EQ(window.cdsAlteracoes.RecordCount(), 3);
    for (int row = 0; row < 3; ++row) {
        window.cdsAlteracoes.SetRecNo(row + 1);
        const auto text = [&](const char* field) {
            return window.cdsAlteracoes.FieldByName(field).AsString();
        };
        EXPECT_EQ((std::vector<std::string>{text("DSTIPO"), text("DSANTES"), text("DSDEPOIS")}),
                  rows[static_cast<std::size_t>(row)]);
    }
    EXPECT_EQ(window.dbgAlteracoes.Columns().Item(0).FieldName(), "DSTIPO");
}
