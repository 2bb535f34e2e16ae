#include "storage/AppRole.h"

#include "sqldb/Transaction.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace pedserver {
namespace {

// A name that needs no quoting keeps the grants readable in the database's own listings.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name.size() <= 63 && (std::islower(static_cast<unsigned char>(name[0])) || name[0] == '_') &&
           std::all_of(name.begin(), name.end(), [](unsigned char c) {
               return std::islower(c) || std::isdigit(c) || c == '_';
           });
}

std::string Quoted(const std::string& identifier) {
    std::string quoted = "\"";
    for (char c : identifier)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace

void GrantAppRole(sqldb::Connection& connection, const std::string& role) {
    if (connection.GetBackend() != sqldb::Backend::Postgres)
        throw std::invalid_argument("--app-role is for PostgreSQL: an SQLite file has no roles");
    if (!IsPlainName(role))
        throw std::invalid_argument("'" + role + "' is not a plain role name (lower-case letters, digits, _)");
    const std::string schema = Quoted(connection.Query("SELECT current_schema() AS S").Text(0, "S"));
    const std::string to = " TO " + role;
    sqldb::Transaction transaction(connection);
    connection.ExecuteScript(
        "REVOKE ALL ON ALL TABLES IN SCHEMA " + schema + " FROM PUBLIC, " + role + ";" +
        "REVOKE ALL ON ALL SEQUENCES IN SCHEMA " + schema + " FROM PUBLIC, " + role + ";" +
        "REVOKE CREATE ON SCHEMA " + schema + " FROM PUBLIC, " + role + ";" +
        "GRANT USAGE ON SCHEMA " + schema + to + ";" +
        "GRANT SELECT ON ALL TABLES IN SCHEMA " + schema + to + ";" +
        // Exactly the columns the commands write.
        "GRANT UPDATE (IDSITPEDIDO) ON PEDIDO" + to + ";" +
        "GRANT UPDATE (IDSITITEMPED, IDSITANTCANC, CDJUSTEXCHIS, CDOPERADOR) ON ITEMPEDIDO" + to + ";" +
        "GRANT UPDATE (VRSALDO) ON EMPENHO" + to + ";" +
        "GRANT INSERT ON HISTCANCPED" + to + ";" +
        // Sign-in: the server counts failures, opens sessions and notes a token's last use.
        "GRANT UPDATE (QTFALHAS, DTPRIMEIRAFALHA, DTBLOQUEIO) ON OPERSENHA" + to + ";" +
        "GRANT INSERT, UPDATE (DTULTIMOUSO) ON OPERTOKEN" + to + ";" +
        "GRANT USAGE ON ALL SEQUENCES IN SCHEMA " + schema + to + ";");
    // What the role inserts into OPERTOKEN can only be a session that ends within two days;
    // machine tokens stay the owner's to issue (the owner is not bound by these policies).
    connection.ExecuteScript("ALTER TABLE OPERTOKEN ENABLE ROW LEVEL SECURITY;"
                             "DROP POLICY IF EXISTS TOKENS_READ ON OPERTOKEN;"
                             "DROP POLICY IF EXISTS SESSIONS_OPENED ON OPERTOKEN;"
                             "DROP POLICY IF EXISTS TOKENS_USED ON OPERTOKEN;"
                             "CREATE POLICY TOKENS_READ ON OPERTOKEN FOR SELECT" + to + " USING (TRUE);"
                             "CREATE POLICY SESSIONS_OPENED ON OPERTOKEN FOR INSERT" + to +
                             " WITH CHECK (IDTIPO = 'S' AND DTEXPIRA <= LOCALTIMESTAMP + INTERVAL '2 days');"
                             "CREATE POLICY TOKENS_USED ON OPERTOKEN FOR UPDATE" + to + " USING (TRUE);");
    transaction.Commit();
}

} // namespace pedserver
