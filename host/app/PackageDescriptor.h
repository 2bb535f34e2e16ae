#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace host {

// What a module's descriptor (a JSON file NAME.pkg beside the library) tells the host before any
// of the module's code runs: its library, the libraries it needs, its units, the screens it
// offers with their entry functions, its load and unload hooks, and the types of the variables
// it exports for scripts to read.
struct PackageDescriptor {
    std::string Package;
    std::filesystem::path Library; // absolute: resolved against the descriptor's folder
    std::vector<std::string> Requires;
    std::vector<std::string> Contains;
    std::map<std::string, std::string> Screens; // screen code -> entry function
    std::map<std::string, std::string> Titles;  // screen code -> the screen's title, when given
    // Exported variables a script may read: name -> "bool", "int32" or "string".
    std::map<std::string, std::string> Variables;
    // The entry functions take the screen's parameter as a C text ("entryParameter": true);
    // otherwise they take nothing and a parameter is dropped.
    bool EntryTakesParameter = false;
    std::string Initialize;
    std::string Finalize;

    // Throws std::runtime_error naming the file when it cannot be read or lacks a field.
    static PackageDescriptor Read(const std::filesystem::path& file);
    static PackageDescriptor Parse(const std::string& json, const std::filesystem::path& folder);
};

} // namespace host
