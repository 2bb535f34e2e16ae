#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "Consiste.h"
#include "RdmCancelaPedido.h"
#include "RemoteCallLog.h"
#include "ScreenFixture.h"
#include "protocol/LookupCatalogue.h"
#include "ui/Keys.h"

#include <functional>
#include <regex>
#include <set>

namespace {

using Step = std::function<void(TfrmFiltroCancelaPed&)>;

std::set<std::string> Keys(data::DataSet& dataSet, const std::string& field) {
    std::set<std::string> keys;
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
        keys.insert(dataSet.FieldByName(field).AsString());
    return keys;
}

void SetParam(TfrmCancelaPed& screen, const std::string& field, const std::string& value) {
    screen.cdsParamPedido.Edit();
    screen.cdsParamPedido.FieldByName(field).SetAsString(value);
    screen.cdsParamPedido.Post();
}

} // namespace

class ListPickersTest : public ScreenTest {
protected:
    TfrmCancelaPed& Open(const std::string& operatorCode = "DEMO") {
        host.OperatorCode = operatorCode;
        host.OperatorToken = server->Token(operatorCode);
        screen = &OpenScreenWithFixedBranch();
        return *screen;
    }

    // Opens the filter dialog, runs the steps in it one per turn, and leaves it with cancel.
    void InDialog(const std::vector<Step>& steps) {
        for (const Step& step : steps)
            platform.QueueModalAction([step] { step(*frmFiltroCancelaPed); });
        CancelNextFilterDialog();
        ASSERT_TRUE(app.Dispatch([] { CriaFiltroCancelaPed(); }));
        EXPECT_EQ(platform.PendingModalActions(), 0u);
    }

    // The order-number lists the screen asked the server for.
    int NrPedidoCalls() const { return RemoteCallLog::Instance().Count("GetNrPedido"); }

    // The order numbers the server offers for the branch with these arguments.
    std::set<std::string> ServerOrderNumbers(const std::string& seller, const std::string& all) {
        RdmCancelaPedido rdm(screen->netCancelaPed);
        const RemoteResult result = rdm.GetNrPedido(screen->medCdFilial.Text(), seller, all);
        EXPECT_TRUE(result.Ok) << result.Message;
        TMemDataSet answer("answer");
        answer.AddField("NRPEDIDO", data::FieldType::String, 10);
        answer.LoadFromPacket(Consiste::CheckResultServ(result, true, 0));
        return Keys(answer, "NRPEDIDO");
    }

    // Opens the screen for the operator under the branch rule and checks that the order-number
    // list is the server's answer to the expected seller arguments, and not to the others.
    void ExpectOrderNumbersFor(const std::string& operatorCode, const std::string& rule,
                               const std::string& seller, const std::string& all, bool distinguishable) {
        Open(operatorCode);
        SetParam(*screen, "IDEXIBPEDIDO", rule);
        const std::set<std::string> expected = ServerOrderNumbers(seller, all);
        const std::set<std::string> other =
            ServerOrderNumbers(seller.empty() ? "0001" : "", all.empty() ? "T" : "");
        if (distinguishable) {
            ASSERT_NE(expected, other) << "the data should tell the two calls apart";
        }
        ASSERT_FALSE(expected.empty());
        InDialog({[this, &expected](TfrmFiltroCancelaPed& dialog) {
            ASSERT_TRUE(user.Click(dialog.rbtLNrPedido));
            platform.PickRowsCancel();
            ASSERT_TRUE(user.Click(dialog.sbtNrPedido));
            EXPECT_EQ(Keys(dialog.cdsNrPedido, "NRPEDIDO"), expected);
        }});
    }

    std::vector<std::string> Picks() const {
        return platform.TextsOf(ui::HeadlessPlatform::EventKind::PickRows);
    }

    TfrmCancelaPed* screen = nullptr;
};

TEST_F(ListPickersTest, OrderNumbersAreFetchedOncePerBranch) {
    Open();
    const int callsBefore = NrPedidoCalls();
    std::string firstOrder;
    InDialog({
        [this](TfrmFiltroCancelaPed& dialog) {
            ASSERT_TRUE(user.Click(dialog.rbtLNrPedido));
            platform.PickRowsCancel();
            ASSERT_TRUE(user.Click(dialog.sbtNrPedido));
        },
        [&](TfrmFiltroCancelaPed& dialog) {
            ASSERT_FALSE(dialog.cdsNrPedido.IsEmpty());
            dialog.cdsNrPedido.First();
            firstOrder = dialog.cdsNrPedido.FieldByName("NRPEDIDO").AsString();
            platform.PickRows(firstOrder);
            ASSERT_TRUE(user.PressKey(dialog.rbtLNrPedido, ui::Key::F9));
        },
    });
    EXPECT_EQ(NrPedidoCalls(), callsBefore + 1);
    EXPECT_EQ(STCDFILIAL, "0001");
    EXPECT_EQ(stNrPedido, firstOrder);
    EXPECT_EQ(Picks(), (std::vector<std::string>{"Pedido", "Pedido"}));
    EXPECT_TRUE(platform.Errors().empty());

    screen->medCdFilial.SetText("0002");
    InDialog({[this](TfrmFiltroCancelaPed& dialog) {
        ASSERT_TRUE(user.Click(dialog.rbtLNrPedido));
        platform.PickRowsCancel();
        ASSERT_TRUE(user.Click(dialog.sbtNrPedido));
    }});
    EXPECT_EQ(NrPedidoCalls(), callsBefore + 2) << "another branch loads its own list";
    EXPECT_EQ(STCDFILIAL, "0002");
}

TEST_F(ListPickersTest, NoOrderNumbersIsReportedAndTheNextClickAsksAgain) {
    Open();
    screen->medCdFilial.SetText("0009");
    const int callsBefore = NrPedidoCalls();
    InDialog({
        [this](TfrmFiltroCancelaPed& dialog) {
            ASSERT_TRUE(user.Click(dialog.rbtLNrPedido));
            stNrPedido = "0000000001";
            user.Click(dialog.sbtNrPedido);
            EXPECT_TRUE(dialog.OnActivate) << "the activation handler is attached again";
        },
        [this](TfrmFiltroCancelaPed& dialog) {
            user.Click(dialog.sbtNrPedido);
            EXPECT_EQ(stNrPedido, "0000000001") << "the working list is left as it was";
        },
    });
    EXPECT_EQ(platform.Errors(),
              (std::vector<std::string>{"Não há pedido cadastrado.", "Não há pedido cadastrado."}));
    EXPECT_EQ(NrPedidoCalls(), callsBefore + 2);
    EXPECT_EQ(STCDFILIAL, "");
    EXPECT_TRUE(Picks().empty());
    EXPECT_FALSE(platform.IsBusy());
}

// VEND01 is seller 0001. With an OPERTPED entry the server lets him see every seller's orders,
// so only the arguments of GetNrPedido decide which orders he is offered.
TEST_F(ListPickersTest, RuleTwoListsTheOperatorsOwnSellersOrders) {
    auto db = server->Database().Connect();
    db->Execute("INSERT INTO OPERTPED (CDFILIAL, CDOPERADOR) VALUES ('0001', 'VEND01')");
    ExpectOrderNumbersFor("VEND01", "2", "0001", "", true);
    db->Execute("DELETE FROM OPERTPED WHERE CDOPERADOR = 'VEND01'");
}

// Without an OPERTPED entry the server itself keeps VEND01 to his own orders, whatever is asked.
TEST_F(ListPickersTest, RuleOneListsTheOwnSellersOrdersForAnOperatorWithoutOrderTypes) {
    ExpectOrderNumbersFor("VEND01", "1", "0001", "", false);
    EXPECT_TRUE(screen->cdsOperTPed.IsEmpty());
}

TEST_F(ListPickersTest, RuleOneListsEverySellersOrdersForAnOperatorWithOrderTypes) {
    ExpectOrderNumbersFor("DEMO", "1", "", "T", true);
    EXPECT_FALSE(screen->cdsOperTPed.IsEmpty());
}

TEST_F(ListPickersTest, ABranchWithoutASellerRuleOffersNoOrdersOfTheBranchBefore) {
    Open();
    InDialog({[this](TfrmFiltroCancelaPed& dialog) {
        ASSERT_TRUE(user.Click(dialog.rbtLNrPedido));
        platform.PickRowsCancel();
        ASSERT_TRUE(user.Click(dialog.sbtNrPedido));
    }});
    ASSERT_EQ(STCDFILIAL, "0001");
    screen->medCdFilial.SetText("0002");
    SetParam(*screen, "IDEXIBPEDIDO", "3");
    InDialog({[this](TfrmFiltroCancelaPed& dialog) {
        ASSERT_TRUE(user.Click(dialog.rbtLNrPedido));
        user.Click(dialog.sbtNrPedido);
    }});
    EXPECT_EQ(platform.Errors(), std::vector<std::string>{"Não há pedido cadastrado."});
    EXPECT_EQ(Picks().size(), 1u);
    EXPECT_EQ(STCDFILIAL, "");
}

TEST_F(ListPickersTest, ClientAndSellerPicksWriteTheMarkedCodes) {
    Open();
    InDialog({[this](TfrmFiltroCancelaPed& dialog) {
        ASSERT_TRUE(user.Click(dialog.rbtLCliente));
        platform.PickRows("000003_000005");
        ASSERT_TRUE(user.Click(dialog.sbtCliente));
        ASSERT_TRUE(user.Click(dialog.rbtLVendedor));
        platform.PickRows("0002");
        ASSERT_TRUE(user.PressKey(dialog.rbtLVendedor, ui::Key::F9));
        platform.PickRows("0002_0004");
        ASSERT_TRUE(user.Click(dialog.sbtVendedor));
    }});
    EXPECT_EQ(stCliente, "000003_000005");
    EXPECT_EQ(stVendedor, "0002_0004");
    EXPECT_EQ(Picks(), (std::vector<std::string>{"Cliente", "Vendedor", "Vendedor"}));
}

TEST_F(ListPickersTest, F9OpensTheProductListEvenWithAllProductsChosen) {
    Open();
    InDialog({[this](TfrmFiltroCancelaPed& dialog) {
        ASSERT_TRUE(dialog.rbtTProduto.Checked());
        platform.PickRows("000102_000205");
        ASSERT_TRUE(user.PressKey(dialog.rbtLProduto, ui::Key::F9));
        EXPECT_TRUE(dialog.rbtTProduto.Checked());
        // Only the last level of the product tree is offered.
        EXPECT_EQ(dialog.qryProduto.RecordCount(), 9);
        for (const std::string& code : Keys(dialog.qryProduto, "CDARVPROD"))
            EXPECT_EQ(code.size(), 6u) << code;
        ASSERT_TRUE(user.PressKey(dialog.rbtLProduto, ui::Key::F9 - 1));
    }});
    EXPECT_EQ(Picks(), std::vector<std::string>{"Produto - Filial 0001"}) << "other keys open nothing";
    EXPECT_EQ(stProduto, "000102_000205");
}

TEST_F(ListPickersTest, ProductPickTitleNamesTheBranchAndKeepsTheOrderNumberChoice) {
    Open();
    for (const char* radio : {"rbtTNrPedido", "rbtIntervalo", "rbtLNrPedido"}) {
        SCOPED_TRACE(radio);
        platform.ClearEvents();
        InDialog({[this, radio](TfrmFiltroCancelaPed& dialog) {
            ASSERT_TRUE(user.Click(*dialog.Find<ui::Control>(radio)));
            ASSERT_TRUE(user.Click(dialog.rbtLProduto));
            const bool states[] = {dialog.rbtTNrPedido.Checked(), dialog.rbtLNrPedido.Checked(),
                                   dialog.rbtIntervalo.Checked()};
            platform.PickRowsCancel();
            ASSERT_TRUE(user.Click(dialog.sbtProduto));
            EXPECT_EQ(dialog.rbtTNrPedido.Checked(), states[0]);
            EXPECT_EQ(dialog.rbtLNrPedido.Checked(), states[1]);
            EXPECT_EQ(dialog.rbtIntervalo.Checked(), states[2]);
        }});
        EXPECT_EQ(Picks(), std::vector<std::string>{"Produto - Filial 0001"});
    }
}

TEST_F(ListPickersTest, LookupFieldsShowRegistrationNumbersAndTreeCodesThroughTheirMasks) {
    Open();
    TfrmFiltroCancelaPed& dialog = *frmFiltroCancelaPed;
    dialog.qryCliente.Open();
    ASSERT_EQ(dialog.qryCliente.RecordCount(), 12);
    const std::regex cpf(R"(\d{3}\.\d{3}\.\d{3}-\d{2})");
    const std::regex cnpj(R"(\d{2}\.\d{3}\.\d{3}/\d{4}-\d{2})");
    for (dialog.qryCliente.First(); !dialog.qryCliente.Eof(); dialog.qryCliente.Next()) {
        const std::string type = dialog.qryCliente.FieldByName("IDTPIJURCLIE").AsString();
        const std::string shown = dialog.qryCliente.FieldByName("NRINSJURCLIE").DisplayText();
        EXPECT_TRUE(std::regex_match(shown, type == "F" ? cpf : cnpj)) << type << " " << shown;
    }
    dialog.qryProduto.SetSQL(std::string(lookups::ProdutosDaArvore.sql));
    dialog.qryProduto.ParamByName("P_CDARVPROD").SetAsString("201002");
    dialog.qryProduto.Open();
    EXPECT_EQ(dialog.qryProduto.FieldByName("CDARVPROD").DisplayText(), "2.01.002")
        << "a text without the level parameter opens as it is";
}

class ListPickersWithoutSellersTest : public ListPickersTest {};

TEST_F(ListPickersWithoutSellersTest, NoSellerIsReportedWithTheFocusOnTheListChoice) {
    server->Database().Connect()->Execute("DELETE FROM VENDEDOR");
    Open();
    InDialog({[this](TfrmFiltroCancelaPed& dialog) {
        ASSERT_TRUE(user.Click(dialog.rbtLVendedor));
        ASSERT_TRUE(user.Focus(dialog.chbNormal));
        user.Click(dialog.sbtVendedor);
        EXPECT_TRUE(dialog.rbtLVendedor.Focused());
    }});
    EXPECT_EQ(platform.Errors(), std::vector<std::string>{"Não há vendedor cadastrado."});
    EXPECT_TRUE(Picks().empty());
}

class ListPickersServerDownTest : public ListPickersTest {};

TEST_F(ListPickersServerDownTest, AFailedOrderNumberLoadStopsTheAnimationAndForgetsTheBranch) {
    Open();
    STCDFILIAL = "0003";
    InDialog({[this](TfrmFiltroCancelaPed& dialog) {
        ASSERT_TRUE(user.Click(dialog.rbtLNrPedido));
        // The module's kept-alive connection holds up a graceful stop; how it ends does not matter.
        server->Stop(std::chrono::milliseconds(100));
        user.Click(dialog.sbtNrPedido);
        EXPECT_TRUE(dialog.OnActivate) << "the activation handler is attached again";
        EXPECT_FALSE(platform.IsBusy());
    }});
    EXPECT_EQ(platform.Errors().size(), 1u);
    EXPECT_EQ(STCDFILIAL, "");
    EXPECT_TRUE(Picks().empty());
}
