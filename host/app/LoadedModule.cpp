#include "app/LoadedModule.h"

#include <cstdint>
#include <dlfcn.h>
#include <stdexcept>

namespace host {

LoadedModule::LoadedModule(PackageDescriptor descriptor) : m_descriptor(std::move(descriptor)) {
    m_handle = dlopen(m_descriptor.Library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle)
        throw std::runtime_error("cannot load module " + m_descriptor.Package + ": " + dlerror());
    try {
        for (const auto& [code, entry] : m_descriptor.Screens)
            Function(entry);
        if (!m_descriptor.Finalize.empty())
            Function(m_descriptor.Finalize);
        if (!m_descriptor.Initialize.empty())
            Function(m_descriptor.Initialize)();
    } catch (...) {
        dlclose(m_handle);
        throw;
    }
}

LoadedModule::~LoadedModule() {
    if (!m_descriptor.Finalize.empty())
        Function(m_descriptor.Finalize)();
    dlclose(m_handle);
}

void* LoadedModule::Symbol(const std::string& name) const {
    void* symbol = dlsym(m_handle, name.c_str());
    if (!symbol)
        throw std::runtime_error("module " + m_descriptor.Package + " exports no " + name);
    return symbol;
}

LoadedModule::EntryFunction LoadedModule::Function(const std::string& name) const {
    // Entry points are plain C functions; the cast from the data pointer dlsym returns is the
    // documented way to reach them.
    return reinterpret_cast<EntryFunction>(Symbol(name));
}

void LoadedModule::OpenScreen(const std::string& code, const std::string& parameter) {
    const std::string& entry = m_descriptor.Screens.at(code);
    if (!m_descriptor.EntryTakesParameter)
        return Function(entry)();
    using ParameterEntry = void (*)(const char*);
    reinterpret_cast<ParameterEntry>(Symbol(entry))(parameter.c_str());
}

std::optional<std::string> LoadedModule::VariableText(const std::string& name) const {
    const auto declared = m_descriptor.Variables.find(name);
    if (declared == m_descriptor.Variables.end())
        return std::nullopt;
    const void* symbol = Symbol(name);
    const std::string& type = declared->second;
    if (type == "bool")
        return *static_cast<const bool*>(symbol) ? "true" : "false";
    if (type == "int32")
        return std::to_string(*static_cast<const std::int32_t*>(symbol));
    return *static_cast<const std::string*>(symbol);
}

} // namespace host
