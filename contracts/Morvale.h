#pragma once

#include "HostValues.h"
#include "TDBPicture.h"

#include <string>

// The host's values. Every call goes to the installed HostValues; calling before the host
// installed one throws std::logic_error.
namespace Morvale {

// Not owned; nullptr uninstalls.
void InstallHostValues(HostValues* values);
bool HasHostValues();

std::string FiliProc();
std::string NomeFiliProc();
bool ModuFili();
std::string Operador();
std::string Token();
std::string WebURL();
int WebPort();
std::string CaFile();
std::string DBPict(int kind);
TDBPicture DBPictObj(int kind);
bool PlainHttpAllowed();
void SessionExpired();
void LoadBPL(const std::string& code, const std::string& parameter);

} // namespace Morvale
