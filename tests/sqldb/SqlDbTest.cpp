#include "DatabaseTest.h"
#include "sqldb/ConnectionPool.h"
#include "sqldb/StatementTimeout.h"
#include "sqldb/Transaction.h"

#include <chrono>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace {

class SqlDb : public testdb::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped())
            return;
        m_connection->ExecuteScript(
            "CREATE TABLE T (ID INTEGER PRIMARY KEY, NOME VARCHAR(40), VALOR NUMERIC(15,2), "
            "REAL_ DOUBLE PRECISION)");
    }
};

TEST_P(SqlDb, ValuesRoundTripWithTheirTypes) {
    m_connection->Execute("INSERT INTO T (ID, NOME, VALOR, REAL_) VALUES (:ID, :NOME, :VALOR, :REAL)",
                          {{"ID", std::int64_t{7}}, {"NOME", "Ação"}, {"VALOR", "10.50"}, {"REAL", 0.25}});
    m_connection->Execute("INSERT INTO T (ID, NOME, VALOR, REAL_) VALUES (:ID, :NOME, :VALOR, :REAL)",
                          {{"ID", std::int64_t{8}},
                           {"NOME", std::monostate{}},
                           {"VALOR", std::monostate{}},
                           {"REAL", std::monostate{}}});
    const auto rows = m_connection->Query("SELECT ID, NOME, VALOR, REAL_ FROM T ORDER BY ID");
    ASSERT_EQ(rows.Size(), 2u);
    EXPECT_EQ(std::get<std::int64_t>(rows.At(0, "ID")), 7);
    EXPECT_EQ(rows.Text(0, "nome"), "Ação");
    EXPECT_DOUBLE_EQ(std::get<double>(rows.At(0, "REAL_")), 0.25);
    // PostgreSQL keeps NUMERIC exact as text; SQLite stores it as a number.
    EXPECT_EQ(std::stod(rows.Text(0, "VALOR")), 10.5);
    for (const char* column : {"NOME", "VALOR", "REAL_"})
        EXPECT_TRUE(sqldb::IsNull(rows.At(1, column))) << column;
}

TEST_P(SqlDb, ParametersAreBoundNeverSpliced) {
    const std::string hostile = "x'); DROP TABLE T; --";
    m_connection->Execute("INSERT INTO T (ID, NOME) VALUES (1, :NOME)", {{"NOME", hostile}});
    const auto rows = m_connection->Query("SELECT NOME FROM T WHERE NOME = :NOME AND ID = :ID AND ID = :ID",
                                          {{"NOME", hostile}, {"ID", std::int64_t{1}}});
    ASSERT_EQ(rows.Size(), 1u);
    EXPECT_EQ(rows.Text(0, "NOME"), hostile);
}

TEST_P(SqlDb, MissingOrUnusedParametersAreErrors) {
    EXPECT_THROW(m_connection->Query("SELECT * FROM T WHERE ID = :ID"), sqldb::SqlError);
    EXPECT_THROW(m_connection->Query("SELECT * FROM T", {{"ID", std::int64_t{1}}}), sqldb::SqlError);
    EXPECT_THROW(m_connection->Query("SELECT * FROM NO_SUCH_TABLE"), sqldb::SqlError);
    try {
        m_connection->Query("SELECT * FROM T WHERE ID = :ID", {{"ID", std::int64_t{1}}, {"NOME", "a"}});
        ADD_FAILURE() << "a parameter beside the used ones went unnoticed";
    } catch (const sqldb::SqlError& error) {
        EXPECT_NE(std::string(error.what()).find(":NOME"), std::string::npos) << error.what();
    }
}

// A cached statement reads each use's own texts, never those of a use before.
TEST_P(SqlDb, EachUseOfAStatementReadsItsOwnParameters) {
    m_connection->ExecuteScript(
        "INSERT INTO T (ID, NOME) VALUES (1, 'um'); INSERT INTO T (ID, NOME) VALUES (2, 'dois')");
    for (const auto& [name, id] : {std::pair{"dois", 2}, {"um", 1}, {"tres", 0}, {"dois", 2}}) {
        const auto rows =
            m_connection->Query("SELECT ID FROM T WHERE NOME = :NOME", {{"NOME", std::string(name)}});
        EXPECT_EQ(rows.IsEmpty() ? 0 : sqldb::AsInt(rows.Data()[0][0]), id) << name;
    }
}

TEST_P(SqlDb, ChangesCountsTheRowsOfTheLastStatement) {
    m_connection->ExecuteScript("INSERT INTO T (ID) VALUES (1); INSERT INTO T (ID) VALUES (2); "
                                "INSERT INTO T (ID) VALUES (3)");
    m_connection->Execute("UPDATE T SET NOME = 'a' WHERE ID >= :ID", {{"ID", std::int64_t{2}}});
    EXPECT_EQ(m_connection->Changes(), 2);
    m_connection->Execute("DELETE FROM T WHERE ID = 99");
    EXPECT_EQ(m_connection->Changes(), 0);
}

TEST_P(SqlDb, TransactionRollsBackUnlessCommitted) {
    {
        sqldb::Transaction transaction(*m_connection);
        m_connection->Execute("INSERT INTO T (ID) VALUES (1)");
    }
    EXPECT_TRUE(m_connection->Query("SELECT ID FROM T").IsEmpty());
    {
        sqldb::Transaction transaction(*m_connection);
        m_connection->Execute("INSERT INTO T (ID) VALUES (2)");
        transaction.Commit();
    }
    EXPECT_EQ(m_db->Connect()->Query("SELECT ID FROM T").Size(), 1u);
}

// A read transaction holds no write lock: another connection writes and commits meanwhile (a
// write transaction would keep it waiting on SQLite until its busy timeout).
TEST_P(SqlDb, AReadTransactionLetsAnotherConnectionWrite) {
    m_connection->Execute("INSERT INTO T (ID) VALUES (1)");
    sqldb::Transaction reading(*m_connection, sqldb::Transaction::Mode::Read);
    EXPECT_EQ(m_connection->Query("SELECT ID FROM T").Size(), 1u);
    const auto writer = m_db->Connect();
    const auto start = std::chrono::steady_clock::now();
    {
        sqldb::Transaction writing(*writer);
        writer->Execute("INSERT INTO T (ID) VALUES (2)");
        writing.Commit();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(writer->Query("SELECT ID FROM T").Size(), 2u);
}

// Every way of writing fails inside a read transaction and changes nothing; reads still run, the
// same statements write again once it ends, and a write transaction is not affected.
TEST_P(SqlDb, AReadTransactionRefusesEveryWriteAndOnlyWhileItLasts) {
    m_connection->Execute("INSERT INTO T (ID, NOME) VALUES (1, 'um')");
    const std::string insert = "INSERT INTO T (ID, NOME) VALUES (2, 'dois')";
    const std::string update = "UPDATE T SET NOME = 'mudado'";
    const std::vector<std::function<void()>> writes = {
        [&] { m_connection->Execute(insert); },
        [&] { m_connection->Execute(update); },
        [&] { m_connection->Query("DELETE FROM T RETURNING ID"); },
        [&] { m_connection->Execute("CREATE TABLE U (ID INTEGER)"); },
    };
    for (std::size_t i = 0; i < writes.size(); ++i) {
        sqldb::Transaction reading(*m_connection, sqldb::Transaction::Mode::Read);
        EXPECT_THROW(writes[i](), sqldb::SqlError) << "write " << i;
    }
    {
        sqldb::Transaction reading(*m_connection, sqldb::Transaction::Mode::Read);
        EXPECT_EQ(m_connection->Query("SELECT NOME FROM T").Text(0, "NOME"), "um");
        reading.Commit();
    }
    EXPECT_EQ(m_connection->Query("SELECT NOME FROM T").Text(0, "NOME"), "um");
    m_connection->Execute(update);
    sqldb::Transaction writing(*m_connection);
    m_connection->Execute(insert);
    writing.Commit();
    EXPECT_EQ(m_connection->Query("SELECT COUNT(*) AS N FROM T").Text(0, "N"), "2");
}

// A transaction's BEGIN goes with its first statement. A transaction in which nothing ran leaves
// the session outside any transaction, so what it writes next is seen by others at once.
TEST_P(SqlDb, ATransactionInWhichNothingRanLeavesTheSessionOutsideAnyTransaction) {
    for (const auto mode : {sqldb::Transaction::Mode::Read, sqldb::Transaction::Mode::Write}) {
        for (const bool commit : {true, false}) {
            {
                sqldb::Transaction nothing(*m_connection, mode);
                if (commit)
                    nothing.Commit();
            }
            m_connection->Execute("DELETE FROM T");
            m_connection->Execute("INSERT INTO T (ID) VALUES (1)");
            EXPECT_EQ(m_db->Connect()->Query("SELECT ID FROM T").Size(), 1u)
                << (mode == sqldb::Transaction::Mode::Read ? "read" : "write") << (commit ? " committed" : " dropped");
        }
    }
}

// The first statement of a transaction fails with its own error, and the session goes on: the
// transaction rolls back, and the next transaction and statements run.
TEST_P(SqlDb, AFailedFirstStatementOfATransactionLeavesTheSessionUsable) {
    for (const auto mode : {sqldb::Transaction::Mode::Read, sqldb::Transaction::Mode::Write}) {
        {
            sqldb::Transaction failing(*m_connection, mode);
            try {
                m_connection->Query("SELECT * FROM NO_SUCH_TABLE");
                ADD_FAILURE() << "a missing table was read";
            } catch (const sqldb::SqlError& error) {
                EXPECT_NE(std::string(error.what()).find("NO_SUCH_TABLE"), std::string::npos) << error.what();
            }
        }
        sqldb::Transaction writing(*m_connection);
        m_connection->Execute("INSERT INTO T (ID) VALUES (:ID)", {{"ID", std::int64_t{mode == sqldb::Transaction::Mode::Read ? 1 : 2}}});
        writing.Commit();
    }
    EXPECT_EQ(m_db->Connect()->Query("SELECT ID FROM T").Size(), 2u);
    if (GetParam() == testkit::TestBackend::Postgres) {
        m_connection->SetStatementTimeout(std::chrono::milliseconds(50));
        sqldb::Transaction reading(*m_connection, sqldb::Transaction::Mode::Read);
        EXPECT_THROW(m_connection->Query("SELECT pg_sleep(2)"), sqldb::StatementTimeout);
    }
    EXPECT_EQ(m_connection->Query("SELECT COUNT(*) AS N FROM T").Text(0, "N"), "2");
}

// On PostgreSQL each statement of a read is a READ ONLY transaction of its own, in one round trip:
// between two statements the read holds no lock, and it still refuses every write.
TEST_P(SqlDb, AReadOnPostgresHoldsNothingBetweenItsStatementsAndRefusesWrites) {
    if (GetParam() != testkit::TestBackend::Postgres)
        GTEST_SKIP() << "a read on SQLite is one transaction";
    m_connection->Execute("INSERT INTO T (ID) VALUES (1)");
    sqldb::Transaction reading(*m_connection, sqldb::Transaction::Mode::Read);
    EXPECT_EQ(m_connection->Query("SELECT ID FROM T").Size(), 1u);
    const auto other = m_db->Connect();
    other->SetStatementTimeout(std::chrono::milliseconds(2000));
    other->ExecuteScript("ALTER TABLE T ADD COLUMN EXTRA INTEGER");
    EXPECT_EQ(m_connection->Query("SELECT EXTRA FROM T").Size(), 1u);
    EXPECT_THROW(m_connection->Execute("INSERT INTO T (ID) VALUES (2)"), sqldb::SqlError);
    EXPECT_THROW(m_connection->ExecuteScript("DELETE FROM T"), sqldb::SqlError);
    EXPECT_EQ(m_connection->Query("SELECT ID FROM T").Size(), 1u) << "the session goes on after a refused write";
    reading.Commit();
    EXPECT_EQ(other->Query("SELECT COUNT(*) AS N FROM T").Text(0, "N"), "1");
}

TEST_P(SqlDb, AStatementRunAgainTakesItsNewValuesAndKeepsNothingOfTheLastRun) {
    const std::string insert = "INSERT INTO T (ID, NOME) VALUES (:ID, :NOME)";
    m_connection->Execute(insert, {{"ID", std::int64_t{1}}, {"NOME", "um"}});
    m_connection->Execute(insert, {{"ID", std::int64_t{2}}, {"NOME", std::monostate{}}});
    EXPECT_THROW(m_connection->Execute(insert, {{"ID", std::int64_t{2}}, {"NOME", "repetido"}}),
                 sqldb::SqlError);
    const std::string select = "SELECT NOME FROM T WHERE ID = :ID";
    EXPECT_EQ(m_connection->Query(select, {{"ID", std::int64_t{1}}}).Text(0, "NOME"), "um");
    EXPECT_TRUE(sqldb::IsNull(m_connection->Query(select, {{"ID", std::int64_t{2}}}).At(0, "NOME")));
    EXPECT_THROW(m_connection->Query(select), sqldb::SqlError) << "a value of the last run is not reused";
    // A statement read to its end, or left by a failure, holds no lock: the table can be dropped.
    m_connection->Query("SELECT ID FROM T");
    m_connection->ExecuteScript("DROP TABLE T");
    EXPECT_THROW(m_connection->Query(select, {{"ID", std::int64_t{1}}}), sqldb::SqlError);
}

TEST_P(SqlDb, ManyDifferentStatementsOutgrowTheCacheAndStillRun) {
    for (int i = 0; i < 300; ++i) {
        const std::string sql = "SELECT " + std::to_string(i) + " AS N";
        EXPECT_EQ(m_connection->Query(sql).Text(0, "N"), std::to_string(i));
    }
    EXPECT_EQ(m_connection->Query("SELECT 7 AS N").Text(0, "N"), "7");
}

TEST_P(SqlDb, PoolLendsAtMostItsSizeAndWaitsForAReturn) {
    sqldb::ConnectionPool pool(m_db->Url(), 2);
    auto first = std::make_unique<sqldb::Lease>(pool.Acquire());
    auto second = pool.Acquire();
    auto third =
        std::async(std::launch::async, [&] { return pool.Acquire()->Query("SELECT 1 AS X").Size(); });
    EXPECT_EQ(third.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    first.reset();
    EXPECT_EQ(third.get(), 1u);
}

TESTKIT_ON_BOTH_BACKENDS(SqlDb);

TEST(SqlDbOpen, RejectsUnknownUrlsWithTheUrlInTheMessage) {
    for (const char* url : {"mysql://x", "sqlite:", "", "postgres"}) {
        try {
            sqldb::Connection::Open(url);
            ADD_FAILURE() << url;
        } catch (const sqldb::SqlError& error) {
            EXPECT_NE(std::string(error.what()).find("URL"), std::string::npos) << url;
        }
    }
}

} // namespace
