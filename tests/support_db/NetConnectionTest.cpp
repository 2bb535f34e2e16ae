#include "RdmCancelaPedido.h"
#include "RemoteCallLog.h"
#include "TNetConnection.h"
#include "TestHostValues.h"
#include "data/DateTime.h"
#include "storage/OrderLock.h"
#include "testkit/FixedAnswerServer.h"
#include "testkit/LoopbackSocket.h"
#include "testkit/ServerProcess.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

const std::string OperBloq = "Operação bloqueada. Pedido em alteração por outro usuário.";
const std::string SaldoEmp = "Operação Bloqueada! Valor do pedido é maior que o saldo do empenho.";

// The twenty order-query arguments of the screen; the defaults ask for every order of the branch.
struct OrderQuery {
    std::string cdFilial = "0001", vendedor, tVendedor = "T", cliente, tCliente = "T", produto,
                tProduto = "T", prioridade = "321", sitPedido = "1246";
    double deEmissao = 0, ateEmissao = 0;
    std::string tEmissao = "T";
    double deEntrega = 0, ateEntrega = 0;
    std::string tEntrega = "T", deNrPedido, ateNrPedido, nrPedido, tNrPedido = "T", sitItemPedido = "1234657";

    RemoteResult Send(RdmCancelaPedido& rdm) {
        return rdm.GetPedido(cdFilial, vendedor, tVendedor, cliente, tCliente, produto, tProduto, prioridade,
                             sitPedido, deEmissao, ateEmissao, tEmissao, deEntrega, ateEntrega, tEntrega,
                             deNrPedido, ateNrPedido, nrPedido, tNrPedido, sitItemPedido);
    }
};

std::size_t ColumnOf(const data::Packet& packet, const std::string& name) {
    for (std::size_t column = 0; column < packet.Fields.size(); ++column) {
        if (packet.Fields[column].Name == name) {
            return column;
        }
    }
    throw std::invalid_argument("no field " + name);
}

std::string Text(const data::Packet& packet, std::size_t row, const std::string& field) {
    const auto& value = packet.Rows.at(row).at(ColumnOf(packet, field));
    return data::IsNullValue(value) ? "" : std::get<std::string>(value);
}

// The row of the order, or -1.
int RowOf(const data::Packet& packet, const std::string& nrPedido) {
    for (std::size_t row = 0; row < packet.Rows.size(); ++row) {
        if (Text(packet, row, "NRPEDIDO") == nrPedido) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

// Checks exactly one order of the packet, as the screen does before cancelling.
data::Packet WithOnlyChecked(data::Packet packet, const std::string& nrPedido) {
    const std::size_t check = ColumnOf(packet, "IDCHECK");
    for (std::size_t row = 0; row < packet.Rows.size(); ++row) {
        packet.Rows[row][check] = std::string(Text(packet, row, "NRPEDIDO") == nrPedido ? "S" : "N");
    }
    return packet;
}

class NetConnectionTest : public testing::Test {
protected:
    static void SetUpTestSuite() { s_server = std::make_unique<testkit::ServerProcess>(); }
    static void TearDownTestSuite() { s_server.reset(); }

    void SetUp() override {
        m_host.token = s_server->Token("DEMO");
        m_host.webPort = s_server->Port();
        m_connection.SetServerName("Ped01000.rdmCancelaPedido");
        // As the screen does: the address comes from the host values before each connect.
        m_connection.BeforeConnect = [this](TNetConnection& sender) {
            ++m_connects;
            sender.SetHost(Morvale::WebURL());
            sender.SetPort(Morvale::WebPort());
        };
    }

    // An order of the branch the server lets the operator cancel: pending, no cancelled item,
    // not being edited and with no commitment.
    std::string CancellableOrder(int skip) const {
        const auto db = s_server->Database().Connect();
        return db
            ->Query(
                "SELECT P.NRPEDIDO FROM PEDIDO P WHERE P.CDFILIAL = '0001' AND P.IDSITPEDIDO = '1' AND "
                "P.CDOPERALTE IS NULL AND P.NREMPENHO IS NULL AND EXISTS (SELECT 1 FROM ITEMPEDIDO I "
                "WHERE I.CDFILIAL = P.CDFILIAL AND I.NRPEDIDO = P.NRPEDIDO) AND NOT EXISTS (SELECT 1 FROM "
                "ITEMPEDIDO I WHERE I.CDFILIAL = P.CDFILIAL AND I.NRPEDIDO = P.NRPEDIDO AND "
                "I.IDSITITEMPED = '5') ORDER BY P.NRPEDIDO")
            .Text(static_cast<std::size_t>(skip), "NRPEDIDO");
    }

    static std::unique_ptr<testkit::ServerProcess> s_server;
    TestHostValues m_host;
    TNetConnection m_connection{"netCancelaPed"};
    int m_connects = 0;
};

std::unique_ptr<testkit::ServerProcess> NetConnectionTest::s_server;

TEST_F(NetConnectionTest, ConnectingTakesTheAddressFromTheHookWithoutContactingTheServer) {
    const testkit::LoopbackSocket nobodyAnswers(true);
    m_host.webUrl = "http://127.0.0.1/";
    m_host.webPort = nobodyAnswers.Port();
    m_connection.Open();
    EXPECT_TRUE(m_connection.Connected());
    EXPECT_EQ(m_connects, 1);
    EXPECT_EQ(m_connection.Port(), nobodyAnswers.Port());
    m_connection.Open();
    EXPECT_EQ(m_connects, 1);

    m_connection.Close();
    EXPECT_FALSE(m_connection.Connected());
    m_host.webUrl = "127.0.0.1";
    m_host.webPort = s_server->Port();
    m_connection.Open();
    EXPECT_EQ(m_connects, 2);
    EXPECT_TRUE(RdmCancelaPedido(m_connection).GetParamPedido("0001").Ok);
}

TEST_F(NetConnectionTest, AGetCallBringsTheBranchParametersAsAPacket) {
    m_connection.Open();
    RdmCancelaPedido rdm(m_connection);
    const RemoteResult result = rdm.GetParamPedido("0001");
    ASSERT_TRUE(result.Ok) << result.Message;
    ASSERT_TRUE(result.Packet.has_value());
    ASSERT_EQ(result.Packet->Rows.size(), 1u);
    EXPECT_EQ(Text(*result.Packet, 0, "IDUTCTREMPEN"), "S");
    EXPECT_EQ(Text(*result.Packet, 0, "IDEXIBPEDIDO"), "1");
    EXPECT_EQ(Text(*rdm.getOperTPed("0001", "DEMO").Packet, 0, "CDOPERADOR"), "DEMO");
}

TEST_F(NetConnectionTest, ABatchAnswersEveryCallInOrderEachOnItsOwnAcrossTheServersBatchSize) {
    m_connection.Open();
    RdmCancelaPedido rdm(m_connection);
    // More orders than one exchange may carry, so the batch is sent in parts.
    const std::size_t count = 2 * TNetConnection::MaxBatchCalls + 7;
    std::vector<RdmCancelaPedido::OrderKey> orders;
    for (std::size_t i = 0; i < count; ++i)
        orders.emplace_back("0001",
                            std::string(10 - std::to_string(i + 1).size(), '0') + std::to_string(i + 1));
    const std::vector<RemoteResult> batch = rdm.GetItemPedido(orders);
    ASSERT_EQ(batch.size(), count);
    for (std::size_t i = 0; i < count; i += 37) {
        const RemoteResult alone = rdm.GetItemPedido(orders[i].first, orders[i].second);
        ASSERT_TRUE(batch[i].Ok) << batch[i].Message;
        EXPECT_EQ(batch[i].Packet->Rows, alone.Packet->Rows) << orders[i].second;
    }
    // A refused call fails alone; the calls around it are answered.
    const std::vector<RemoteResult> mixed =
        m_connection.CallBatch({{"GetParamPedido", {std::string("0001")}},
                                {"GetItemPedido", {std::string("0001")}},
                                {"GetParamPedido", {std::string("0002")}}});
    ASSERT_EQ(mixed.size(), 3u);
    EXPECT_TRUE(mixed[0].Ok);
    EXPECT_FALSE(mixed[1].Ok);
    EXPECT_FALSE(mixed[1].Message.empty());
    EXPECT_TRUE(mixed[2].Ok);
    EXPECT_EQ(Text(*mixed[2].Packet, 0, "IDUTCTREMPEN"), "N");
}

// A started batch goes on while the caller works: a call made meanwhile waits for its exchanges
// and is answered, the batch's results are taken afterwards, and a batch dropped unfinished
// leaves the connection usable.
TEST_F(NetConnectionTest, AStartedBatchIsFinishedLaterAndCallsMadeMeanwhileAreAnswered) {
    m_connection.Open();
    std::vector<RemoteCall> calls;
    for (std::size_t i = 0; i < 2 * TNetConnection::MaxBatchCalls + 1; ++i)
        calls.push_back({"GetParamPedido", {std::string(i % 2 ? "0001" : "0002")}});
    TNetConnection::PendingBatch started = m_connection.StartBatch(calls);
    const RemoteResult meanwhile = m_connection.Call("GetParamPedido", {std::string("0002")});
    ASSERT_TRUE(meanwhile.Ok) << meanwhile.Message;
    EXPECT_EQ(Text(*meanwhile.Packet, 0, "IDUTCTREMPEN"), "N");
    const std::vector<RemoteResult> results = m_connection.FinishBatch(std::move(started));
    ASSERT_EQ(results.size(), calls.size());
    for (std::size_t i = 0; i < results.size(); ++i) {
        ASSERT_TRUE(results[i].Ok) << i << ": " << results[i].Message;
        EXPECT_EQ(results[i].Packet->Rows.size(), 1u) << i;
    }
    { TNetConnection::PendingBatch dropped = m_connection.StartBatch(calls); }
    TNetConnection::PendingBatch unfinished = m_connection.StartBatch(calls);
    EXPECT_EQ(m_connection.CallBatch(calls).size(), calls.size()) << "after an unfinished batch";
    m_connection.Close();
    EXPECT_TRUE(m_connection.FinishBatch(std::move(unfinished)).front().Ok)
        << "its answers had come before the connection closed";
}

// Results taken in parts, across the exchanges' boundaries, are each call's own in call order,
// and a part asked beyond the batch's end holds only what is left.
TEST_F(NetConnectionTest, ABatchTakenInPartsKeepsEachResultWithItsCall) {
    m_connection.Open();
    // A refused call every third, between the branches' parameters, to see each result's place.
    std::vector<RemoteCall> calls;
    for (std::size_t i = 0; i < 3 * TNetConnection::MaxBatchCalls + 7; ++i) {
        if (i % 3 == 0)
            calls.push_back({"GetItemPedido", {std::string("0001")}});
        else
            calls.push_back({"GetParamPedido", {std::string(i % 3 == 1 ? "0001" : "0002")}});
    }
    const std::vector<RemoteResult> whole = m_connection.CallBatch(calls);
    ASSERT_EQ(whole.size(), calls.size());
    TNetConnection::PendingBatch started = m_connection.StartBatch(calls);
    std::vector<RemoteResult> parts;
    for (std::size_t count : {0u, 1u, 98u, 2u, 150u, 1000u, 5u}) {
        std::vector<RemoteResult> part = m_connection.TakeResults(started, count);
        EXPECT_EQ(part.size(), std::min<std::size_t>(count, calls.size() - parts.size())) << count;
        for (auto& result : part)
            parts.push_back(std::move(result));
    }
    ASSERT_EQ(parts.size(), calls.size());
    for (std::size_t i = 0; i < calls.size(); ++i) {
        ASSERT_EQ(parts[i].Ok, i % 3 != 0) << i << ": " << parts[i].Message;
        ASSERT_EQ(whole[i].Ok, parts[i].Ok) << i;
        if (parts[i].Ok) {
            EXPECT_EQ(parts[i].Packet->Rows, whole[i].Packet->Rows) << i;
        }
    }
    EXPECT_NE(Text(*parts[1].Packet, 0, "IDUTCTREMPEN"), Text(*parts[2].Packet, 0, "IDUTCTREMPEN"))
        << "the branches' parameters tell the places apart";
    EXPECT_TRUE(m_connection.FinishBatch(std::move(started)).empty()) << "nothing is left";
}

TEST_F(NetConnectionTest, ABatchToAServerThatIsDownFailsEveryCallInPortuguese) {
    const testkit::LoopbackSocket refused(false);
    m_host.webPort = refused.Port();
    m_connection.Open();
    const std::vector<RemoteResult> results = m_connection.CallBatch(
        {{"GetParamPedido", {std::string("0001")}}, {"GetParamPedido", {std::string("0002")}}});
    ASSERT_EQ(results.size(), 2u);
    for (const RemoteResult& result : results) {
        EXPECT_FALSE(result.Ok);
        EXPECT_EQ(result.Message,
                  "Servidor de aplicação indisponível em 127.0.0.1:" + std::to_string(refused.Port()) + ".");
    }
}

// The server takes at most a thousand codes a list: longer lists go as several calls of one
// exchange and come back as one result each.
TEST_F(NetConnectionTest, LocksAndBalancesOfLongListsComeBackAsOneResultEach) {
    m_connection.Open();
    std::vector<std::string> orders;
    for (int i = 0; i < 2000; ++i)
        orders.push_back(std::to_string(9000000000LL + i));
    orders.push_back("0000000004"); // being edited in the demo data, in the third list
    RemoteCallLog::Instance().Reset();
    RdmCancelaPedido rdm(m_connection);
    const auto results = rdm.GetBloqueioESaldo("0001", orders, {"2024NE000105"});
    ASSERT_EQ(results.size(), 2U);
    ASSERT_TRUE(results[0].Ok) << results[0].Message;
    ASSERT_EQ(results[0].Packet->Rows.size(), 1U);
    EXPECT_EQ(Text(*results[0].Packet, 0, "NRPEDIDO"), "0000000004");
    ASSERT_TRUE(results[1].Ok) << results[1].Message;
    EXPECT_EQ(results[1].Packet->Rows.size(), 1U);
    EXPECT_EQ(RemoteCallLog::Instance().Count("GetBloqueioPedido"), 3);
    EXPECT_EQ(RemoteCallLog::Instance().Count("GetSaldoEmpenho"), 1);
}

TEST_F(NetConnectionTest, DatesTravelBothWaysAndZeroMeansNoDate) {
    m_connection.Open();
    RdmCancelaPedido rdm(m_connection);
    OrderQuery everything;
    const RemoteResult all = everything.Send(rdm);
    ASSERT_TRUE(all.Ok) << all.Message;
    ASSERT_GT(all.Packet->Rows.size(), 2u);
    const auto dtPedido = ColumnOf(*all.Packet, "DTPEDIDO");
    const double day = std::get<double>(all.Packet->Rows[all.Packet->Rows.size() / 2][dtPedido]);

    OrderQuery oneDay;
    oneDay.deEmissao = day;
    oneDay.ateEmissao = day;
    oneDay.tEmissao = "";
    const RemoteResult filtered = oneDay.Send(rdm);
    ASSERT_TRUE(filtered.Ok) << filtered.Message;
    ASSERT_FALSE(filtered.Packet->Rows.empty());
    EXPECT_LT(filtered.Packet->Rows.size(), all.Packet->Rows.size());
    for (const auto& row : filtered.Packet->Rows) {
        EXPECT_EQ(data::DateToIso(std::get<double>(row[dtPedido])), data::DateToIso(day));
    }
    // Date 0 travels as no date, which the server refuses for a period that is not lifted by "T".
    oneDay.ateEmissao = 0;
    const RemoteResult open = oneDay.Send(rdm);
    EXPECT_FALSE(open.Ok);
    EXPECT_EQ(open.Message, "Período de emissão deve ser informado.");
}

TEST_F(NetConnectionTest, ACheckedPacketGoesToTheServerAndTheSetCallCountsItsRows) {
    m_connection.Open();
    RdmCancelaPedido rdm(m_connection);
    const std::string nrPedido = CancellableOrder(0);
    const RemoteResult before = OrderQuery{}.Send(rdm);
    ASSERT_TRUE(before.Ok) << before.Message;
    ASSERT_GE(RowOf(*before.Packet, nrPedido), 0);

    const RemoteResult cancelled = rdm.SetCancelaPed(
        "DEMO", "0001", WithOnlyChecked(*before.Packet, nrPedido), OperBloq, "0001", SaldoEmp);
    ASSERT_TRUE(cancelled.Ok) << cancelled.Message;
    EXPECT_GE(cancelled.Rows, 1);
    EXPECT_FALSE(cancelled.Packet.has_value());

    const RemoteResult after = OrderQuery{}.Send(rdm);
    const int row = RowOf(*after.Packet, nrPedido);
    ASSERT_GE(row, 0);
    EXPECT_EQ(Text(*after.Packet, static_cast<std::size_t>(row), "IDSITPEDIDO"), "4");
}

TEST_F(NetConnectionTest, ARefusalCarriesTheServersMessageOrRaisesWhenAskedTo) {
    const std::string nrPedido = CancellableOrder(1);
    pedserver::LockOrder(*s_server->Database().Connect(), "0001", nrPedido, "VEND01");
    m_connection.Open();
    RdmCancelaPedido rdm(m_connection);
    const data::Packet checked = WithOnlyChecked(*OrderQuery{}.Send(rdm).Packet, nrPedido);

    const RemoteResult refused = rdm.SetCancelaPed("DEMO", "0001", checked, OperBloq, "0001", SaldoEmp);
    EXPECT_FALSE(refused.Ok);
    EXPECT_EQ(refused.Message, OperBloq);

    m_connection.SetRaiseOnError(true);
    try {
        rdm.SetCancelaPed("DEMO", "0001", checked, OperBloq, "0001", SaldoEmp);
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), OperBloq);
    }
}

TEST_F(NetConnectionTest, AServerThatIsDownOrSilentFailsInPortugueseWithinTheTimeouts) {
    const testkit::LoopbackSocket silent(true);
    int refusedPort = 0;
    {
        const testkit::LoopbackSocket closedAgain(true);
        refusedPort = closedAgain.Port();
    }
    struct DownCase {
        int port;
        std::string message;
    };
    const std::vector<DownCase> cases = {
        {refusedPort, "Servidor de aplicação indisponível em 127.0.0.1:" + std::to_string(refusedPort) + "."},
        {silent.Port(),
         "Servidor de aplicação em 127.0.0.1:" + std::to_string(silent.Port()) + " não respondeu a tempo."},
    };
    for (const auto& down : cases) {
        SCOPED_TRACE(down.message);
        m_connection.Close();
        m_host.webPort = down.port;
        m_connection.SetReadTimeout(300ms);
        m_connection.SetConnectTimeout(300ms);
        m_connection.Open();
        const auto start = Clock::now();
        const RemoteResult result = RdmCancelaPedido(m_connection).GetParamPedido("0001");
        EXPECT_LT(Clock::now() - start, 2s);
        EXPECT_FALSE(result.Ok);
        EXPECT_EQ(result.Message, down.message);
    }
}

// The host value may list several servers: the first that takes a call serves it; a change sent
// to a server that then went silent is not sent elsewhere, and the operator is told to reload.
TEST_F(NetConnectionTest, AListOfServersSkipsOneThatIsDownAndNeverRepeatsASentChange) {
    int refusedPort = 0;
    {
        const testkit::LoopbackSocket closedAgain(true);
        refusedPort = closedAgain.Port();
    }
    m_host.webUrl =
        "127.0.0.1:" + std::to_string(refusedPort) + ",http://127.0.0.1:" + std::to_string(s_server->Port());
    m_connection.Open();
    const RemoteResult loaded = RdmCancelaPedido(m_connection).GetParamPedido("0001");
    EXPECT_TRUE(loaded.Ok) << loaded.Message;

    const testkit::LoopbackSocket silent(true);
    m_connection.Close();
    m_host.webUrl =
        "127.0.0.1:" + std::to_string(silent.Port()) + ",127.0.0.1:" + std::to_string(s_server->Port());
    m_connection.SetReadTimeout(300ms);
    m_connection.Open();
    const RemoteResult change = m_connection.Call(
        "SetCancelaItemPed", {std::string("DEMO"), std::string("0001"), std::string("{}"), OperBloq});
    EXPECT_FALSE(change.Ok);
    EXPECT_NE(change.Message.find(
                  "A operação SetCancelaItemPed foi enviada ao servidor de aplicação em 127.0.0.1:" +
                  std::to_string(silent.Port())),
              std::string::npos)
        << change.Message;
    EXPECT_NE(change.Message.find("recarregue os pedidos"), std::string::npos) << change.Message;
}

TEST_F(NetConnectionTest, AnAnswerOfTheWrongShapeIsAFailedResult) {
    struct ShapeCase {
        std::string method;
        std::string body;
        std::string fragment;
    };
    const std::string packet =
        R"({"fields":[{"name":"CDFILIAL","type":"string","size":4}],"rows":[["0001"]]})";
    const std::vector<ShapeCase> cases = {
        {"GetParamPedido", R"({"jsonrpc":"2.0","id":1,"result":{"status":"ok","rows":1}})",
         "GetParamPedido não devolveu o pacote de dados"},
        {"GetParamPedido", R"({"jsonrpc":"2.0","id":1,"result":{"packet":{"fields":"CDFILIAL"}}})",
         "Resposta inválida do servidor de aplicação"},
        {"SetDesfazCancel", R"({"jsonrpc":"2.0","id":1,"result":{"packet":)" + packet + "}}",
         "SetDesfazCancel não devolveu a situação da operação"},
        {"GetParamPedido", R"({"jsonrpc":"2.0","id":1,"result":{"packet":)" + packet + "}}", ""},
    };
    for (const auto& shape : cases) {
        SCOPED_TRACE(shape.body);
        const testkit::FixedAnswerServer server(shape.body);
        m_connection.Close();
        m_host.webPort = server.Port();
        m_connection.Open();
        const RemoteResult result = m_connection.Call(shape.method, {std::string("0001")});
        EXPECT_EQ(result.Ok, shape.fragment.empty()) << result.Message;
        EXPECT_NE(result.Message.find(shape.fragment), std::string::npos) << result.Message;
    }
}

TEST_F(NetConnectionTest, CallsBeforeConnectingAndIncompleteSettingsAreRefused) {
    const RemoteResult notOpen = m_connection.Call("GetParamPedido", {std::string("0001")});
    EXPECT_FALSE(notOpen.Ok);
    EXPECT_EQ(notOpen.Message, "Não há conexão com o servidor de aplicação.");

    struct SettingsCase {
        std::string serverName;
        std::string webUrl;
        int webPort;
        std::string message;
    };
    const std::vector<SettingsCase> cases = {
        {"Ped02000.rdmOutro", "127.0.0.1", 8080, "Servidor de aplicação \"Ped02000.rdmOutro\" desconhecido."},
        {"Ped01000.rdmCancelaPedido", "", 8080, "Endereço do servidor de aplicação inválido: \":8080\"."},
        {"Ped01000.rdmCancelaPedido", "127.0.0.1", 0,
         "Endereço do servidor de aplicação inválido: \"127.0.0.1:0\"."},
    };
    for (const auto& settings : cases) {
        SCOPED_TRACE(settings.message);
        m_connection.SetServerName(settings.serverName);
        m_host.webUrl = settings.webUrl;
        m_host.webPort = settings.webPort;
        try {
            m_connection.Open();
            ADD_FAILURE() << "opened";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()), settings.message);
        }
        EXPECT_FALSE(m_connection.Connected());
    }
}

} // namespace
