#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "FilterDialogFixture.h"

#include <set>

namespace {

// The twenty parameters as the server receives them; dates as date values.
struct Parameters {
    std::vector<std::string> Texts;
    std::vector<double> Dates;

    bool operator==(const Parameters&) const = default;
};

Parameters ParametersOf(const TfrmFiltroCancelaPed& d) {
    return {{d.stParCdFilial, d.stParVendedor, d.stParTVendedor, d.stParCliente, d.stParTCliente,
             d.stParProduto, d.stParTProduto, d.stParPrioridade, d.stParSitPedido, d.stParTEmissao,
             d.stParTEntrega, d.stParDeNrPedido, d.stParAteNrPedido, d.stParNrPedido, d.stParTNrPedido,
             d.stParSitItemPedido},
            {d.dtParDeEmissao, d.dtParAteEmissao, d.dtParDeEntrega, d.dtParAteEntrega}};
}

void PrintTo(const Parameters& p, std::ostream* out) {
    *out << ::testing::PrintToString(p.Texts) << " " << ::testing::PrintToString(p.Dates);
}

std::set<std::string> OrderNumbers(TfrmCancelaPed& screen) {
    std::set<std::string> numbers;
    for (screen.cdsPedido.First(); !screen.cdsPedido.Eof(); screen.cdsPedido.Next())
        numbers.insert(screen.cdsPedido.FieldByName("NRPEDIDO").AsString());
    return numbers;
}

} // namespace

TEST_F(FilterDialogTest, ConfirmingEverythingSendsTheEverythingParametersAndLoadsEveryOrder) {
    TfrmCancelaPed& owner = Screen();
    const bool closed = Confirm([this](TfrmFiltroCancelaPed& dialog) {
        user.PressKey(dialog.chbNormal, 'D', ui::ShiftState::WithCtrl());
    });
    ASSERT_TRUE(closed) << ::testing::PrintToString(platform.Errors());
    TfrmFiltroCancelaPed& dialog = *frmFiltroCancelaPed;
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(ParametersOf(dialog), (Parameters{{"0001", "", "T", "", "T", "", "T", "321", "1246", "T", "T",
                                                 "", "", "", "T", "1234657"},
                                                {0, 0, 0, 0}}));
    EXPECT_FALSE(platform.IsBusy());

    const std::set<std::string> everything = OrderNumbers(owner);
    LoadAllOrders(owner);
    EXPECT_EQ(everything, OrderNumbers(owner)) << "the screen loaded what the server has for everything";

    EXPECT_FALSE(Filtro.NrPedido.boIntervalo || Filtro.NrPedido.boLista);
    EXPECT_TRUE(Filtro.boNormal && Filtro.boUrgente && Filtro.boPPendente && Filtro.boIParcialmente);
    EXPECT_TRUE(Filtro.Produto.boTodos && Filtro.Vendedor.boTodos && Filtro.Cliente.boTodos);
    EXPECT_EQ(Filtro.dtDeEmissao, 0);
    EXPECT_EQ(Filtro.dtAteEntrega, 0);
}

TEST_F(FilterDialogTest, ConfirmingRangesListsAndDatesSendsThemAndStoresTheDialogState) {
    TfrmCancelaPed& owner = Screen();
    const bool closed = Confirm([this](TfrmFiltroCancelaPed& dialog) {
        user.Click(dialog.rbtIntervalo);
        user.Type(dialog.medDeIntervalo, "5");
        user.Type(dialog.medAteIntervalo, "12");
        user.Click(dialog.rbtLCliente);
        stCliente = "000001_000003";
        user.Click(dialog.rbtLProduto);
        stProduto = "000102";
        user.Click(dialog.chbAlta);
        for (ui::CheckBox* box : {&dialog.chbIPendente, &dialog.chbIConfirmado, &dialog.chbIAprovado,
                                  &dialog.chbICancelado, &dialog.chbIParcialmente})
            user.Click(*box);
        user.Click(dialog.chbPAndamento);
        user.Type(dialog.depDeEmissao, "01012020");
        user.Type(dialog.depAteEmissao, "31122030");
    });
    ASSERT_TRUE(closed) << ::testing::PrintToString(platform.Errors());
    TfrmFiltroCancelaPed& dialog = *frmFiltroCancelaPed;
    EXPECT_EQ(ParametersOf(dialog), (Parameters{{"0001", "", "T", "000001_000003", "", "000102", "", "31",
                                                 "146", "", "T", "0000000005", "0000000012", "", "", "46"},
                                                {Date(2020, 1, 1), Date(2030, 12, 31), 0, 0}}));
    for (const std::string& number : OrderNumbers(owner)) {
        EXPECT_GE(number, "0000000005");
        EXPECT_LE(number, "0000000012");
    }

    EXPECT_TRUE(Filtro.NrPedido.boIntervalo);
    EXPECT_EQ(Filtro.NrPedido.stDe, "0000000005");
    EXPECT_EQ(Filtro.NrPedido.stAte, "0000000012");
    EXPECT_FALSE(Filtro.boAlta);
    EXPECT_FALSE(Filtro.boPAndamento);
    EXPECT_TRUE(Filtro.boILiquidado);
    EXPECT_FALSE(Filtro.boIPendente);
    EXPECT_TRUE(Filtro.boPLiquidado) << "the disabled box never reaches the record";
    EXPECT_FALSE(Filtro.Cliente.boTodos);
    EXPECT_EQ(Filtro.Cliente.stLista, "000001_000003");
    EXPECT_EQ(Filtro.Produto.stLista, "000102");
    EXPECT_TRUE(Filtro.Vendedor.boTodos);
    EXPECT_EQ(Filtro.dtDeEmissao, Date(2020, 1, 1));
    EXPECT_EQ(Filtro.dtDeEntrega, 0);

    WithDialog([](TfrmFiltroCancelaPed& reopened) {
        EXPECT_TRUE(reopened.rbtIntervalo.Checked());
        EXPECT_EQ(reopened.medAteIntervalo.Text(), "0000000012");
        EXPECT_TRUE(reopened.rbtLCliente.Checked());
        EXPECT_EQ(stProduto, "000102");
        EXPECT_FALSE(reopened.chbIPendente.Checked());
        EXPECT_EQ(reopened.depAteEmissao.Text(), "31/12/2030");
    });
}

TEST_F(FilterDialogTest, DatesOutOfForceKeepTheValuesOfTheLastRangeInForce) {
    Screen();
    ASSERT_TRUE(Confirm([this](TfrmFiltroCancelaPed& dialog) {
        user.Type(dialog.depDeEmissao, "01052024");
        user.Type(dialog.depAteEmissao, "31052024");
        user.Type(dialog.depDeEntrega, "01062024");
        user.Type(dialog.depAteEntrega, "30062024");
    }));
    TfrmFiltroCancelaPed& dialog = *frmFiltroCancelaPed;
    EXPECT_EQ(dialog.stParTEntrega, "");
    EXPECT_EQ(dialog.stParTEmissao, "");

    ASSERT_TRUE(Confirm([this](TfrmFiltroCancelaPed& d) {
        d.depDeEntrega.Clear();
        d.depAteEntrega.Clear();
        d.depDeEmissao.Clear();
        user.Focus(d.depAteEmissao);
        d.depAteEmissao.Clear();
    })) << ::testing::PrintToString(platform.Errors());
    EXPECT_EQ(dialog.stParTEntrega, "T");
    EXPECT_EQ(dialog.stParTEmissao, "T");
    EXPECT_EQ(dialog.dtParDeEntrega, Date(2024, 6, 1));
    EXPECT_EQ(dialog.dtParAteEntrega, Date(2024, 6, 30));
    EXPECT_EQ(dialog.dtParDeEmissao, Date(2024, 5, 1));
    EXPECT_EQ(dialog.dtParAteEmissao, Date(2024, 5, 31));
    EXPECT_EQ(Filtro.dtDeEntrega, 0) << "the record keeps what the edits showed";
    EXPECT_EQ(Filtro.dtAteEmissao, 0);
}

TEST_F(FilterDialogTest, AListAfterARangeSendsTheListAndNoRange) {
    TfrmCancelaPed& owner = Screen();
    ASSERT_TRUE(Confirm([this](TfrmFiltroCancelaPed& dialog) {
        user.Click(dialog.rbtIntervalo);
        user.Type(dialog.medDeIntervalo, "1");
        user.Type(dialog.medAteIntervalo, "3");
    }));
    ASSERT_TRUE(Confirm([this](TfrmFiltroCancelaPed& dialog) {
        user.Click(dialog.rbtLNrPedido);
        stNrPedido = "0000000002_0000000004";
    })) << ::testing::PrintToString(platform.Errors());
    const TfrmFiltroCancelaPed& dialog = *frmFiltroCancelaPed;
    EXPECT_EQ(dialog.stParDeNrPedido, "");
    EXPECT_EQ(dialog.stParAteNrPedido, "");
    EXPECT_EQ(dialog.stParNrPedido, "0000000002_0000000004");
    EXPECT_EQ(dialog.stParTNrPedido, "");
    EXPECT_TRUE(Filtro.NrPedido.boLista);
    EXPECT_FALSE(Filtro.NrPedido.boIntervalo);
    EXPECT_EQ(Filtro.NrPedido.stDe, "");
    for (const std::string& number : OrderNumbers(owner))
        EXPECT_TRUE(number == "0000000002" || number == "0000000004") << number;
}

TEST_F(FilterDialogTest, ASellerListIsSentForAnOperatorWhoSeesEverySeller) {
    Screen();
    ASSERT_TRUE(Confirm([this](TfrmFiltroCancelaPed& dialog) {
        user.Click(dialog.rbtLVendedor);
        stVendedor = "0002_0004";
    }));
    EXPECT_EQ(frmFiltroCancelaPed->stParVendedor, "0002_0004");
    EXPECT_EQ(frmFiltroCancelaPed->stParTVendedor, "");
    EXPECT_EQ(Filtro.Vendedor.stLista, "0002_0004");
    EXPECT_FALSE(Filtro.Vendedor.boTodos);
}

struct RestrictedCase {
    const char* Branch;
    const char* Operator;
    const char* Seller;
};

class RestrictedConfirmationTest : public FilterDialogTest,
                                   public ::testing::WithParamInterface<RestrictedCase> {};

TEST_P(RestrictedConfirmationTest, ARestrictedOperatorSendsHisOwnSellerCode) {
    const RestrictedCase& c = GetParam();
    LogInAs(c.Operator);
    Screen(c.Branch);
    ASSERT_TRUE(Confirm({})) << ::testing::PrintToString(platform.Errors());
    EXPECT_EQ(frmFiltroCancelaPed->stParVendedor, c.Seller);
    EXPECT_EQ(frmFiltroCancelaPed->stParTVendedor, "");
    EXPECT_FALSE(platform.IsBusy());
}

INSTANTIATE_TEST_SUITE_P(Operators, RestrictedConfirmationTest,
                         ::testing::Values(RestrictedCase{"0002", "DEMO", ""},
                                           RestrictedCase{"0001", "VEND01", "0001"}),
                         [](const auto& instance) {
                             return std::string(instance.param.Operator) + "_" + instance.param.Branch;
                         });

TEST_F(FilterDialogTest, RightsWithdrawnWhileTheDialogIsOpenRestrictTheConfirmation) {
    auto db = server->Database().Connect();
    db->Execute("INSERT INTO OPERTPED (CDFILIAL, CDOPERADOR) VALUES ('0001', 'VEND02')");
    LogInAs("VEND02");
    Screen();
    const bool closed = Confirm([&](TfrmFiltroCancelaPed& dialog) {
        ASSERT_TRUE(dialog.grbVendedor.Enabled()) << "VEND02 may see every seller when the dialog opens";
        db->Execute("DELETE FROM OPERTPED WHERE CDOPERADOR = 'VEND02'");
    });
    EXPECT_TRUE(closed) << ::testing::PrintToString(platform.Errors());
    EXPECT_EQ(frmFiltroCancelaPed->stParVendedor, "0002");
    EXPECT_EQ(frmFiltroCancelaPed->stParTVendedor, "");
}

TEST_F(FilterDialogTest, AFailedLoadKeepsTheDialogOpenWithTheConfirmedState) {
    Screen();
    const bool closed = Confirm([this](TfrmFiltroCancelaPed& dialog) {
        user.Click(dialog.chbUrgente);
        user.Click(dialog.rbtLCliente);
        stCliente = "000001__000002"; // the server refuses an empty code
        platform.ClearEvents();
    });
    EXPECT_FALSE(closed);
    ASSERT_EQ(platform.Errors().size(), 1u);
    EXPECT_NE(platform.Errors()[0].find("clientes"), std::string::npos) << platform.Errors()[0];
    EXPECT_FALSE(Filtro.boUrgente) << "the record was written before the load";
    EXPECT_EQ(Filtro.Cliente.stLista, "000001__000002");
    EXPECT_EQ(frmFiltroCancelaPed->stParCliente, "000001__000002");
    EXPECT_FALSE(platform.IsBusy());
}
