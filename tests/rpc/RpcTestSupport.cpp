#include "RpcTestSupport.h"

#include <httplib.h>
#include <map>
#include <sstream>

namespace rpctest {

void BackendTest::SetUp() {
    if (GetParam() == TestBackend::Postgres && !testkit::TestDatabase::PostgresUrl()) {
        GTEST_SKIP() << "PED_TEST_PG_URL is not set";
    }
}

testkit::ServerProcess& BackendTest::SharedServer() {
    static std::map<TestBackend, std::unique_ptr<testkit::ServerProcess>> servers;
    std::unique_ptr<testkit::ServerProcess>& server = servers[GetParam()];
    if (!server) {
        server =
            std::make_unique<testkit::ServerProcess>(testkit::ServerProcessOptions{.backend = GetParam()});
    }
    return *server;
}

std::string CancellableOrder(sqldb::Connection& db, const std::string& branch) {
    return db
        .Query("SELECT P.NRPEDIDO FROM PEDIDO P WHERE P.CDFILIAL = :F AND P.IDSITPEDIDO = '1' AND "
               "P.NREMPENHO IS NULL "
               "AND P.CDOPERALTE IS NULL AND EXISTS (SELECT 1 FROM ITEMPEDIDO I WHERE I.CDFILIAL = "
               "P.CDFILIAL AND "
               "I.NRPEDIDO = P.NRPEDIDO) AND NOT EXISTS (SELECT 1 FROM ITEMPEDIDO I WHERE I.CDFILIAL = "
               "P.CDFILIAL "
               "AND I.NRPEDIDO = P.NRPEDIDO AND (I.IDSITITEMPED <> '1' OR I.QTATENDIDA > 0)) ORDER BY "
               "P.NRPEDIDO",
               {{"F", branch}})
        .Text(0, "NRPEDIDO");
}

DemoFacts ReadDemoFacts(const testkit::ServerProcess& server) {
    const auto db = server.Database().Connect();
    DemoFacts facts;
    facts.branch =
        db->Query("SELECT CDFILIAL, COUNT(*) AS N FROM PEDIDO GROUP BY CDFILIAL ORDER BY N DESC, CDFILIAL")
            .Text(0, "CDFILIAL");
    const sqldb::Params branch{{"F", facts.branch}};
    facts.allOrdersOperator =
        db->Query("SELECT CDOPERADOR FROM OPERTPED WHERE CDFILIAL = :F ORDER BY CDOPERADOR", branch)
            .Text(0, "CDOPERADOR");
    facts.restrictedOperator = db->Query("SELECT V.CDOPERADOR FROM VENDEDOR V WHERE V.CDOPERADOR IS NOT NULL "
                                         "AND NOT EXISTS (SELECT 1 FROM OPERTPED O WHERE O.CDFILIAL = :F "
                                         "AND O.CDOPERADOR = V.CDOPERADOR) ORDER BY V.CDOPERADOR",
                                         branch)
                                   .Text(0, "CDOPERADOR");
    facts.justification =
        db->Query("SELECT CDJUSTEXCHIS FROM JUSTEXCHIS ORDER BY CDJUSTEXCHIS").Text(0, "CDJUSTEXCHIS");
    return facts;
}

namespace {

HttpAnswer ToAnswer(const httplib::Result& result) {
    HttpAnswer answer;
    if (!result) {
        return answer;
    }
    answer.status = result->status;
    answer.body = result->body;
    answer.json = nlohmann::json::parse(answer.body, nullptr, false);
    answer.header = result->get_header_value("WWW-Authenticate");
    return answer;
}

httplib::Client Http(const testkit::ServerProcess& server) {
    httplib::Client http(server.Host(), server.Port());
    http.set_connection_timeout(2, 0);
    http.set_read_timeout(30, 0);
    http.set_tcp_nodelay(true);
    return http;
}

} // namespace

HttpAnswer PostRaw(const testkit::ServerProcess& server, const std::string& body,
                   const std::optional<std::string>& authorization, const std::string& contentType) {
    httplib::Headers headers;
    if (authorization) {
        headers.emplace("Authorization", *authorization);
    }
    return ToAnswer(Http(server).Post(RpcPath.c_str(), headers, body, contentType.c_str()));
}

HttpAnswer GetRaw(const testkit::ServerProcess& server, const std::string& path) {
    return ToAnswer(Http(server).Get(path.c_str()));
}

nlohmann::json Request(const std::string& method, const nlohmann::json& params, int id) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}};
}

nlohmann::json ItemPacket(const nlohmann::json& rows) {
    return {{"fields",
             {{{"name", "CDFILIAL"}, {"type", "string"}, {"size", 4}},
              {{"name", "NRPEDIDO"}, {"type", "string"}, {"size", 10}},
              {{"name", "NRITEMPED"}, {"type", "string"}, {"size", 10}},
              {{"name", "IDCHECK"}, {"type", "string"}, {"size", 1}},
              {{"name", "IDSITITEMPED"}, {"type", "string"}, {"size", 1}}}},
            {"rows", rows}};
}

double MetricValue(const std::string& metrics, const std::string& series) {
    std::istringstream lines(metrics);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() > series.size() && line.compare(0, series.size(), series) == 0 &&
            line[series.size()] == ' ') {
            return std::stod(line.substr(series.size() + 1));
        }
    }
    return 0.0;
}

} // namespace rpctest
