#include "storage/Passwords.h"

#include "sqldb/Transaction.h"
#include "storage/Timestamps.h"

#include <sodium.h>
#include <stdexcept>

namespace pedserver {
namespace {

void RequireSodium() {
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium could not start");
}

std::string Hash(const std::string& password) {
    RequireSodium();
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("not enough memory to hash the password");
    return hash;
}

bool Verify(const std::string& hash, const std::string& password) {
    RequireSodium();
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

// A hash of no one's password, verified against for an unknown operator.
const std::string& DecoyHash() {
    static const std::string hash = Hash("decoy for an operator without a password");
    return hash;
}

std::string Text(const sqldb::Rows& rows, const char* column) {
    const sqldb::Value& value = rows.At(0, column);
    return sqldb::IsNull(value) ? std::string() : sqldb::AsText(value).substr(0, 19);
}

} // namespace

void SetPassword(sqldb::Connection& connection, const std::string& operatorCode, const std::string& password) {
    if (password.empty())
        throw std::invalid_argument("the password is empty");
    if (connection.Query("SELECT 1 FROM OPERADOR WHERE CDOPERADOR = :OPERADOR", {{"OPERADOR", operatorCode}})
            .IsEmpty())
        throw std::invalid_argument("operador não cadastrado: " + operatorCode);
    const std::string hash = Hash(password);
    const sqldb::Params params{{"OPERADOR", operatorCode}, {"HASH", hash}, {"AGORA", NowTimestamp()}};
    sqldb::Transaction transaction(connection);
    connection.Execute("DELETE FROM OPERSENHA WHERE CDOPERADOR = :OPERADOR", {{"OPERADOR", operatorCode}});
    connection.Execute("INSERT INTO OPERSENHA (CDOPERADOR, DSHASH, DTALTERACAO, QTFALHAS) "
                       "VALUES (:OPERADOR, :HASH, :AGORA, 0)",
                       params);
    transaction.Commit();
}

PasswordCheck CheckPassword(sqldb::Connection& connection, const std::string& operatorCode,
                            const std::string& password, const LockoutPolicy& policy) {
    // The hashing takes a while: it runs outside any transaction, so no writer waits for it.
    const auto rows = connection.Query("SELECT DSHASH, DTBLOQUEIO FROM OPERSENHA WHERE CDOPERADOR = :OPERADOR",
                                       {{"OPERADOR", operatorCode}});
    if (rows.IsEmpty()) {
        Verify(DecoyHash(), password);
        return PasswordCheck::Refused;
    }
    const bool good = Verify(rows.Text(0, "DSHASH"), password);
    const std::string now = NowTimestamp();
    const std::string lockedSince = Text(rows, "DTBLOQUEIO");
    if (!lockedSince.empty() && now < AddSeconds(lockedSince, policy.lockout.count() * 60))
        return PasswordCheck::StillLockedOut;
    const sqldb::Params who{{"OPERADOR", operatorCode}};
    sqldb::Transaction transaction(connection);
    if (good) {
        connection.Execute("UPDATE OPERSENHA SET QTFALHAS = 0, DTPRIMEIRAFALHA = NULL, DTBLOQUEIO = NULL "
                           "WHERE CDOPERADOR = :OPERADOR",
                           who);
        transaction.Commit();
        return PasswordCheck::Accepted;
    }
    // Counted in one statement, so failures arriving together on several servers all count; a
    // failure after the window of the first one counted starts a new count.
    connection.Execute(
        "UPDATE OPERSENHA SET QTFALHAS = CASE WHEN DTPRIMEIRAFALHA > :JANELA THEN QTFALHAS + 1 ELSE 1 END, "
        "DTPRIMEIRAFALHA = CASE WHEN DTPRIMEIRAFALHA > :JANELA THEN DTPRIMEIRAFALHA ELSE :AGORA END, "
        "DTBLOQUEIO = NULL WHERE CDOPERADOR = :OPERADOR",
        {{"JANELA", AddSeconds(now, -policy.window.count() * 60)}, {"AGORA", now}, {"OPERADOR", operatorCode}});
    connection.Execute("UPDATE OPERSENHA SET DTBLOQUEIO = :AGORA, QTFALHAS = 0, DTPRIMEIRAFALHA = NULL "
                       "WHERE CDOPERADOR = :OPERADOR AND QTFALHAS >= :MAXIMO",
                       {{"AGORA", now}, {"OPERADOR", operatorCode}, {"MAXIMO", std::int64_t{policy.failures}}});
    const bool locks = connection.Changes() > 0;
    transaction.Commit();
    return locks ? PasswordCheck::LockedOut : PasswordCheck::Refused;
}

} // namespace pedserver
