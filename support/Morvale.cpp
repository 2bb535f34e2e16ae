#include "Morvale.h"

#include <stdexcept>

namespace Morvale {
namespace {

HostValues* installed = nullptr;

HostValues& Host() {
    if (!installed)
        throw std::logic_error("Morvale: the host has not installed its values (Morvale::InstallHostValues)");
    return *installed;
}

} // namespace

void InstallHostValues(HostValues* values) {
    installed = values;
}

bool HasHostValues() {
    return installed != nullptr;
}

std::string FiliProc() {
    return Host().FiliProc();
}

std::string NomeFiliProc() {
    return Host().NomeFiliProc();
}

bool ModuFili() {
    return Host().ModuFili();
}

std::string Operador() {
    return Host().Operador();
}

std::string Token() {
    return Host().Token();
}

std::string WebURL() {
    return Host().WebURL();
}

int WebPort() {
    return Host().WebPort();
}

std::string CaFile() {
    return Host().CaFile();
}

std::string DBPict(int kind) {
    return Host().DBPict(kind);
}

TDBPicture DBPictObj(int kind) {
    return TDBPicture(DBPict(kind));
}

void SessionExpired() {
    Host().SessionExpired();
}

bool PlainHttpAllowed() {
    return Host().PlainHttpAllowed();
}

void LoadBPL(const std::string& code, const std::string& parameter) {
    Host().LoadBPL(code, parameter);
}

} // namespace Morvale
