#pragma once

#include "TOptionList.h"

#include <filesystem>
#include <string>

// Saved screen options, one file per operator and screen code in the user's configuration
// folder: $XDG_CONFIG_HOME (or ~/.config) / pedcancel / <operator> / <screen code>.opt.
namespace OptionStore {

std::filesystem::path PathFor(const std::string& operatorCode, const std::string& screenCode);
// Throws std::runtime_error with a Portuguese message when the file cannot be written.
void Save(const std::string& operatorCode, const std::string& screenCode, const TOptionList& options);
// Throws std::runtime_error with a Portuguese message when nothing was saved or it cannot be read.
TOptionList Load(const std::string& operatorCode, const std::string& screenCode);

} // namespace OptionStore
