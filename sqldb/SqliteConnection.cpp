#include "SqliteConnection.h"

#include "sqldb/StatementTimeout.h"

#include <cctype>
#include <sqlite3.h>

namespace sqldb {
namespace {

// Without a statement limit, a writer waits this long for another's lock.
constexpr int kDefaultBusyMilliseconds = 5000;
// Virtual machine steps between two looks at the clock: often enough to stop within a
// millisecond, rarely enough to cost nothing measurable.
constexpr int kProgressSteps = 4096;

void Check(int rc, sqlite3* db, std::string_view what) {
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return;
    throw SqlError("SQLite: " + std::string(what) + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
}

sqlite3_stmt* Prepare(sqlite3* db, std::string_view sql) {
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, &tail);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    Check(rc, db, sql);
    if (!statement)
        throw SqlError("SQLite: empty statement");
    for (; tail && tail < sql.data() + sql.size(); ++tail) {
        if (!std::isspace(static_cast<unsigned char>(*tail)) && *tail != ';')
            throw SqlError("SQLite: more than one statement in " + std::string(sql));
    }
    return statement.release();
}

// A cached statement goes back to its initial state after every use, however the use ends, so it
// holds no read snapshot or lock and keeps no value of the last call.
class ResetOnExit {
public:
    explicit ResetOnExit(sqlite3_stmt* statement) : m_statement(statement) {}
    ~ResetOnExit() {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
    ResetOnExit(const ResetOnExit&) = delete;
    ResetOnExit& operator=(const ResetOnExit&) = delete;

private:
    sqlite3_stmt* m_statement;
};

void BindOne(sqlite3* db, sqlite3_stmt* statement, int index, const Value& value) {
    int rc = SQLITE_OK;
    if (IsNull(value))
        rc = sqlite3_bind_null(statement, index);
    else if (const auto* integer = std::get_if<std::int64_t>(&value))
        rc = sqlite3_bind_int64(statement, index, *integer);
    else if (const auto* real = std::get_if<double>(&value))
        rc = sqlite3_bind_double(statement, index, *real);
    else {
        const auto& text = std::get<std::string>(value);
        // The statement is reset and its bindings cleared before the caller's parameters go.
        rc = sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    }
    Check(rc, db, "bind");
}

// Binds every :NAME of the statement; a parameter the statement lacks or does not use is a
// programming error and is reported rather than ignored.
void Bind(sqlite3* db, sqlite3_stmt* statement, const Params& params) {
    // SQLite numbers each distinct name once, so every parameter found is a different one.
    std::size_t used = 0;
    const int count = sqlite3_bind_parameter_count(statement);
    for (int index = 1; index <= count; ++index) {
        const char* name = sqlite3_bind_parameter_name(statement, index);
        if (!name || name[0] != ':')
            throw SqlError("SQLite: only :NAME parameters are supported");
        auto found = params.find(std::string_view(name + 1));
        if (found == params.end())
            throw SqlError(std::string("parameter ") + name + " is not bound");
        BindOne(db, statement, index, found->second);
        ++used;
    }
    if (used == params.size())
        return;
    for (const auto& [name, value] : params) {
        if (sqlite3_bind_parameter_index(statement, (":" + name).c_str()) == 0)
            throw SqlError("parameter :" + name + " is not used by the statement");
    }
}

// Connections of many threads allocate side by side: SQLite's count of the memory in use would
// put one process-wide lock around every allocation. Set before the first connection opens.
void DisableMemoryStatistics() {
    static const int configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    (void)configured;
}

// Most queries read an order's few rows: room for them from the start saves regrowing.
constexpr std::size_t kRowsReserved = 8;

Value ColumnValue(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return static_cast<std::int64_t>(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_NULL:
        return std::monostate{};
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        return std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
    }
    }
}

} // namespace

void SqliteConnection::Closer::operator()(sqlite3* db) const noexcept {
    sqlite3_close_v2(db);
}

void SqliteConnection::Finalizer::operator()(sqlite3_stmt* statement) const noexcept {
    sqlite3_finalize(statement);
}

sqlite3_stmt* SqliteConnection::Cached(std::string_view sql) {
    if (auto found = m_statements.find(sql); found != m_statements.end())
        return found->second.get();
    if (m_statements.size() >= MaxCachedStatements)
        m_statements.clear();
    Statement statement(Prepare(m_db.get(), sql));
    return m_statements.emplace(std::string(sql), std::move(statement)).first->second.get();
}

sqlite3_stmt* SqliteConnection::Allowed(std::string_view sql) {
    sqlite3_stmt* statement = Cached(sql);
    if (m_refuseWrites && !sqlite3_stmt_readonly(statement))
        throw SqlError("SQLite: a read-only transaction refuses a write: " + std::string(sql));
    return statement;
}

SqliteConnection::SqliteConnection(const std::string& path) {
    DisableMemoryStatistics();
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    m_db.reset(raw);
    Check(rc, raw, "open " + path);
    sqlite3_busy_timeout(raw, kDefaultBusyMilliseconds);
    ExecuteScript("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;");
}

void SqliteConnection::SetStatementTimeout(std::chrono::milliseconds limit) {
    m_timeout = limit;
    // A lock held by another writer is waited for as long as a statement may run, no longer.
    sqlite3_busy_timeout(m_db.get(), limit.count() > 0 ? static_cast<int>(limit.count()) : kDefaultBusyMilliseconds);
    sqlite3_progress_handler(m_db.get(), limit.count() > 0 ? kProgressSteps : 0, limit.count() > 0 ? &OnProgress : nullptr,
                             this);
}

int SqliteConnection::OnProgress(void* self) {
    const auto* connection = static_cast<const SqliteConnection*>(self);
    return std::chrono::steady_clock::now() > connection->m_deadline ? 1 : 0;
}

void SqliteConnection::CheckStep(int rc, std::string_view sql) const {
    const bool stopped = rc == SQLITE_INTERRUPT || ((rc & 0xff) == SQLITE_BUSY && m_timeout.count() > 0);
    if (stopped)
        throw StatementTimeout("SQLite: statement stopped after " + std::to_string(m_timeout.count()) +
                               " ms: " + std::string(sql));
    Check(rc, m_db.get(), sql);
}

void SqliteConnection::Execute(std::string_view sql, const Params& params) {
    sqlite3_stmt* statement = Allowed(sql);
    ResetOnExit reset(statement);
    Bind(m_db.get(), statement, params);
    m_deadline = std::chrono::steady_clock::now() + m_timeout;
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(statement);
    CheckStep(rc, sql);
    m_changes = sqlite3_changes64(m_db.get());
}

Rows SqliteConnection::Query(std::string_view sql, const Params& params) {
    sqlite3_stmt* statement = Allowed(sql);
    ResetOnExit reset(statement);
    Bind(m_db.get(), statement, params);
    const int columnCount = sqlite3_column_count(statement);
    std::vector<std::string> columns;
    for (int column = 0; column < columnCount; ++column)
        columns.emplace_back(sqlite3_column_name(statement, column));
    std::vector<Row> data;
    data.reserve(kRowsReserved);
    m_deadline = std::chrono::steady_clock::now() + m_timeout;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        row.reserve(static_cast<std::size_t>(columnCount));
        for (int column = 0; column < columnCount; ++column)
            row.push_back(ColumnValue(statement, column));
        data.push_back(std::move(row));
    }
    CheckStep(rc, sql);
    return Rows(std::move(columns), std::move(data));
}

void SqliteConnection::ExecuteScript(std::string_view sql) {
    if (m_refuseWrites)
        throw SqlError("SQLite: a read-only transaction refuses a script");
    char* error = nullptr;
    m_deadline = std::chrono::steady_clock::now() + m_timeout;
    const int rc = sqlite3_exec(m_db.get(), std::string(sql).c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        throw SqlError("SQLite: " + message);
    }
}

} // namespace sqldb
