#include "testkit/BackendSuite.h"
#include "testkit/ChildProcess.h"
#include "testkit/HostRun.h"
#include "testkit/Scenario.h"
#include "testkit/ServerProcess.h"
#include "testkit/TempDir.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace {

using testkit::ServerProcess;
using testkit::TestBackend;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Lines of the text holding every one of the parts.
int CountLines(const std::string& text, const std::vector<std::string>& parts) {
    int count = 0;
    for (const auto& line : Lines(text)) {
        bool all = true;
        for (const auto& part : parts)
            all = all && line.find(part) != std::string::npos;
        count += all ? 1 : 0;
    }
    return count;
}

// "1.234,56", as the report prints money.
std::string Reais(long long cents) {
    std::string text = std::to_string(cents / 100);
    for (std::size_t at = text.size(); at > 3; at -= 3)
        text.insert(at - 3, 1, '.');
    const auto rest = cents % 100;
    return text + (rest < 10 ? ",0" : ",") + std::to_string(rest);
}

// The print screen through pedhost --platform headless against a real pedserver; the PDFs the
// scripts write are read back with pdftotext.
class PrintScreen : public testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override {
        if (GetParam() == TestBackend::Postgres && !testkit::TestDatabase::PostgresUrl())
            GTEST_SKIP() << "PED_TEST_PG_URL is not set";
        if (!PED_HOST_HAS_PDF)
            GTEST_SKIP() << "this pedhost is built without the Qt view and writes no PDF";
        m_server = std::make_unique<ServerProcess>(testkit::ServerProcessOptions{.backend = GetParam()});
    }

    // Runs the scenario's script as the operator and compares the transcript with its .expected;
    // @OUT@ in both stands for this test's folder.
    void RunScenario(const std::string& name, const std::string& operatorCode, bool fixedBranch = true) {
        const std::string base = std::string(PED_SCRIPTS_DIR) + "/" + name;
        const std::string out = m_folder.Path().string();
        const auto script = m_folder.Path() / (name + ".script");
        std::ofstream(script) << testkit::ReplaceAll(testkit::ReadTextFile(base + ".script"), "@OUT@", out);
        testkit::HostRun run = testkit::HostRun::On(*m_server, PED_PEDHOST_PATH, operatorCode);
        run.script = script.string();
        run.fixedBranch = fixedBranch;
        const auto result = run.Run(std::chrono::seconds(120));
        EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
        EXPECT_EQ(result.out, testkit::ReplaceAll(testkit::ReadTextFile(base + ".expected"), "@OUT@", out))
            << result.err;
    }

    std::string PdfText(const std::string& file) {
        const auto path = (m_folder.Path() / file).string();
        const auto result = testkit::ChildProcess::Run({"/usr/bin/pdftotext", "-layout", path, "-"});
        EXPECT_EQ(result.exitStatus, 0) << "pdftotext (poppler-utils) on " << path << ": " << result.err;
        return result.out;
    }

    long long Cents(const std::string& sql, const sqldb::Params& params = {}) {
        const auto db = m_server->Database().Connect();
        long long cents = 0;
        for (const auto& row : db->Query(sql, params))
            cents += std::llround(std::stod(sqldb::AsText(row[0])) * std::stod(sqldb::AsText(row[1])) * 100);
        return cents;
    }

    std::unique_ptr<ServerProcess> m_server;
    testkit::TempDir m_folder{"pedhost-print"};
};

TEST_P(PrintScreen, LedgerAfterTheFourCommandsHoldsEachLineWithOperatorJustificationAndTotals) {
    RunScenario("print_ledger", "DEMO");
    const std::string text = PdfText("ledger.pdf");
    const auto db = m_server->Database().Connect();
    const struct {
        const char* code;
        const char* operation;
        const char* justification;
    } operations[] = {{"CP", "Cancelamento ", "0001 Cliente desistiu da compra"},
                      {"CI", "Cancelamento de item", "0003 Prazo de entrega não atendido"},
                      {"RP", "Reativação", "0002 Preço acima do combinado"},
                      {"DI", "Desfazer cancelamento", "0004 Pedido digitado em duplicidade"}};
    for (const auto& op : operations) {
        SCOPED_TRACE(op.code);
        const auto rows =
            db->Query("SELECT COUNT(*) AS N FROM HISTCANCPED WHERE IDOPERACAO = :OP", {{"OP", op.code}});
        const auto expected = sqldb::AsInt(rows.At(0, "N"));
        ASSERT_GT(expected, 0);
        EXPECT_EQ(CountLines(text, {op.operation, "OPERADOR DE DEMONSTRACAO", op.justification}), expected)
            << text;
    }
    // The order cancelled with 0001: its whole value is cancelled, and so is the justification's total.
    const long long cancelled =
        Cents("SELECT QTITEMPED, VRPREUNITPED FROM ITEMPEDIDO WHERE CDFILIAL = '0001' AND "
              "NRPEDIDO = '0000000084'");
    EXPECT_EQ(CountLines(text, {"0000000084", "PREFEITURA DE CAMPINAS", " 0,00 ", Reais(cancelled)}), 1)
        << text;
    EXPECT_EQ(CountLines(text, {"0001 - Cliente desistiu da compra", Reais(cancelled)}), 1) << text;
    const long long item =
        Cents("SELECT QTITEMPED, VRPREUNITPED FROM ITEMPEDIDO WHERE CDFILIAL = '0001' AND "
              "NRPEDIDO = '0000000025' AND NRITEMPED = (SELECT MIN(NRITEMPED) FROM ITEMPEDIDO "
              "WHERE CDFILIAL = '0001' AND NRPEDIDO = '0000000025')");
    EXPECT_EQ(CountLines(text, {"0003 - Prazo de entrega não atendido", Reais(item)}), 1) << text;
    for (const char* count : {"Cancelamento", "Reativação", "Cancelamento de item", "Desfazer cancelamento"})
        EXPECT_TRUE(std::regex_search(text, std::regex(std::string("\n\\s*") + count + "\\s+1\n"))) << count;
}

TEST_P(PrintScreen, RestrictedOperatorsReportHoldsOnlyHisSellersOrders) {
    RunScenario("print_restricted", "VEND02");
    const std::string text = PdfText("restricted.pdf");
    const auto db = m_server->Database().Connect();
    const auto expected =
        sqldb::AsInt(db->Query("SELECT COUNT(*) AS N FROM PEDIDO WHERE CDFILIAL = '0001' AND "
                               "CDVENDEDOR = '0002' AND DTPEDIDO BETWEEN '2024-01-01' AND "
                               "'2024-12-31'")
                         .At(0, "N"));
    ASSERT_GT(expected, 0);
    const std::regex orderLine("^[0-9]{10} ");
    int orders = 0;
    for (const auto& line : Lines(text)) {
        if (!std::regex_search(line, orderLine))
            continue;
        ++orders;
        EXPECT_NE(line.find("0002 MARIA SOUZA"), std::string::npos) << line;
    }
    EXPECT_EQ(orders, expected);
}

TEST_P(PrintScreen, BrokenFiltersAreRefusedWithTheirFocusAndAnEmptyPeriodPrintsTheEmptyText) {
    RunScenario("print_filter_rules", "DEMO", false);
    const std::string text = PdfText("empty.pdf");
    EXPECT_EQ(CountLines(text, {"Nenhum pedido no período."}), 1) << text;
    EXPECT_EQ(CountLines(text, {"Página 1 de 1"}), 2) << text;
}

TEST_P(PrintScreen, AYearOfTheBranchIsNumberedOnEveryPageAndHoldsEveryOrderAndItemOnce) {
    RunScenario("print_year", "DEMO");
    const std::string text = PdfText("year.pdf");
    std::vector<std::string> pages;
    std::istringstream in(text);
    for (std::string page; std::getline(in, page, '\f');)
        if (!page.empty())
            pages.push_back(page);
    ASSERT_GT(pages.size(), 2u);
    const std::string of = " de " + std::to_string(pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i)
        EXPECT_EQ(CountLines(pages[i], {"Página " + std::to_string(i + 1) + of}), 2) << "page " << i + 1;
    const auto db = m_server->Database().Connect();
    const auto orders = db->Query("SELECT NRPEDIDO FROM PEDIDO WHERE CDFILIAL = '0001' AND DTPEDIDO BETWEEN "
                                  "'2024-01-01' AND '2024-12-31' ORDER BY NRPEDIDO");
    ASSERT_GT(orders.Size(), 100u);
    const auto lines = Lines(text);
    for (std::size_t i = 0; i < orders.Size(); ++i) {
        const std::string number = orders.Text(i, "NRPEDIDO") + " ";
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [&](const std::string& line) { return line.rfind(number, 0) == 0; }),
                  1)
            << number;
    }
    const auto items = sqldb::AsInt(db->Query("SELECT COUNT(*) AS N FROM ITEMPEDIDO I JOIN PEDIDO P ON "
                                              "P.CDFILIAL = I.CDFILIAL AND P.NRPEDIDO = I.NRPEDIDO WHERE "
                                              "P.CDFILIAL = '0001' AND P.DTPEDIDO BETWEEN '2024-01-01' AND "
                                              "'2024-12-31'")
                                        .At(0, "N"));
    int itemLines = 0;
    for (const auto& line : lines)
        itemLines += std::regex_search(line, std::regex("^\\s+[0-9]{10}\\s+[0-9]{6} ")) ? 1 : 0;
    EXPECT_EQ(itemLines, items);
}

TESTKIT_ON_BOTH_BACKENDS(PrintScreen);

} // namespace
