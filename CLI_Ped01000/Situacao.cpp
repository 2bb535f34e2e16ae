#include "CLI_Ped01000/Situacao.h"

#include <map>

namespace {

Situacao Find(const std::map<std::string, Situacao>& table, const std::string& code, const Situacao& other) {
    const auto it = table.find(code);
    return it == table.end() ? other : it->second;
}

} // namespace

Situacao SituacaoPedido(const std::string& idSitPedido) {
    static const std::map<std::string, Situacao> table = {
        {"1", {"PE", ui::clBlue}}, {"2", {"AN", ui::clOlive}},  {"3", {"LQ", ui::clPurple}},
        {"4", {"CN", ui::clRed}},  {"5", {"LQ", ui::clPurple}}, {"6", {"PA", ui::clTeal}},
    };
    return Find(table, idSitPedido, {"", ui::clRed});
}

Situacao SituacaoItemPedido(const std::string& idSitItemPed) {
    static const std::map<std::string, Situacao> table = {
        {"1", {"PE", ui::clBlue}},   {"2", {"CF", ui::clOlive}}, {"3", {"AP", ui::clGreen}},
        {"4", {"LQ", ui::clPurple}}, {"5", {"CN", ui::clRed}},   {"6", {"LQ", ui::clPurple}},
        {"7", {"PA", ui::clTeal}},
    };
    return Find(table, idSitItemPed, {"", std::nullopt});
}
