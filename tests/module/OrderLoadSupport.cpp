#include "OrderLoadSupport.h"

#include "CLI_Ped01001/Cli_ped01001.h"

#include <algorithm>
#include <httplib.h>
#include <sstream>

namespace orderload {

std::string OrderNumber(int n) {
    const std::string digits = std::to_string(n);
    return std::string(10 - digits.size(), '0') + digits;
}

void AskForEverything(TfrmFiltroCancelaPed& dialog, const std::string& branch) {
    dialog.stParCdFilial = branch;
    dialog.stParVendedor = dialog.stParCliente = dialog.stParProduto = "";
    dialog.stParTVendedor = dialog.stParTCliente = dialog.stParTProduto = "T";
    dialog.stParPrioridade = "123";
    dialog.stParSitPedido = "123456";
    dialog.dtParDeEmissao = dialog.dtParAteEmissao = dialog.dtParDeEntrega = dialog.dtParAteEntrega = 0;
    dialog.stParTEmissao = dialog.stParTEntrega = "T";
    dialog.stParDeNrPedido = dialog.stParAteNrPedido = dialog.stParNrPedido = "";
    dialog.stParTNrPedido.assign(1, 'T');
    dialog.stParSitItemPedido = "1234567";
}

std::size_t ColumnOf(const data::Packet& packet, const std::string& name) {
    const auto it = std::find_if(packet.Fields.begin(), packet.Fields.end(),
                                 [&](const data::PacketField& field) { return field.Name == name; });
    return static_cast<std::size_t>(it - packet.Fields.begin());
}

std::string MarkOf(const TfrmCancelaPed& screen, const std::string& nrPedido) {
    const data::Packet packet = screen.cdsPedido.ToPacket();
    const std::size_t number = ColumnOf(packet, "NRPEDIDO");
    const std::size_t check = ColumnOf(packet, "IDCHECK");
    for (const auto& row : packet.Rows) {
        if (std::get<std::string>(row[number]) == nrPedido) {
            const auto* mark = std::get_if<std::string>(&row[check]);
            return mark ? *mark : std::string();
        }
    }
    return "(not loaded)";
}

void Execute(const testkit::ServerProcess& server, const std::string& sql) {
    server.Database().Connect()->Execute(sql);
}

double Metric(const testkit::ServerProcess& server, const std::string& series) {
    httplib::Client client(server.Host(), server.Port());
    const auto answer = client.Get("/metrics");
    if (!answer || answer->status != 200)
        throw std::runtime_error("GET /metrics failed");
    std::istringstream lines(answer->body);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.starts_with(series + " "))
            return std::stod(line.substr(series.size() + 1));
    }
    return 0;
}

const ExpectedMark DemoMarks[12] = {
    {1, "N", "situation 1, pending items"},
    {11, "N", "situation 1, one pending item"},
    {2, "", "situation 1 with a cancelled item"},
    {3, "N", "situation 2, items confirmed or pending, nothing delivered or reserved"},
    {4, "", "situation 2 with an approved item"},
    {5, "", "situation 2 with a delivered item (GetItemPedidoSemFiltro2)"},
    {6, "", "situation 2 with a reserved lot (GetItemPedidoSemFiltro2)"},
    {7, "", "situation 3"},
    {8, "N", "situation 4 with a commitment on a branch that controls them"},
    {9, "", "situation 5"},
    {10, "", "situation 6"},
    {108, "", "situation 1, shape of order 12, but its first item was cancelled on its own"},
};

double OkCalls(const testkit::ServerProcess& server, const std::string& method) {
    return Metric(server, "pedserver_requests_total{method=\"" + method + "\",outcome=\"ok\"}");
}

} // namespace orderload

TfrmCancelaPed& OrderLoadTest::OpenOn(const std::string& branch) {
    TfrmCancelaPed& screen = OpenScreenWithFixedBranch(branch);
    orderload::AskForEverything(*frmFiltroCancelaPed, branch);
    return screen;
}

bool OrderLoadTest::Refresh(TfrmCancelaPed& screen) {
    return app.Dispatch([&screen] { screen.sbtVerificarClick(screen.sbtVerificar); });
}

void OrderLoadTest::ExpectAFailedItemReadToFailTheLoad() {
    TfrmCancelaPed& screen = OpenOn("0001");
    ASSERT_TRUE(Refresh(screen)) << testing::PrintToString(platform.Errors());
    orderload::Execute(*server, "ALTER TABLE PRODUTO RENAME TO PRODUTO_FORA");
    struct Restore {
        ~Restore() { orderload::Execute(*server, "ALTER TABLE PRODUTO_FORA RENAME TO PRODUTO"); }
    } restore;

    EXPECT_FALSE(Refresh(screen));

    EXPECT_EQ(platform.Errors().size(), 1u) << testing::PrintToString(platform.Errors());
    EXPECT_FALSE(screen.cdsPedido.Active()) << "orders the check did not reach must not be offered";
    EXPECT_FALSE(screen.cdsPedido.ControlsDisabled());
    EXPECT_TRUE(static_cast<bool>(screen.cdsPedido.AfterScroll));
    EXPECT_EQ(platform.UpdateLockDepth(), 0);
    EXPECT_FALSE(platform.IsBusy());
    EXPECT_TRUE(screen.sbtFiltro.Enabled());
    EXPECT_FALSE(screen.tshItemPedido.Enabled());
}

void OrderLoadTest::ExpectEveryOrderAloneToGetTheMarkOfTheWholeLoad() {
    TfrmCancelaPed& screen = OpenOn("0001");
    for (const orderload::ExpectedMark& c : orderload::DemoMarks) {
        TfrmFiltroCancelaPed& filter = *frmFiltroCancelaPed;
        filter.stParTNrPedido.clear();
        filter.stParDeNrPedido = filter.stParAteNrPedido = orderload::OrderNumber(c.Order);
        ASSERT_TRUE(Refresh(screen)) << testing::PrintToString(platform.Errors());
        ASSERT_EQ(screen.cdsPedido.RecordCount(), 1) << "order " << c.Order;
        EXPECT_EQ(orderload::MarkOf(screen, orderload::OrderNumber(c.Order)), c.Mark)
            << "order " << c.Order << " alone: " << c.Why;
        EXPECT_EQ(screen.cdsItemPedido.FieldByName("NRPEDIDO").AsString(), orderload::OrderNumber(c.Order));
    }
}
