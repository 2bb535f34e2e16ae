#include "OptionStore.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace OptionStore {
namespace {

std::filesystem::path ConfigFolder() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return xdg;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".config";
    throw std::runtime_error(
        "Não foi possível localizar a pasta de configuração do usuário (HOME não definido).");
}

std::string WriteError(const std::filesystem::path& path, const std::string& reason) {
    return "Não foi possível gravar as opções em \"" + path.string() + "\": " + reason + ".";
}

} // namespace

std::filesystem::path PathFor(const std::string& operatorCode, const std::string& screenCode) {
    return ConfigFolder() / "pedcancel" / operatorCode / (screenCode + ".opt");
}

void Save(const std::string& operatorCode, const std::string& screenCode, const TOptionList& options) {
    std::filesystem::path path = PathFor(operatorCode, screenCode);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error)
        throw std::runtime_error(WriteError(path, error.message()));
    // Written beside the old file and renamed over it, so a failed save keeps the previous options.
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << options.ToText();
        out.close();
        if (!out)
            throw std::runtime_error(WriteError(path, "falha de escrita"));
    }
    std::filesystem::rename(temporary, path, error);
    if (error)
        throw std::runtime_error(WriteError(path, error.message()));
}

TOptionList Load(const std::string& operatorCode, const std::string& screenCode) {
    std::filesystem::path path = PathFor(operatorCode, screenCode);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Não há opções gravadas para esta tela (" + path.string() + ").");
    std::ostringstream text;
    text << in.rdbuf();
    return TOptionList::FromText(text.str());
}

} // namespace OptionStore
