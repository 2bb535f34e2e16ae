#include "CLI_Ped01100/RelPedidoTextos.h"

#include <map>

namespace RelPedidoTextos {
namespace {

std::string Find(const std::map<std::string, std::string>& table, const std::string& code) {
    const auto it = table.find(code);
    return it == table.end() ? code : it->second;
}

} // namespace

std::string Valor(std::int64_t centavos) {
    const bool negative = centavos < 0;
    const std::uint64_t units =
        negative ? static_cast<std::uint64_t>(-(centavos + 1)) + 1 : static_cast<std::uint64_t>(centavos);
    std::string whole = std::to_string(units / 100);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += '.';
        grouped += whole[i];
    }
    const auto cents = units % 100;
    std::string text = negative ? "-" : "";
    text += grouped;
    text += ',';
    text += static_cast<char>('0' + cents / 10);
    text += static_cast<char>('0' + cents % 10);
    return text;
}

std::string SituacaoPedido(const std::string& code) {
    static const std::map<std::string, std::string> names = {{"1", "Pendente"},  {"2", "Em andamento"},
                                                             {"3", "Liquidado"}, {"4", "Cancelado"},
                                                             {"5", "Liquidado"}, {"6", "Parcial"}};
    return Find(names, code);
}

std::string GrupoSituacao(const std::string& code) {
    return code == "5" ? "3" : code;
}

std::string SituacaoItem(const std::string& code) {
    static const std::map<std::string, std::string> names = {
        {"1", "Pendente"},  {"2", "Confirmado"}, {"3", "Aprovado"}, {"4", "Liquidado"},
        {"5", "Cancelado"}, {"6", "Liquidado"},  {"7", "Parcial"}};
    return Find(names, code);
}

std::string Operacao(const std::string& code) {
    static const std::map<std::string, std::string> names = {{"CP", "Cancelamento"},
                                                             {"RP", "Reativação"},
                                                             {"CI", "Cancelamento de item"},
                                                             {"DI", "Desfazer cancelamento"}};
    return Find(names, code);
}

} // namespace RelPedidoTextos
