#include "RpcTestSupport.h"
#include "protocol/LookupCatalogue.h"
#include "storage/Passwords.h"

#include <random>

namespace rpctest {
namespace {

// A serving pedserver on a PostgreSQL role that `pedserver init --app-role` prepared: it serves
// every method, while the role itself cannot rewrite the audit, issue tokens or change the schema.
class AppRoleTest : public testing::Test {
protected:
    void SetUp() override {
        if (!testkit::TestDatabase::PostgresUrl())
            GTEST_SKIP() << "PED_TEST_PG_URL is not set";
        m_owner = std::make_unique<testkit::ServerProcess>(
            testkit::ServerProcessOptions{.backend = TestBackend::Postgres});
        m_role = "ped_app_" + std::to_string(std::random_device{}() % 1000000000);
        m_admin = m_owner->Database().Connect();
        m_admin->Execute("CREATE ROLE " + m_role + " LOGIN");
        const testkit::ProcessResult init = m_owner->Pedserver({"init", "--app-role", m_role});
        ASSERT_EQ(init.exitStatus, 0) << init.err;
        m_server = std::make_unique<testkit::ServerProcess>(
            testkit::ServerProcessOptions{.databaseUrl = RoleUrl()});
    }

    void TearDown() override {
        m_server.reset();
        if (m_admin) {
            m_admin->Execute("DROP OWNED BY " + m_role);
            m_admin->Execute("DROP ROLE " + m_role);
        }
    }

    // The owner's URL with the role as its user.
    std::string RoleUrl() const {
        std::string url = m_owner->DatabaseUrl();
        const std::size_t user = url.find("://") + 3;
        return url.replace(user, url.find('@') - user, m_role);
    }

    // What the role gets for the statement: "" when it goes through, else the database's error.
    std::string AsRole(const std::string& sql) const {
        const auto connection = sqldb::Connection::Open(RoleUrl());
        try {
            connection->Execute(sql);
        } catch (const sqldb::SqlError& error) {
            return error.what();
        }
        return "";
    }

    std::unique_ptr<testkit::ServerProcess> m_owner;
    std::unique_ptr<testkit::ServerProcess> m_server;
    std::unique_ptr<sqldb::Connection> m_admin;
    std::string m_role;
};

TEST_F(AppRoleTest, AServerOnTheRoleServesEveryMethod) {
    const DemoFacts facts = ReadDemoFacts(*m_owner);
    const std::string pedido = CancellableOrder(*m_admin, facts.branch);
    // Tokens are the owner's to issue; the server on the role only reads them.
    pedclient::RpcClient client(m_server->Host(), m_server->Port(), m_owner->Token(facts.allOrdersOperator));
    pedclient::GetPedidoParams everything;
    everything.cdFilial = facts.branch;
    const nlohmann::json order = {{"fields",
                                   {{{"name", "CDFILIAL"}, {"type", "string"}, {"size", 4}},
                                    {{"name", "NRPEDIDO"}, {"type", "string"}, {"size", 10}},
                                    {{"name", "IDCHECK"}, {"type", "string"}, {"size", 1}},
                                    {{"name", "IDSITPEDIDO"}, {"type", "string"}, {"size", 1}}}},
                                  {"rows", {{facts.branch, pedido, "S", "1"}}}};
    const nlohmann::json item = ItemPacket({{facts.branch, pedido, "0000000001", "S", "1"}});
    const nlohmann::json orderCommand = {facts.allOrdersOperator, facts.justification, order, OperBloq,
                                         facts.branch, SaldoEmp};
    const nlohmann::json itemCommand = {facts.allOrdersOperator, facts.justification, item, OperBloq};
    const std::vector<std::pair<std::string, nlohmann::json>> calls = {
        {"GetParamPedido", {facts.branch}},
        {"GetPedido", everything.ToJson()},
        {"GetItemPedido", {facts.branch, pedido}},
        {"GetItemPedidoSemFiltro2", {facts.branch, pedido}},
        {"getOperTPed", {facts.branch, facts.allOrdersOperator}},
        {"GetNrPedido", {facts.branch, "", "T"}},
        {"GetBloqueioPedido", {facts.branch, pedido}},
        {"GetSaldoEmpenho", {"2024NE000105"}},
        {"GetSimulaCancelaItemPed", itemCommand},
        {"GetSimulaDesfazCancel", itemCommand},
        {"GetSimulaCancelaPed", orderCommand},
        {"SetCancelaItemPed", itemCommand},
        {"SetDesfazCancel", {facts.allOrdersOperator, facts.justification,
                             ItemPacket({{facts.branch, pedido, "0000000001", "S", "5"}}), OperBloq}},
        {"SetCancelaPed", orderCommand},
    };
    for (const auto& [method, params] : calls) {
        SCOPED_TRACE(method);
        EXPECT_NO_THROW(client.Call(method, params));
    }
    client.SetModule("Ped01100.rdmRelPedido");
    for (const char* method : {"GetRelPedido", "GetRelItemPedido", "GetRelHistorico"}) {
        SCOPED_TRACE(method);
        EXPECT_NO_THROW(client.Call(method, {facts.branch, facts.allOrdersOperator, "2024-01-01", "2024-12-31",
                                             "123456", ""}));
    }
    client.SetModule(std::string(lookups::ModuleName));
    const auto branches = client.Call(std::string(lookups::Method),
                                      {std::string(lookups::Filiais.sql), {{"fields", nlohmann::json::array()},
                                                                           {"rows", {nlohmann::json::array()}}}});
    EXPECT_EQ(branches.at("packet").at("rows").size(), 3U);
    // Signing in opens a session through the role, and counts a failure.
    pedserver::SetPassword(*m_admin, facts.allOrdersOperator, "senha-do-papel");
    pedclient::RpcClient anonymous(m_server->Host(), m_server->Port(), "");
    EXPECT_THROW(anonymous.Call("Login", {facts.allOrdersOperator, "errada"}), pedclient::RpcClientError);
    const auto session = anonymous.Call("Login", {facts.allOrdersOperator, "senha-do-papel"});
    pedclient::RpcClient signedIn(m_server->Host(), m_server->Port(), session.at("token"));
    EXPECT_NO_THROW(signedIn.Call("GetParamPedido", {facts.branch}));
    EXPECT_EQ(m_server->Log().find("outcome=internal"), std::string::npos) << m_server->Log();
}

TEST_F(AppRoleTest, TheRoleCannotRewriteTheAuditIssueTokensOrChangeTheSchema) {
    const std::vector<std::string> denied = {
        "UPDATE HISTCANCPED SET CDOPERADOR = 'X'",
        "DELETE FROM HISTCANCPED",
        "TRUNCATE HISTCANCPED",
        "INSERT INTO OPERTOKEN (TOKENHASH, CDOPERADOR, DTCRIACAO) VALUES ('x', 'DEMO', '2024-01-01')",
        "INSERT INTO OPERTOKEN (TOKENHASH, CDOPERADOR, DTCRIACAO, IDTIPO, DTEXPIRA) VALUES ('y', 'DEMO', "
        "LOCALTIMESTAMP, 'S', LOCALTIMESTAMP + INTERVAL '30 days')",
        "UPDATE OPERTOKEN SET DTREVOGADO = NULL, DTEXPIRA = NULL",
        "UPDATE OPERSENHA SET DSHASH = 'x'",
        "INSERT INTO OPERSENHA (CDOPERADOR, DSHASH, DTALTERACAO) VALUES ('VEND02', 'x', LOCALTIMESTAMP)",
        "DELETE FROM OPERTOKEN",
        "INSERT INTO OPERTPED (CDFILIAL, CDOPERADOR) VALUES ('0001', 'VEND01')",
        "UPDATE ITEMPEDIDO SET VRPREUNITPED = 0",
        "UPDATE PEDIDO SET CDVENDEDOR = '0001'",
        "CREATE TABLE INVASOR (X INTEGER)",
        "DROP TABLE PEDIDO",
    };
    // 42501: insufficient privilege ("permission denied", "must be owner").
    for (const std::string& sql : denied) {
        EXPECT_NE(AsRole(sql).find("PostgreSQL 42501"), std::string::npos) << sql << ": " << AsRole(sql);
    }
    EXPECT_EQ(AsRole("SELECT COUNT(*) FROM HISTCANCPED"), "") << "it reads the audit";
}

TEST(AppRole, IsRefusedOnSqliteWithAMessage) {
    testkit::ServerProcess server;
    const testkit::ProcessResult init = server.Pedserver({"init", "--app-role", "ped_app"});
    EXPECT_EQ(init.exitStatus, 1);
    EXPECT_NE(init.err.find("--app-role is for PostgreSQL"), std::string::npos) << init.err;
}

} // namespace
} // namespace rpctest
