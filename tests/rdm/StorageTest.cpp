#include "DatabaseTest.h"
#include "storage/Database.h"
#include "storage/Decimal.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono;

class Storage : public testdb::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped())
            return;
        pedserver::MigrateSchema(*m_connection);
    }
    std::string Dump(const std::string& sql) {
        std::string text;
        for (const auto& row : m_connection->Query(sql)) {
            for (const auto& value : row)
                text += sqldb::AsText(value) + "|";
            text += "\n";
        }
        return text;
    }
    std::string DemoDump() {
        return Dump("SELECT * FROM PEDIDO ORDER BY CDFILIAL, NRPEDIDO") +
               Dump("SELECT * FROM ITEMPEDIDO ORDER BY CDFILIAL, NRPEDIDO, NRITEMPED") +
               Dump("SELECT * FROM CLIENTE ORDER BY CDCLIENTE") +
               Dump("SELECT * FROM RESERVALOTE ORDER BY NRPEDIDO");
    }
};

TEST_P(Storage, MigratingTwiceChangesNothing) {
    pedserver::SeedDemo(*m_connection, year(2024) / 5 / 10);
    const auto before = DemoDump();
    pedserver::MigrateSchema(*m_connection);
    EXPECT_EQ(pedserver::SchemaVersion(*m_connection), 3);
    EXPECT_EQ(DemoDump(), before);
}

TEST_P(Storage, DemoSeedIsTheSameForTheSameDayAndCoversEverySituation) {
    pedserver::SeedDemo(*m_connection, year(2024) / 5 / 10);
    const auto first = DemoDump();
    const testkit::TempDir otherFolder;
    const testkit::TestDatabase other(GetParam(), otherFolder.Path());
    auto otherConnection = other.Connect();
    pedserver::MigrateSchema(*otherConnection);
    pedserver::SeedDemo(*otherConnection, year(2024) / 5 / 10);
    std::swap(m_connection, otherConnection);
    EXPECT_EQ(DemoDump(), first);
    std::swap(m_connection, otherConnection);

    EXPECT_EQ(Dump("SELECT DISTINCT IDSITPEDIDO FROM PEDIDO ORDER BY 1"), "1|\n2|\n3|\n4|\n5|\n6|\n");
    EXPECT_EQ(Dump("SELECT DISTINCT IDSITITEMPED FROM ITEMPEDIDO ORDER BY 1"),
              "1|\n2|\n3|\n4|\n5|\n6|\n7|\n");
    EXPECT_EQ(Dump("SELECT DISTINCT IDPRIORIDADE FROM PEDIDO ORDER BY 1"), "1|\n2|\n3|\n");
    EXPECT_NE(Dump("SELECT 1 FROM PEDIDO WHERE CDOPERALTE IS NOT NULL"), "");
    EXPECT_NE(Dump("SELECT 1 FROM PEDIDO WHERE NREMPENHO IS NOT NULL AND IDSITPEDIDO = '4'"), "");
    EXPECT_GE(sqldb::AsInt(m_connection->Query("SELECT COUNT(*) AS N FROM PEDIDO").At(0, "N")), 200);
}

TEST_P(Storage, DemoClientDocumentsHaveValidCheckDigits) {
    pedserver::SeedDemo(*m_connection, year(2024) / 5 / 10);
    const auto digit = [](const std::string& number, std::size_t count, int firstWeight, bool cnpj) {
        int sum = 0, weight = firstWeight;
        for (std::size_t i = 0; i < count; ++i) {
            sum += (number[i] - '0') * weight;
            weight = cnpj && weight == 2 ? 9 : weight - 1;
        }
        return sum % 11 < 2 ? 0 : 11 - sum % 11;
    };
    for (const auto& row : m_connection->Query("SELECT IDTPIJURCLIE, NRINSJURCLIE FROM CLIENTE")) {
        const auto number = sqldb::AsText(row[1]);
        const bool cnpj = sqldb::AsText(row[0]) == "J";
        ASSERT_EQ(number.size(), cnpj ? 14u : 11u) << number;
        const auto n = number.size();
        EXPECT_EQ(number[n - 2] - '0', digit(number, n - 2, cnpj ? 5 : 10, cnpj)) << number;
        EXPECT_EQ(number[n - 1] - '0', digit(number, n - 1, cnpj ? 6 : 11, cnpj)) << number;
    }
}

TEST_P(Storage, VolumeSeedAddsTheRequestedOrdersAfterTheLastNumber) {
    pedserver::SeedDemo(*m_connection, year(2024) / 5 / 10);
    pedserver::SeedVolume(*m_connection, 20, 3, 42);
    const auto volume =
        Dump("SELECT NRPEDIDO FROM ITEMPEDIDO WHERE CDFILIAL = '0001' AND NRPEDIDO > '0000000160'");
    EXPECT_EQ(std::count(volume.begin(), volume.end(), '\n'), 60);
    EXPECT_NE(volume.find("0000000180"), std::string::npos);
}

TEST_P(Storage, TokensAreStoredOnlyAsHashesAndMapBackToTheirOperator) {
    pedserver::SeedDemo(*m_connection, year(2024) / 5 / 10);
    const auto token = pedserver::IssueToken(*m_connection, "VEND01").secret;
    EXPECT_EQ(pedserver::OperatorForToken(*m_connection, token), "VEND01");
    EXPECT_EQ(pedserver::OperatorForToken(*m_connection, token + "x"), std::nullopt);
    EXPECT_EQ(pedserver::OperatorForToken(*m_connection, ""), std::nullopt);
    EXPECT_EQ(Dump("SELECT 1 FROM OPERTOKEN WHERE TOKENHASH = '" + token + "'"), "");
    EXPECT_THROW(pedserver::IssueToken(*m_connection, "NOBODY"), std::invalid_argument);
}

TEST_P(Storage, OrderLocksSetAndClearTheEditor) {
    pedserver::SeedDemo(*m_connection, year(2024) / 5 / 10);
    pedserver::LockOrder(*m_connection, "0002", "0000000001", "VEND02");
    const auto editor = [&] {
        return Dump("SELECT CDOPERALTE FROM PEDIDO WHERE CDFILIAL = '0002' AND NRPEDIDO = '0000000001'");
    };
    EXPECT_EQ(editor(), "VEND02|\n");
    pedserver::UnlockOrder(*m_connection, "0002", "0000000001");
    EXPECT_EQ(editor(), "|\n");
    EXPECT_THROW(pedserver::LockOrder(*m_connection, "0002", "9999999999", "DEMO"), std::invalid_argument);
}

TESTKIT_ON_BOTH_BACKENDS(Storage);

TEST(Decimal, ArithmeticIsExactToTheCentavo) {
    using pedserver::Decimal;
    EXPECT_EQ(Decimal::Parse("0.1").Times(Decimal::Parse("3")).ToText(), "0.30");
    EXPECT_EQ(Decimal::Parse("2.5").Times(Decimal::Parse("0.333")).RoundedToCents().ToText(), "0.83");
    EXPECT_EQ(Decimal::FromValue(0.1 + 0.2).ToText(), "0.30");
    // Doubles as SQLite returns NUMERIC values: the four places stored, whatever the binary error.
    for (const auto& [stored, text] :
         std::vector<std::pair<double, std::string>>{{113.58, "113.58"},
                                                     {0.333, "0.33"},
                                                     {-19.005, "-19.01"},
                                                     {1e-5, "0.00"},
                                                     {123456789012.3456, "123456789012.35"},
                                                     {1e14, "100000000000000.00"}})
        EXPECT_EQ(Decimal::FromValue(stored).RoundedToCents().ToText(), text) << stored;
    EXPECT_EQ(Decimal::FromValue(2.5).Times(Decimal::FromValue(0.333)).RoundedToCents().ToText(), "0.83");
    EXPECT_EQ(Decimal::FromValue(std::string("1234.5")).ToReais(), "R$ 1.234,50");
    EXPECT_EQ(Decimal::Parse("-0.05").ToText(), "-0.05");
    EXPECT_EQ(Decimal::Parse("1000000").ToReais(), "R$ 1.000.000,00");
    for (const char* bad : {"", "1,5", "abc", "1.2.3", "-"})
        EXPECT_THROW(Decimal::Parse(bad), std::invalid_argument) << bad;
}

} // namespace
