#include "PostgresConnection.h"

#include "NamedParameters.h"
#include "sqldb/StatementTimeout.h"

#include <charconv>
#include <libpq-fe.h>
#include <optional>
#include <set>
#include <utility>

namespace sqldb {
namespace {

// Type numbers of the built-in types we map to integers and reals.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701;

bool Succeeded(pg_result* result) {
    const auto status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

void Check(pg_result* result, PGconn* connection, std::string_view what) {
    if (Succeeded(result))
        return;
    std::string message = result ? PQresultErrorMessage(result) : PQerrorMessage(connection);
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    // 57014: cancelled by statement_timeout; 55P03: a lock not granted within lock_timeout.
    if (state && (std::string_view(state) == "57014" || std::string_view(state) == "55P03"))
        throw StatementTimeout("PostgreSQL " + std::string(state) + ": " + message + " in " + std::string(what));
    throw SqlError("PostgreSQL" + (state ? " " + std::string(state) : std::string()) + ": " + message +
                   " in " + std::string(what));
}

std::optional<std::string> ParamText(const Value& value) {
    if (IsNull(value))
        return std::nullopt;
    return AsText(value);
}

Value CellValue(pg_result* result, int row, int column) {
    if (PQgetisnull(result, row, column))
        return std::monostate{};
    const char* text = PQgetvalue(result, row, column);
    const auto length = static_cast<std::size_t>(PQgetlength(result, row, column));
    switch (PQftype(result, column)) {
    case kBool:
        return static_cast<std::int64_t>(text[0] == 't' ? 1 : 0);
    case kInt2:
    case kInt4:
    case kInt8: {
        std::int64_t integer = 0;
        std::from_chars(text, text + length, integer);
        return integer;
    }
    case kFloat4:
    case kFloat8:
        return std::stod(std::string(text, length));
    default:
        return std::string(text, length);
    }
}

} // namespace

void PostgresConnection::Finisher::operator()(pg_conn* connection) const noexcept {
    PQfinish(connection);
}
void PostgresConnection::ResultClearer::operator()(pg_result* result) const noexcept {
    PQclear(result);
}

PostgresConnection::PostgresConnection(const std::string& url) : m_connection(PQconnectdb(url.c_str())) {
    if (!m_connection || PQstatus(m_connection.get()) != CONNECTION_OK) {
        std::string message = m_connection ? PQerrorMessage(m_connection.get()) : "out of memory";
        throw SqlError("PostgreSQL: cannot connect: " + message);
    }
    PQsetNoticeProcessor(
        m_connection.get(), [](void*, const char*) {}, nullptr);
    ExecuteScript("SET DateStyle TO ISO, YMD; SET client_encoding TO 'UTF8'");
}

bool PostgresConnection::IsHealthy() const {
    return PQstatus(m_connection.get()) == CONNECTION_OK;
}

void PostgresConnection::SetStatementTimeout(std::chrono::milliseconds limit) {
    // A lock wait is part of the statement's time, so statement_timeout covers both.
    ExecuteScript("SET statement_timeout = " + std::to_string(limit.count()));
}

const PostgresConnection::Prepared& PostgresConnection::Prepare(std::string_view sql) {
    const std::string key(sql);
    if (auto found = m_prepared.find(key); found != m_prepared.end())
        return found->second;
    if (m_prepared.size() >= MaxCachedStatements) {
        ExecuteScript("DEALLOCATE ALL");
        m_prepared.clear();
    }
    auto positional = ToPositional(sql);
    Prepared prepared{"ped_" + std::to_string(++m_preparedCount), std::move(positional.names)};
    Result result(PQprepare(m_connection.get(), prepared.Name.c_str(), positional.sql.c_str(),
                            static_cast<int>(prepared.Parameters.size()), nullptr));
    Check(result.get(), m_connection.get(), sql);
    return m_prepared.emplace(key, std::move(prepared)).first->second;
}

PostgresConnection::Result PostgresConnection::Run(std::string_view sql, const Params& params) {
    const Prepared& prepared = Prepare(sql);
    std::vector<std::optional<std::string>> texts;
    for (const auto& name : prepared.Parameters) {
        auto found = params.find(name);
        if (found == params.end())
            throw SqlError("parameter :" + name + " is not bound");
        texts.push_back(ParamText(found->second));
    }
    if (params.size() != prepared.Parameters.size()) {
        const std::set<std::string, std::less<>> used(prepared.Parameters.begin(), prepared.Parameters.end());
        for (const auto& [name, value] : params) {
            if (!used.contains(name))
                throw SqlError("parameter :" + name + " is not used by the statement");
        }
    }
    std::vector<const char*> values;
    for (const auto& text : texts)
        values.push_back(text ? text->c_str() : nullptr);
    if (m_readOnly) {
        SendUnsent();
        return RunInPipeline("BEGIN READ ONLY", prepared, values, sql, "COMMIT");
    }
    if (!m_unsent.empty())
        return RunInPipeline(std::exchange(m_unsent, {}), prepared, values, sql, nullptr);
    Result result(PQexecPrepared(m_connection.get(), prepared.Name.c_str(), static_cast<int>(values.size()),
                                 values.data(), nullptr, nullptr, 0));
    Check(result.get(), m_connection.get(), sql);
    return result;
}

PostgresConnection::Result PostgresConnection::NextResult(pg_conn* connection) {
    Result first(PQgetResult(connection));
    if (first) {
        while (Result more{PQgetResult(connection)}) {
        }
    }
    return first;
}

PostgresConnection::Result PostgresConnection::RunInPipeline(const std::string& before,
                                                              const Prepared& prepared,
                                                              const std::vector<const char*>& values,
                                                              std::string_view sql, const char* after) {
    PGconn* connection = m_connection.get();
    const auto sendText = [connection](const char* text) {
        return PQsendQueryParams(connection, text, 0, nullptr, nullptr, nullptr, nullptr, 0) != 0;
    };
    if (!PQenterPipelineMode(connection))
        Check(nullptr, connection, before);
    const bool sent = sendText(before.c_str()) &&
                      PQsendQueryPrepared(connection, prepared.Name.c_str(), static_cast<int>(values.size()),
                                          values.data(), nullptr, nullptr, 0) &&
                      (!after || sendText(after)) && PQpipelineSync(connection);
    Result first;
    Result second;
    Result third;
    if (sent) {
        // Each statement's result, then the sync: the session leaves the pipeline with nothing
        // pending, whichever statement failed.
        first = NextResult(connection);
        second = NextResult(connection);
        if (after)
            third = NextResult(connection);
        Result sync(PQgetResult(connection));
    }
    const bool left = PQexitPipelineMode(connection);
    if (!sent || !left)
        Check(nullptr, connection, before);
    Check(first.get(), connection, before);
    // A failed statement skips the rest of the pipeline, so the transaction its BEGIN opened is
    // still there, aborted: it is closed before the failure is told.
    if (after && !Succeeded(second.get()))
        Result rollback(PQexec(connection, "ROLLBACK"));
    Check(second.get(), connection, sql);
    if (after)
        Check(third.get(), connection, after);
    return second;
}

void PostgresConnection::SendUnsent() {
    if (!m_unsent.empty())
        ExecuteScript(std::exchange(m_unsent, {}));
}

void PostgresConnection::ExecuteWithNext(std::string_view sql) {
    SendUnsent();
    m_unsent = sql;
}

bool PostgresConnection::DropUnsent() {
    return !std::exchange(m_unsent, {}).empty();
}

void PostgresConnection::Execute(std::string_view sql, const Params& params) {
    auto result = Run(sql, params);
    const char* tuples = PQcmdTuples(result.get());
    m_changes = tuples && *tuples ? std::stoll(tuples) : 0;
}

Rows PostgresConnection::Query(std::string_view sql, const Params& params) {
    auto result = Run(sql, params);
    const int columnCount = PQnfields(result.get());
    const int rowCount = PQntuples(result.get());
    std::vector<std::string> columns;
    for (int column = 0; column < columnCount; ++column)
        columns.emplace_back(PQfname(result.get(), column));
    std::vector<Row> data(static_cast<std::size_t>(rowCount));
    for (int row = 0; row < rowCount; ++row) {
        auto& out = data[static_cast<std::size_t>(row)];
        out.reserve(static_cast<std::size_t>(columnCount));
        for (int column = 0; column < columnCount; ++column)
            out.push_back(CellValue(result.get(), row, column));
    }
    return Rows(std::move(columns), std::move(data));
}

void PostgresConnection::ExecuteScript(std::string_view sql) {
    SendUnsent();
    if (!m_readOnly) {
        Result result(PQexec(m_connection.get(), std::string(sql).c_str()));
        Check(result.get(), m_connection.get(), "script");
        return;
    }
    Result result(PQexec(m_connection.get(), ("BEGIN READ ONLY; " + std::string(sql) + "; COMMIT").c_str()));
    if (!Succeeded(result.get()))
        Result rollback(PQexec(m_connection.get(), "ROLLBACK"));
    Check(result.get(), m_connection.get(), "script");
}

} // namespace sqldb
