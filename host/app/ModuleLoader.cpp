#include "app/ModuleLoader.h"

#include <algorithm>
#include <stdexcept>

namespace host {

std::filesystem::path ModuleLoader::DefaultFolder() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "lib";
    return program.parent_path().parent_path() / "lib";
}

void ModuleLoader::LoadAll() {
    if (!std::filesystem::is_directory(m_folder))
        throw std::runtime_error("the modules folder " + m_folder.string() + " does not exist");
    std::vector<std::filesystem::path> descriptors;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
        if (entry.path().extension() == ".pkg")
            descriptors.push_back(entry.path());
    }
    std::sort(descriptors.begin(), descriptors.end());
    for (const auto& file : descriptors)
        m_modules.push_back(std::make_unique<LoadedModule>(PackageDescriptor::Read(file)));
}

void ModuleLoader::UnloadAll() {
    while (!m_modules.empty())
        m_modules.pop_back();
}

std::vector<OfferedScreen> ModuleLoader::Screens() const {
    std::vector<OfferedScreen> screens;
    for (const auto& module : m_modules) {
        for (const auto& [code, entry] : module->Descriptor().Screens) {
            const auto& titles = module->Descriptor().Titles;
            const auto title = titles.find(code);
            screens.push_back(
                {code, module->Descriptor().Package, title == titles.end() ? "" : title->second});
        }
    }
    return screens;
}

void ModuleLoader::Open(const std::string& code, const std::string& parameter) {
    for (const auto& module : m_modules) {
        if (module->Offers(code)) {
            module->OpenScreen(code, parameter);
            return;
        }
    }
    throw std::runtime_error("Módulo da tela " + code + " não encontrado.");
}

std::optional<std::string> ModuleLoader::VariableText(const std::string& name) const {
    for (const auto& module : m_modules) {
        if (std::optional<std::string> text = module->VariableText(name))
            return text;
    }
    return std::nullopt;
}

} // namespace host
