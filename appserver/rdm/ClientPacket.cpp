#include "rdm/ClientPacket.h"

#include "rdm/RpcError.h"

namespace pedserver {
namespace {

constexpr std::size_t kMaxRows = 100000;
constexpr std::size_t kMaxText = 1000;

[[noreturn]] void Malformed(const std::string& problem) {
    throw RpcError(RpcCode::InvalidParams, "Pacote de dados inválido: " + problem);
}

} // namespace

ClientPacket::ClientPacket(const nlohmann::json& packet, const std::vector<std::string>& required) {
    const auto fields = packet.find("fields");
    const auto rows = packet.find("rows");
    if (fields == packet.end() || !fields->is_array() || rows == packet.end() || !rows->is_array())
        Malformed("faltam \"fields\" ou \"rows\".");
    if (rows->size() > kMaxRows)
        Malformed("linhas demais.");
    for (std::size_t i = 0; i < fields->size(); ++i) {
        const auto& field = (*fields)[i];
        if (!field.is_object() || !field.contains("name") || !field["name"].is_string())
            Malformed("campo " + std::to_string(i + 1) + " sem nome.");
        m_index.emplace(field["name"].get<std::string>(), i);
    }
    for (const auto& name : required) {
        if (!m_index.contains(name))
            Malformed("falta o campo " + name + ".");
    }
    for (const auto& row : *rows) {
        if (!row.is_array() || row.size() != fields->size())
            Malformed("linha com número de valores diferente do número de campos.");
        for (const auto& name : required) {
            const auto& value = row[m_index[name]];
            if (!value.is_null() &&
                (!value.is_string() || value.get_ref<const std::string&>().size() > kMaxText))
                Malformed("o campo " + name + " deve ser um texto.");
            if (value.is_string() && value.get_ref<const std::string&>().find('\0') != std::string::npos)
                Malformed("o campo " + name + " não pode conter o caractere nulo.");
        }
    }
    m_rows = &*rows;
}

std::string ClientPacket::Text(std::size_t row, const std::string& field) const {
    const auto& value = (*m_rows)[row][m_index.at(field)];
    return value.is_null() ? std::string() : value.get<std::string>();
}

} // namespace pedserver
