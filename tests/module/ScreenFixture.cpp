#include "ScreenFixture.h"

#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "Consiste.h"
#include "DtmDBGeral.h"
#include "Morvale.h"
#include "PKG_PED01000/PKG_PED01000.h"
#include "RdmCancelaPedido.h"

std::unique_ptr<testkit::ServerProcess> ScreenTest::server;

void ScreenTest::SetUpTestSuite() {
    server = std::make_unique<testkit::ServerProcess>();
}

void ScreenTest::TearDownTestSuite() {
    server.reset();
}

ScreenTest::ScreenTest() {
    host.OperatorToken = server->Token(host.OperatorCode);
    host.ServerHost = server->Host();
    host.ServerPort = server->Port();
    Morvale::InstallHostValues(&host);
    dtmDBGeral::Open();
    app.SetPlatform(platform);
    mainForm = &app.CreateForm<ui::Form>("frmPrincipal");
    mainForm->Show();
}

ScreenTest::~ScreenTest() {
    dtmDBGeral::Close();
    Morvale::InstallHostValues(nullptr);
}

void ScreenTest::SetUp() {
    Initialize();
}

void ScreenTest::TearDown() {
    Finalize();
}

TfrmCancelaPed& ScreenTest::OpenScreen() {
    EXPECT_TRUE(app.Dispatch([] { IniProc(); })) << ::testing::PrintToString(platform.Errors());
    if (!frmCancelaPed)
        throw std::runtime_error("IniProc left no screen");
    return *frmCancelaPed;
}

TfrmCancelaPed& ScreenTest::OpenScreenWithFixedBranch(const std::string& branch) {
    host.FixedBranch = true;
    host.Branch = branch;
    const int shownBefore = filterDialogsShown;
    CancelNextFilterDialog();
    TfrmCancelaPed& screen = OpenScreen();
    EXPECT_EQ(filterDialogsShown, shownBefore + 1) << "the first activation opens the filter dialog";
    return screen;
}

void ScreenTest::CancelNextFilterDialog() {
    platform.QueueModalAction([this] {
        ASSERT_NE(frmFiltroCancelaPed, nullptr);
        ASSERT_TRUE(frmFiltroCancelaPed->IsModal());
        ++filterDialogsShown;
        user.Click(frmFiltroCancelaPed->sbtCancel);
    });
}

void ScreenTest::LoadAllOrders(TfrmCancelaPed& screen) {
    std::string texts[16] = {screen.medCdFilial.Text(),
                             "",
                             "T",
                             "",
                             "T",
                             "",
                             "T",
                             "321",
                             "1246",
                             "T",
                             "T",
                             "",
                             "",
                             "",
                             "T",
                             "1234657"};
    double dates[4] = {0, 0, 0, 0};
    // The screen's refresh then repeats this load through the filter dialog's parameters.
    if (TfrmFiltroCancelaPed* d = frmFiltroCancelaPed) {
        d->stParCdFilial = texts[0];
        d->stParVendedor = texts[1];
        d->stParTVendedor = texts[2];
        d->stParCliente = texts[3];
        d->stParTCliente = texts[4];
        d->stParProduto = texts[5];
        d->stParTProduto = texts[6];
        d->stParPrioridade = texts[7];
        d->stParSitPedido = texts[8];
        d->dtParDeEmissao = d->dtParAteEmissao = d->dtParDeEntrega = d->dtParAteEntrega = 0;
        d->stParTEmissao = texts[9];
        d->stParTEntrega = texts[10];
        d->stParDeNrPedido = texts[11];
        d->stParAteNrPedido = texts[12];
        d->stParNrPedido = texts[13];
        d->stParTNrPedido = texts[14];
        d->stParSitItemPedido = texts[15];
    }
    RdmCancelaPedido rdm(screen.netCancelaPed);
    const RemoteResult result =
        rdm.GetPedido(texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6], texts[7],
                      texts[8], dates[0], dates[1], texts[9], dates[2], dates[3], texts[10], texts[11],
                      texts[12], texts[13], texts[14], texts[15]);
    ASSERT_TRUE(result.Ok) << result.Message;
    screen.cdsPedido.LoadFromPacket(Consiste::CheckResultServ(result, true, 0));
    ASSERT_GT(screen.cdsPedido.RecordCount(), 1);
    screen.Habilita();
}
