#include "rdm/ParamReader.h"

#include "rdm/RpcError.h"
#include "rdm/CharCount.h"

#include <chrono>

namespace pedserver {
namespace {

bool IsIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    for (std::size_t i : {0U, 1U, 2U, 3U, 5U, 6U, 8U, 9U}) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    }
    const std::chrono::year_month_day date(
        std::chrono::year(std::stoi(text.substr(0, 4))),
        std::chrono::month(static_cast<unsigned>(std::stoi(text.substr(5, 2)))),
        std::chrono::day(static_cast<unsigned>(std::stoi(text.substr(8, 2)))));
    // Both databases take years 1 to 9999 only; PostgreSQL fails on year 0 instead of refusing it.
    return date.ok() && date.year() >= std::chrono::year(1);
}

} // namespace

ParamReader::ParamReader(const nlohmann::json& params, std::string_view method, std::size_t expected)
    : m_params(params) {
    if (!params.is_array())
        throw RpcError(RpcCode::InvalidParams,
                       "Os parâmetros de " + std::string(method) + " devem ser uma lista.");
    if (params.size() != expected) {
        throw RpcError(RpcCode::InvalidParams, "O método " + std::string(method) + " espera " +
                                                   std::to_string(expected) + " parâmetros; recebeu " +
                                                   std::to_string(params.size()) + ".");
    }
}

void ParamReader::Fail(std::size_t index, std::string_view name, const std::string& problem) const {
    throw RpcError(RpcCode::InvalidParams,
                   "Parâmetro " + std::to_string(index + 1) + " (" + std::string(name) + ") " + problem);
}

std::string ParamReader::Text(std::size_t index, std::string_view name, std::size_t maxChars) const {
    if (!At(index).is_string())
        Fail(index, name, "deve ser um texto.");
    auto text = At(index).get<std::string>();
    // PostgreSQL refuses NUL in a text where SQLite stores it; refuse it alike on both.
    if (text.find('\0') != std::string::npos)
        Fail(index, name, "não pode conter o caractere nulo.");
    if (CharCount(text) > maxChars)
        Fail(index, name, "excede " + std::to_string(maxChars) + " caracteres.");
    return text;
}

bool ParamReader::AllFlag(std::size_t index, std::string_view name) const {
    const auto text = Text(index, name, 1);
    if (!text.empty() && text != "T")
        Fail(index, name, "deve ser \"T\" ou vazio.");
    return text == "T";
}

std::optional<std::string> ParamReader::Date(std::size_t index, std::string_view name) const {
    if (At(index).is_null())
        return std::nullopt;
    if (!At(index).is_string() || !IsIsoDate(At(index).get<std::string>()))
        Fail(index, name, "deve ser uma data AAAA-MM-DD entre 0001-01-01 e 9999-12-31, ou nula.");
    return At(index).get<std::string>();
}

const nlohmann::json& ParamReader::Packet(std::size_t index, std::string_view name) const {
    if (!At(index).is_object())
        Fail(index, name, "deve ser um pacote de dados.");
    return At(index);
}

} // namespace pedserver
