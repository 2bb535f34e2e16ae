#include "storage/Tokens.h"

#include "sqldb/Transaction.h"
#include "storage/Timestamps.h"

#include <openssl/evp.h>
#include <openssl/rand.h>
#include <stdexcept>

namespace pedserver {
namespace {

std::string Hex(const unsigned char* bytes, std::size_t size) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0f];
    }
    return text;
}

std::string Sha256Hex(const std::string& text) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_Digest(text.data(), text.size(), digest, &size, EVP_sha256(), nullptr) != 1)
        throw std::runtime_error("SHA-256 failed");
    return Hex(digest, size);
}

sqldb::Value OrNull(const std::string& text) {
    return text.empty() ? sqldb::Value() : sqldb::Value(text);
}

IssuedToken Insert(sqldb::Connection& connection, const std::string& operatorCode, const char* kind,
                   const std::string& expires, const std::string& label) {
    if (connection.Query("SELECT 1 FROM OPERADOR WHERE CDOPERADOR = :OPERADOR", {{"OPERADOR", operatorCode}})
            .IsEmpty())
        throw std::invalid_argument("operador não cadastrado: " + operatorCode);
    unsigned char bytes[32];
    if (RAND_bytes(bytes, sizeof bytes) != 1)
        throw std::runtime_error("no random bytes for a token");
    IssuedToken issued{Hex(bytes, sizeof bytes), expires};
    connection.Execute("INSERT INTO OPERTOKEN (TOKENHASH, CDOPERADOR, DTCRIACAO, IDTIPO, DSROTULO, DTEXPIRA) "
                       "VALUES (:HASH, :OPERADOR, :AGORA, :TIPO, :ROTULO, :EXPIRA)",
                       {{"HASH", Sha256Hex(issued.secret)},
                        {"OPERADOR", operatorCode},
                        {"AGORA", NowTimestamp()},
                        {"TIPO", std::string(kind)},
                        {"ROTULO", OrNull(label)},
                        {"EXPIRA", OrNull(expires)}});
    return issued;
}

std::string Text(const sqldb::Rows& rows, std::size_t row, const char* column) {
    const sqldb::Value& value = rows.At(row, column);
    return sqldb::IsNull(value) ? std::string() : sqldb::AsText(value).substr(0, 19);
}

} // namespace

IssuedToken IssueToken(sqldb::Connection& connection, const std::string& operatorCode, std::optional<int> days,
                       const std::string& label) {
    const std::string expires = days ? AddSeconds(NowTimestamp(), *days * 86400LL) : std::string();
    return Insert(connection, operatorCode, "M", expires, label);
}

IssuedToken IssueSession(sqldb::Connection& connection, const std::string& operatorCode,
                         std::chrono::minutes lifetime) {
    return Insert(connection, operatorCode, "S", AddSeconds(NowTimestamp(), lifetime.count() * 60), {});
}

TokenCheck CheckToken(sqldb::Connection& connection, const std::string& token, std::chrono::minutes idle) {
    TokenCheck check;
    if (token.empty())
        return check;
    const std::string hash = Sha256Hex(token);
    const auto rows = connection.Query("SELECT CDOPERADOR, IDTIPO, DTCRIACAO, DTEXPIRA, DTULTIMOUSO, DTREVOGADO "
                                       "FROM OPERTOKEN WHERE TOKENHASH = :HASH",
                                       {{"HASH", hash}});
    if (rows.IsEmpty() || !Text(rows, 0, "DTREVOGADO").empty())
        return check;
    check.operatorCode = rows.Text(0, "CDOPERADOR");
    check.expires = Text(rows, 0, "DTEXPIRA");
    const std::string now = NowTimestamp();
    const std::string lastUse = Text(rows, 0, "DTULTIMOUSO").empty() ? Text(rows, 0, "DTCRIACAO")
                                                                      : Text(rows, 0, "DTULTIMOUSO");
    const bool session = rows.Text(0, "IDTIPO") == "S";
    if ((!check.expires.empty() && now >= check.expires) ||
        (session && now >= AddSeconds(lastUse, idle.count() * 60))) {
        check.status = TokenCheck::Status::Expired;
        return check;
    }
    check.status = TokenCheck::Status::Valid;
    if (now >= AddSeconds(lastUse, 60)) {
        sqldb::Transaction transaction(connection);
        connection.Execute("UPDATE OPERTOKEN SET DTULTIMOUSO = :AGORA WHERE TOKENHASH = :HASH",
                           {{"AGORA", now}, {"HASH", hash}});
        transaction.Commit();
    }
    return check;
}

std::optional<std::string> OperatorForToken(sqldb::Connection& connection, const std::string& token) {
    const TokenCheck check = CheckToken(connection, token, std::chrono::hours(24 * 365 * 100));
    if (check.status != TokenCheck::Status::Valid)
        return std::nullopt;
    return check.operatorCode;
}

std::vector<TokenInfo> ListTokens(sqldb::Connection& connection) {
    const auto rows = connection.Query("SELECT IDTOKEN, IDTIPO, CDOPERADOR, DSROTULO, DTCRIACAO, DTEXPIRA, "
                                       "DTULTIMOUSO, DTREVOGADO FROM OPERTOKEN ORDER BY IDTOKEN");
    std::vector<TokenInfo> tokens;
    for (std::size_t row = 0; row < rows.Size(); ++row)
        tokens.push_back({sqldb::AsInt(rows.At(row, "IDTOKEN")), rows.Text(row, "IDTIPO") == "S" ? "session" : "machine",
                          rows.Text(row, "CDOPERADOR"), Text(rows, row, "DSROTULO"), Text(rows, row, "DTCRIACAO"),
                          Text(rows, row, "DTEXPIRA"), Text(rows, row, "DTULTIMOUSO"), Text(rows, row, "DTREVOGADO")});
    return tokens;
}

std::optional<std::string> RevokeToken(sqldb::Connection& connection, long long id) {
    sqldb::Transaction transaction(connection);
    const auto rows = connection.Query(
        "SELECT CDOPERADOR FROM OPERTOKEN WHERE IDTOKEN = :ID AND DTREVOGADO IS NULL", {{"ID", static_cast<std::int64_t>(id)}});
    if (rows.IsEmpty())
        return std::nullopt;
    connection.Execute("UPDATE OPERTOKEN SET DTREVOGADO = :AGORA WHERE IDTOKEN = :ID",
                       {{"AGORA", NowTimestamp()}, {"ID", static_cast<std::int64_t>(id)}});
    transaction.Commit();
    return rows.Text(0, "CDOPERADOR");
}

} // namespace pedserver
