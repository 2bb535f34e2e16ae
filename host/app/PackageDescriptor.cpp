#include "app/PackageDescriptor.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

namespace host {

namespace {

std::string RequiredText(const nlohmann::json& json, const char* key) {
    if (!json.contains(key) || !json[key].is_string() || json[key].get<std::string>().empty())
        throw std::runtime_error(std::string("the descriptor has no \"") + key + "\"");
    return json[key].get<std::string>();
}

std::vector<std::string> TextList(const nlohmann::json& json, const char* key) {
    if (!json.contains(key))
        return {};
    return json[key].get<std::vector<std::string>>();
}

} // namespace

PackageDescriptor PackageDescriptor::Parse(const std::string& text, const std::filesystem::path& folder) {
    nlohmann::json json;
    try {
        json = nlohmann::json::parse(text);
        PackageDescriptor descriptor;
        descriptor.Package = RequiredText(json, "package");
        descriptor.Library = folder / RequiredText(json, "library");
        descriptor.Requires = TextList(json, "requires");
        descriptor.Contains = TextList(json, "contains");
        if (json.contains("screens"))
            descriptor.Screens = json["screens"].get<std::map<std::string, std::string>>();
        if (json.contains("titles"))
            descriptor.Titles = json["titles"].get<std::map<std::string, std::string>>();
        if (json.contains("variables"))
            descriptor.Variables = json["variables"].get<std::map<std::string, std::string>>();
        for (const auto& [name, type] : descriptor.Variables) {
            if (type != "bool" && type != "int32" && type != "string")
                throw std::runtime_error("the variable " + name + " has an unknown type \"" + type + "\"");
        }
        descriptor.Initialize = json.value("initialize", "");
        descriptor.Finalize = json.value("finalize", "");
        descriptor.EntryTakesParameter = json.value("entryParameter", false);
        return descriptor;
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(std::string("the descriptor is not valid: ") + e.what());
    }
}

PackageDescriptor PackageDescriptor::Read(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error("cannot read the module descriptor " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    try {
        return Parse(text.str(), file.parent_path());
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(file.string() + ": " + e.what());
    }
}

} // namespace host
