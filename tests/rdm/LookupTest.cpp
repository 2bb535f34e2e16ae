#include "RdmFixture.h"
#include "lookup/RdmDBGeral.h"
#include "server/RemoteModules.h"
#include "server/RpcDispatcher.h"
#include "sqldb/ConnectionPool.h"
#include "sqldb/NamedParameters.h"
#include "sqldb/Transaction.h"

#include <vector>

namespace {

// A packet of one row of texts, as the desktop sends a lookup's parameters.
nlohmann::json ParamPacket(const std::vector<std::pair<std::string, nlohmann::json>>& params) {
    auto fields = nlohmann::json::array();
    auto row = nlohmann::json::array();
    for (const auto& [name, value] : params) {
        fields.push_back({{"name", name}, {"type", "string"}, {"size", 20}});
        row.push_back(value);
    }
    return {{"fields", fields}, {"rows", nlohmann::json::array({row})}};
}

class Lookup : public RdmTest {
protected:
    // The lookup as the server runs it: in a read-only transaction, over `catalogue`.
    nlohmann::json Run(const std::string& sql, const nlohmann::json& params, const std::string& oper = "DEMO",
                       std::span<const lookups::Statement> catalogue = lookups::Catalogue) {
        sqldb::Transaction read(*m_connection, sqldb::Transaction::Mode::Read);
        pedserver::AnswerBudget answer(m_answerBytes);
        const nlohmann::json callParams = {sql, params};
        return nlohmann::json::parse(
            pedserver::RdmDBGeral::Lookup({*m_connection, callParams, oper, m_limits, answer, nullptr}, catalogue).Text());
    }

    std::pair<int, std::string> Refused(const std::string& sql, const nlohmann::json& params,
                                        const std::string& oper = "DEMO") {
        try {
            Run(sql, params, oper);
        } catch (const pedserver::RpcError& error) {
            return {error.Code(), error.what()};
        }
        return {0, "accepted"};
    }
};

// Every statement the modules may send runs on both databases, with its parameters bound.
TEST_P(Lookup, EveryCatalogueStatementRunsOnThisDatabase) {
    for (const lookups::Statement& statement : lookups::Catalogue) {
        SCOPED_TRACE(statement.sql);
        std::vector<std::pair<std::string, nlohmann::json>> params;
        for (const std::string& name : sqldb::ToPositional(std::string(statement.sql)).names)
            params.emplace_back(name, name == statement.operatorParameter ? "DEMO" : "1");
        const auto result = Run(std::string(statement.sql), ParamPacket(params));
        EXPECT_TRUE(result.at("packet").at("rows").is_array());
    }
}

TEST_P(Lookup, AnswersTheResultsColumnsWithTheirTypes) {
    const auto packet = Run(std::string(lookups::Filial.sql), ParamPacket({{"P_CDFILIAL", "0002"}})).at("packet");
    ASSERT_EQ(packet["rows"], nlohmann::json::parse(R"([["0002","FILIAL"]])"));
    EXPECT_EQ(packet["fields"][1]["type"], "string");
    EXPECT_EQ(packet["fields"][1]["size"], 6) << "as long as the longest value";
}

TEST_P(Lookup, WhatTheCatalogueDoesNotHoldOrItsParametersDoNotFitIsRefused) {
    struct Case {
        const char* name;
        std::string sql;
        nlohmann::json params;
        std::string oper;
        int code;
    };
    const std::string filial(lookups::Filial.sql);
    const std::string own(lookups::VendedorDoOperador.sql);
    const std::vector<Case> cases = {
        {"another text", "SELECT * FROM OPERTOKEN", ParamPacket({}), "DEMO", pedserver::RpcCode::LookupRefused},
        {"a catalogued text changed by a space", filial + " ", ParamPacket({{"P_CDFILIAL", "0001"}}), "DEMO",
         pedserver::RpcCode::LookupRefused},
        {"a write", "DELETE FROM FILIAL", ParamPacket({}), "DEMO", pedserver::RpcCode::LookupRefused},
        {"a missing parameter", filial, ParamPacket({}), "DEMO", pedserver::RpcCode::InvalidParams},
        {"an unknown parameter", filial, ParamPacket({{"P_CDFILIAL", "0001"}, {"P_X", "1"}}), "DEMO",
         pedserver::RpcCode::InvalidParams},
        {"a number as a value", filial, ParamPacket({{"P_CDFILIAL", 1}}), "DEMO", pedserver::RpcCode::InvalidParams},
        {"two rows", filial, {{"fields", {{{"name", "P_CDFILIAL"}}}}, {"rows", {{"0001"}, {"0002"}}}}, "DEMO",
         pedserver::RpcCode::InvalidParams},
        {"another operator's seller", own, ParamPacket({{"P_CDOPERADOR", "VEND02"}}), "VEND01",
         pedserver::RpcCode::Forbidden},
        {"his own seller", own, ParamPacket({{"P_CDOPERADOR", "VEND01"}}), "VEND01", 0},
    };
    const auto before = Snapshot();
    for (const auto& c : cases)
        EXPECT_EQ(Refused(c.sql, c.params, c.oper).first, c.code) << c.name;
    EXPECT_EQ(Refused("SELECT * FROM OPERTOKEN", ParamPacket({})).second,
              "Consulta não permitida pelo servidor de aplicação.");
    EXPECT_EQ(Snapshot(), before);
}

// Should a writing statement ever reach the catalogue, the read-only transaction the server runs
// every lookup in refuses it: a catalogue with one is smuggled in here, through the dispatcher.
TEST_P(Lookup, AWriteSmuggledIntoTheCatalogueFailsInTheReadOnlyTransactionAndChangesNothing) {
    static const std::array<lookups::Statement, 1> smuggled{
        lookups::Statement{"INSERT INTO FILIAL (CDFILIAL, NMFILIAL) SELECT '0009', :P_NOME"}};
    const pedserver::RemoteModule module{
        protocol::LookupModule, protocol::LookupMethods,
        [](std::string_view, const pedserver::MethodCall& call) { return pedserver::RdmDBGeral::Lookup(call, smuggled); }};
    sqldb::ConnectionPool pool(m_db->Url(), 1);
    pedserver::RpcDispatcher dispatcher(pool, pedserver::ServerOptions{});
    const nlohmann::json request = {{"jsonrpc", "2.0"},
                                    {"id", 1},
                                    {"method", lookups::Method},
                                    {"params", {smuggled[0].sql, ParamPacket({{"P_NOME", "INVADIDA"}})}}};
    const pedserver::RpcReply reply = dispatcher.Handle(request.dump(), "DEMO", module);
    ASSERT_EQ(reply.calls.size(), 1U);
    EXPECT_EQ(reply.calls[0].outcome, "internal") << reply.body;
    EXPECT_NE(reply.calls[0].detail.find("read"), std::string::npos) << reply.calls[0].detail;
    EXPECT_TRUE(m_connection->Query("SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = '0009'").IsEmpty());
}

TESTKIT_ON_BOTH_BACKENDS(Lookup);

} // namespace
