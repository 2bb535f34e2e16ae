#include "storage/Tokens.h"

#include "storage/Clock.h"

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

} // namespace

std::string IssueToken(sqldb::Connection& connection, const std::string& operatorCode) {
    const auto known =
        connection.Query("SELECT 1 FROM OPERADOR WHERE CDOPERADOR = :OPERADOR", {{"OPERADOR", operatorCode}});
    if (known.IsEmpty())
        throw std::invalid_argument("operador não cadastrado: " + operatorCode);
    unsigned char bytes[32];
    if (RAND_bytes(bytes, sizeof bytes) != 1)
        throw std::runtime_error("no random bytes for a token");
    const auto token = Hex(bytes, sizeof bytes);
    connection.Execute(
        "INSERT INTO OPERTOKEN (TOKENHASH, CDOPERADOR, DTCRIACAO) VALUES (:HASH, :OPERADOR, :AGORA)",
        {{"HASH", Sha256Hex(token)}, {"OPERADOR", operatorCode}, {"AGORA", NowTimestamp()}});
    return token;
}

std::optional<std::string> OperatorForToken(sqldb::Connection& connection, const std::string& token) {
    if (token.empty())
        return std::nullopt;
    const auto rows = connection.Query("SELECT CDOPERADOR FROM OPERTOKEN WHERE TOKENHASH = :HASH",
                                       {{"HASH", Sha256Hex(token)}});
    if (rows.IsEmpty())
        return std::nullopt;
    return rows.Text(0, "CDOPERADOR");
}

} // namespace pedserver
