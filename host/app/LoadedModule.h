#pragma once

#include "app/PackageDescriptor.h"

#include <optional>
#include <string>

namespace host {

// One loaded module: the library is opened and its load hook run on construction; the unload
// hook runs and the library is closed on destruction.
class LoadedModule {
public:
    // Throws std::runtime_error when the library or one of its named functions is missing.
    explicit LoadedModule(PackageDescriptor descriptor);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    const PackageDescriptor& Descriptor() const { return m_descriptor; }
    bool Offers(const std::string& code) const { return m_descriptor.Screens.count(code) > 0; }
    // Calls the screen's entry function, with the parameter when the entry takes one.
    void OpenScreen(const std::string& code, const std::string& parameter = {});
    // A variable the descriptor declares, as text (booleans as true/false); nullopt when the
    // module declares none of that name.
    std::optional<std::string> VariableText(const std::string& name) const;

private:
    using EntryFunction = void (*)();
    EntryFunction Function(const std::string& name) const;
    void* Symbol(const std::string& name) const;

    PackageDescriptor m_descriptor;
    void* m_handle = nullptr;
};

} // namespace host
