#pragma once

#include "app/LoadedModule.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace host {

// Finds the modules of a folder by their descriptors, loads each one, opens screens by code and
// unloads the modules in reverse order of loading.
// A screen a loaded module offers, with the package that offers it and its title ("" when the
// descriptor gives none).
struct OfferedScreen {
    std::string Code;
    std::string Package;
    std::string Title;
};

class ModuleLoader {
public:
    explicit ModuleLoader(std::filesystem::path folder) : m_folder(std::move(folder)) {}
    ~ModuleLoader() { UnloadAll(); }
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;

    // The library folder of this build: lib/ beside the bin/ folder of the running program.
    static std::filesystem::path DefaultFolder();

    // Loads every module described in the folder, in name order; throws std::runtime_error.
    void LoadAll();
    void UnloadAll();
    const std::vector<std::unique_ptr<LoadedModule>>& Modules() const { return m_modules; }
    // Every screen of the loaded modules, by module in loading order, then by code.
    std::vector<OfferedScreen> Screens() const;
    // Opens the screen; a code no module offers throws std::runtime_error with the operator's
    // message ("Módulo da tela PED01100 não encontrado.").
    void Open(const std::string& code, const std::string& parameter = {});
    // The exported variable of the first loaded module that declares it.
    std::optional<std::string> VariableText(const std::string& name) const;

private:
    std::filesystem::path m_folder;
    std::vector<std::unique_ptr<LoadedModule>> m_modules;
};

} // namespace host
