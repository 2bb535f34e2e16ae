#include "RdmFixture.h"

#include "storage/Decimal.h"
#include "storage/OrderWriter.h"
#include "storage/Schema.h"

#include <array>

namespace {

void Insert(sqldb::Connection& connection, const std::string& table, const std::vector<std::string>& columns,
            const std::vector<std::vector<std::string>>& rows) {
    std::string names, values;
    for (const auto& column : columns) {
        names += (names.empty() ? "" : ", ") + column;
        values += (values.empty() ? ":" : ", :") + column;
    }
    for (const auto& row : rows) {
        sqldb::Params params;
        for (std::size_t i = 0; i < columns.size(); ++i)
            params[columns[i]] = row[i].empty() ? sqldb::Value() : sqldb::Value(row[i]);
        connection.Execute("INSERT INTO " + table + " (" + names + ") VALUES (" + values + ")", params);
    }
}

void ReferenceData(sqldb::Connection& c) {
    Insert(c, "FILIAL", {"CDFILIAL", "NMFILIAL"}, {{"0001", "MATRIZ"}, {"0002", "FILIAL"}});
    Insert(c, "PARAMPEDIDO",
           {"CDFILIAL", "IDUTCTRELANP", "IDUTCTREMPEN", "IDEXIBPEDIDO", "IDMENSVEND", "IDUTRESELOTE"},
           {{"0001", "N", "S", "1", "N", "S"}, {"0002", "N", "N", "2", "N", "N"}});
    Insert(c, "OPERADOR", {"CDOPERADOR", "NMOPERADOR"},
           {{"DEMO", "DEMO"}, {"VEND01", "JOAO"}, {"VEND02", "MARIA"}});
    Insert(c, "OPERTPED", {"CDFILIAL", "CDOPERADOR"}, {{"0001", "DEMO"}, {"0002", "DEMO"}});
    Insert(c, "VENDEDOR", {"CDVENDEDOR", "NMFANVEN", "CDOPERADOR"},
           {{"0001", "JOAO SILVA", "VEND01"}, {"0002", "MARIA SOUZA", "VEND02"}, {"0003", "CARLOS", ""}});
    Insert(c, "CLIENTE", {"CDCLIENTE", "IDTPIJURCLIE", "NRINSJURCLIE", "NMFANTCLIE", "NMRAZSOCCLIE"},
           {{"000001", "J", "1", "ALFA", "ALFA LTDA"},
            {"000002", "F", "2", "BETA", "BETA"},
            {"000003", "J", "3", "GAMA", "GAMA LTDA"}});
    Insert(c, "PRODUTO", {"CDPRODUTO", "CDARVPROD", "NMPRODUTO", "CDNVPRODUTO", "SGUNIDADE"},
           {{"000102", "101001", "ARROZ", "3", "PCT"},
            {"000103", "101002", "FEIJAO", "3", "PCT"},
            {"000105", "102001", "CAFE", "3", "UN"}});
    Insert(c, "JUSTEXCHIS", {"CDJUSTEXCHIS", "DSJUSTEXCHIS"}, {{"0001", "Cliente desistiu da compra"}});
    Insert(c, "EMPENHO", {"NREMPENHO", "VRSALDO"}, {{"E1", "1000.00"}, {"E2", "5.00"}});
}

pedserver::SeedItem Item(const char* situation, const char* product, const char* quantity, const char* price,
                         const char* previous = "", const char* delivered = "0", const char* lot = "") {
    return {situation, previous, product, quantity, price, delivered, lot};
}

// Branch 0001 controls commitments and lot reservations; branch 0002 neither.
void Orders(sqldb::Connection& c) {
    pedserver::OrderWriter w(c);
    using I = std::vector<pedserver::SeedItem>;
    w.Insert({"0001", "0000000001", "000001", "0001", "2024-05-01", "2024-05-10", "1", "1", "",
              I{Item("1", "000102", "2", "10.25"), Item("1", "000103", "1", "5.00")}});
    w.Insert({"0001", "0000000002", "000002", "0002", "2024-05-05", "2024-05-20", "2", "2", "",
              I{Item("2", "000103", "3", "1.10"), Item("1", "000105", "1", "2.00")}});
    w.Insert({"0001", "0000000003", "000003", "0001", "2024-05-10", "2024-06-01", "4", "3", "E1",
              I{Item("5", "000102", "4", "25.00", "1"), Item("5", "000105", "1", "0.50", "2")}});
    w.Insert({"0001", "0000000004", "000001", "0003", "2024-05-15", "2024-05-25", "6", "3", "",
              I{Item("7", "000102", "5", "1.00", "", "2"), Item("4", "000103", "1", "1.00", "", "1")}});
    w.Insert({"0001", "0000000005", "000002", "0001", "2024-05-20", "2024-05-30", "2", "1", "",
              I{Item("2", "000105", "1", "3.00", "", "0", "LT1")}});
    w.Insert({"0001", "0000000006", "000003", "0002", "2024-05-25", "2024-06-05", "1", "2", "E1",
              I{Item("1", "000102", "1", "7.00"), Item("1", "000103", "2", "0.30")}});
    w.Insert({"0001", "0000000007", "000001", "0001", "2024-05-26", "2024-06-06", "4", "2", "E2",
              I{Item("5", "000103", "1", "50.00", "1")}});
    w.Insert({"0001", "0000000008", "000003", "0003", "2024-05-27", "2024-06-07", "3", "3", "",
              I{Item("4", "000103", "1", "1.00", "", "1")}});
    w.Insert({"0001", "0000000009", "000002", "0002", "2024-05-28", "2024-06-08", "2", "1", "",
              I{Item("2", "000102", "2", "4.00", "", "1")}});
    w.Insert({"0002", "0000000001", "000001", "0001", "2024-05-01", "2024-05-10", "1", "3", "",
              I{Item("1", "000102", "1", "1.00")}});
    w.Insert({"0002", "0000000003", "000002", "0001", "2024-05-02", "2024-05-11", "1", "3", "E1",
              I{Item("1", "000103", "2", "10.00"), Item("2", "000105", "1", "1.00")}});
}

} // namespace

void RdmTest::SetUp() {
    DatabaseTest::SetUp();
    if (IsSkipped())
        return;
    pedserver::MigrateSchema(*m_connection);
    ReferenceData(*m_connection);
    Orders(*m_connection);
}

nlohmann::json RdmTest::Call(const std::string& method, const nlohmann::json& params, const std::string& oper,
                             pedserver::BatchReads* batch, const pedserver::ReadParts* readParts) {
    pedserver::AnswerBudget answer(m_answerBytes);
    return nlohmann::json::parse(
        pedserver::CancelaPedidoService::Call(
            method, {*m_connection, params, oper, m_limits, answer, batch, readParts})
            .Text());
}

std::pair<int, std::string> RdmTest::Error(const std::string& method, const nlohmann::json& params,
                                           const std::string& oper) {
    try {
        Call(method, params, oper);
    } catch (const pedserver::RpcError& error) {
        return {error.Code(), error.what()};
    }
    ADD_FAILURE() << method << " succeeded with " << params.dump();
    return {0, ""};
}

std::pair<int, std::string> RdmTest::Refusal(const std::string& method, const nlohmann::json& params,
                                             const std::string& oper) {
    const auto before = Snapshot();
    auto refusal = Error(method, params, oper);
    EXPECT_EQ(Snapshot(), before) << method << " changed the database while refusing " << params.dump();
    return refusal;
}

std::vector<std::string> RdmTest::Numbers(const nlohmann::json& result, const std::string& field) {
    const auto& packet = result.at("packet");
    std::size_t index = 0;
    while (packet["fields"][index]["name"] != field)
        ++index;
    std::vector<std::string> numbers;
    for (const auto& row : packet["rows"])
        numbers.push_back(row[index].get<std::string>());
    return numbers;
}

nlohmann::json RdmTest::Everything(const std::string& filial) {
    return {filial,  "",  "T",     "",      "T", "", "T", "321", "123456", nullptr,
            nullptr, "T", nullptr, nullptr, "T", "", "",  "",    "T",      "1234567"};
}

std::string RdmTest::OrderSituation(const std::string& filial, const std::string& pedido) {
    return m_connection
        ->Query("SELECT IDSITPEDIDO FROM PEDIDO WHERE CDFILIAL = :F AND NRPEDIDO = :P",
                {{"F", filial}, {"P", pedido}})
        .Text(0, "IDSITPEDIDO");
}

std::string RdmTest::ItemSituations(const std::string& filial, const std::string& pedido) {
    std::string situations;
    for (const auto& row : m_connection->Query("SELECT IDSITITEMPED FROM ITEMPEDIDO WHERE CDFILIAL = :F AND "
                                               "NRPEDIDO = :P ORDER BY NRITEMPED",
                                               {{"F", filial}, {"P", pedido}}))
        situations += sqldb::AsText(row[0]);
    return situations;
}

std::string RdmTest::Balance(const std::string& commitment) {
    const auto rows =
        m_connection->Query("SELECT VRSALDO FROM EMPENHO WHERE NREMPENHO = :E", {{"E", commitment}});
    return pedserver::Decimal::FromValue(rows.At(0, "VRSALDO")).ToText();
}

long long RdmTest::CommitmentTotal(const std::string& commitment) {
    auto total = pedserver::Decimal::Parse(Balance(commitment));
    for (const auto& row :
         m_connection->Query("SELECT I.QTITEMPED, I.VRPREUNITPED FROM ITEMPEDIDO I JOIN PEDIDO P ON "
                             "P.CDFILIAL = I.CDFILIAL AND "
                             "P.NRPEDIDO = I.NRPEDIDO WHERE P.NREMPENHO = :E AND I.IDSITITEMPED <> '5'",
                             {{"E", commitment}}))
        total += pedserver::Decimal::FromValue(row[0])
                     .Times(pedserver::Decimal::FromValue(row[1]))
                     .RoundedToCents();
    return total.Units() / 100;
}

long long RdmTest::AuditRows() {
    return sqldb::AsInt(m_connection->Query("SELECT COUNT(*) AS N FROM HISTCANCPED").At(0, "N"));
}

std::string RdmTest::Snapshot() {
    std::string text;
    for (const char* sql :
         {"SELECT CDFILIAL, NRPEDIDO, IDSITPEDIDO FROM PEDIDO ORDER BY CDFILIAL, NRPEDIDO",
          "SELECT CDFILIAL, NRPEDIDO, NRITEMPED, IDSITITEMPED, IDSITANTCANC, CDJUSTEXCHIS, "
          "CDOPERADOR FROM ITEMPEDIDO ORDER BY CDFILIAL, NRPEDIDO, NRITEMPED",
          "SELECT NREMPENHO, VRSALDO FROM EMPENHO ORDER BY NREMPENHO", "SELECT COUNT(*) FROM HISTCANCPED"}) {
        for (const auto& row : m_connection->Query(sql)) {
            for (const auto& value : row)
                text += sqldb::AsText(value) + "|";
            text += "\n";
        }
    }
    return text;
}

nlohmann::json OrderPacket(const std::vector<std::array<std::string, 3>>& rows) {
    nlohmann::json packet = {{"fields",
                              {{{"name", "IDCHECK"}, {"type", "string"}, {"size", 1}},
                               {{"name", "NRPEDIDO"}, {"type", "string"}, {"size", 10}},
                               {{"name", "IDSITPEDIDO"}, {"type", "string"}, {"size", 1}},
                               {{"name", "CDFILIAL"}, {"type", "string"}, {"size", 4}}}},
                             {"rows", nlohmann::json::array()}};
    for (const auto& [filial, pedido, situation] : rows)
        packet["rows"].push_back({"S", pedido, situation, filial});
    return packet;
}

nlohmann::json ItemPacket(const std::vector<std::array<std::string, 4>>& rows) {
    nlohmann::json packet = {{"fields",
                              {{{"name", "NRITEMPED"}, {"type", "string"}, {"size", 10}},
                               {{"name", "IDCHECK"}, {"type", "string"}, {"size", 1}},
                               {{"name", "IDSITITEMPED"}, {"type", "string"}, {"size", 1}},
                               {{"name", "NRPEDIDO"}, {"type", "string"}, {"size", 10}},
                               {{"name", "CDFILIAL"}, {"type", "string"}, {"size", 4}}}},
                             {"rows", nlohmann::json::array()}};
    for (const auto& [filial, pedido, item, situation] : rows)
        packet["rows"].push_back({item, "S", situation, pedido, filial});
    return packet;
}
